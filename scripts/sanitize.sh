#!/usr/bin/env bash
# The whole suite, core and window tests alike, built with AddressSanitizer
# (leak checking on) and UndefinedBehaviorSanitizer in build-asan/ (the
# asan preset, which the checks build first; CTest: sanitize). Any
# sanitizer report fails the run. replay_hash is left out: its random player
# and checks are the soak tests', which run here, and under the sanitizers
# its eight sessions would be the longest test by far.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build-asan --output-on-failure --no-tests=error --timeout 600 -j"$(nproc)" -E '^replay_hash$'
