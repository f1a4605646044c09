#!/usr/bin/env bash
# Builds the session fuzz target with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/ and runs it for FUZZ_SECONDS
# (default 60). The corpus it grows is kept in build-fuzz/corpus; a failing
# input is written to build-fuzz/ and can be replayed with
#   build-fuzz/tests/fuzz/session_fuzz build-fuzz/crash-...
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/packages.sh
if ! need_packages clang libclang-rt-14-dev cmake make; then
  echo "fuzz: skipped, clang and its fuzzer runtime cannot be installed here"
  exit 0
fi

seconds=${FUZZ_SECONDS:-60}
cmake --preset fuzz
cmake --build --preset fuzz -j"$(nproc)" --target session_fuzz

mkdir -p build-fuzz/corpus
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
build-fuzz/tests/fuzz/session_fuzz -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
  -max_len=1024 -len_control=0 -print_final_stats=1 -artifact_prefix=build-fuzz/ build-fuzz/corpus
