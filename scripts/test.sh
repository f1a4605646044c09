#!/usr/bin/env bash
# The whole test suite, headless: installs what is missing, builds build/,
# then runs every check through CTest (tests/checks/): the unit tests, the
# other targets, the browsers, Wine, the real display, the packages, side
# by side where they are independent. Exits non-zero if any check fails.
# Arguments go to ctest: `bash scripts/test.sh -L web` runs one part,
# `bash scripts/test.sh -N` lists every check.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh test
# Twice as many checks as cores: many of them mostly wait (for Wine, a
# browser, a soak's clock). A build uses every core, but counts as one
# check: counted as more, it would wait behind every short check for cores
# to come free together.
status=0
ctest --test-dir build --output-on-failure --no-tests=error --timeout 600 -j"$(($(nproc) * 2))" "$@" || status=$?
source scripts/lib/wine.sh
x86_runs || x86_skip_line
exit "$status"
