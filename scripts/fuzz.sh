#!/usr/bin/env bash
# The session fuzz target, built with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/ (the fuzz preset, which the
# checks build first; CTest: fuzz), run for FUZZ_SECONDS (default 60). The
# corpus it grows is kept in build-fuzz/corpus; a failing input is written
# to build-fuzz/ and can be replayed with
#   build-fuzz/tests/fuzz/session_fuzz build-fuzz/crash-...
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${FUZZ_SECONDS:-60}
mkdir -p build-fuzz/corpus
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
build-fuzz/tests/fuzz/session_fuzz -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
  -max_len=1024 -len_control=0 -print_final_stats=1 -artifact_prefix=build-fuzz/ build-fuzz/corpus
