#!/usr/bin/env bash
# The test command fails when one check fails, whatever its place in the
# run, and the checks after it still run: the real scripts/test.sh and
# scripts/lib/check.sh on a project of three checks registered as the real
# ones are (cmake/Checks.cmake), run in order, the middle one failing.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT
mkdir -p "$fake/scripts/lib" "$fake/cmake"
cp "$root/scripts/test.sh" "$fake/scripts/"
cp "$root"/scripts/lib/{check,wait,wine,packages}.sh "$fake/scripts/lib/"
cp "$root/cmake/Checks.cmake" "$fake/cmake/"
echo 'cmake -S . -B build >/dev/null' >"$fake/scripts/setup.sh"
cat >"$fake/CMakeLists.txt" <<'PROJECT'
cmake_minimum_required(VERSION 3.25)
project(fake NONE)
enable_testing()
include(cmake/Checks.cmake)
zorvane_check(first LABELS fake COMMAND true)
zorvane_check(middle LABELS fake COMMAND false)
zorvane_check(last LABELS fake COMMAND touch ${CMAKE_BINARY_DIR}/last-ran)
set_tests_properties(middle PROPERTIES DEPENDS first)
set_tests_properties(last PROPERTIES DEPENDS middle)
PROJECT

output=$(cd "$fake" && bash scripts/test.sh 2>&1)
status=$?
failures=0
expect() {  # expect DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
expect "the test command fails" [ "$status" -ne 0 ]
expect "... naming the failed check" grep -qE '[0-9]+ - middle \(Failed\)' <<<"$output"
expect "... and the check after it ran" [ -e "$fake/build/last-ran" ]
((failures == 0)) || { echo "$output"; exit 1; }
