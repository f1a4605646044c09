#!/usr/bin/env bash
# Builds the whole project with AddressSanitizer (leak checking on) and
# UndefinedBehaviorSanitizer in build-asan/ and runs the whole suite there,
# core and window tests alike. Any sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/packages.sh
need_packages g++ make cmake pkg-config qt6-base-dev libgl-dev fonts-liberation fontconfig libgtest-dev

cmake --preset asan
cmake --build --preset asan -j"$(nproc)"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build-asan --output-on-failure --timeout 600 -j"$(nproc)"
