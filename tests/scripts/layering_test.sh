#!/usr/bin/env bash
# What the include roots cannot hold yet: the build refuses the game a
# mid-end header and the mid-end a front end's (cmake/IncludeRoot.cmake), but
# the mid-end's own headers still show the game to the front ends. So: a
# front end reaches the game only through the mid-end: it includes none of
# the game's own headers, names none of its handlers and reads no cell
# array; the benchmarks include nothing from the tests. Prints each breach
# and fails on any.
set -uo pipefail
root=${1:-$(dirname "${BASH_SOURCE[0]}")/../..}
cd "$root"
breaches=0
breach() {
  echo "$1:"
  echo "$2" | sed 's/^/  /'
  breaches=$((breaches + 1))
}

front=$(ls src/qt/*.h src/qt/*.cpp src/win32/*.h src/win32/*.cpp src/web/*.h src/web/*.cpp) || exit 1
found=$(grep -nE '#include "(game|play)/|#include "window/(menus|form|handlers)' $front)
[ -z "$found" ] || breach "a front end includes the game's own headers" "$found"
found=$(grep -nE '\b(Timer1_Timer|Form_KeyDown|Form_Load|Form_Unload|[a-z]+_Click|Block\(\))|(\.|->)(Show|Unload|init|obstacles|makefood)\(' $front)
[ -z "$found" ] || breach "a front end names a handler of the game or reads its cells" "$found"

found=$(grep -rnE '#include "(hand_|headless_|board_|scripted_|session_|test_)[a-z_]*\.h"' bench)
found+=$(grep -nE 'include_directories.*tests' bench/CMakeLists.txt bench/*/CMakeLists.txt 2>/dev/null | sed '1s/^/\n/')
[ -z "$found" ] || breach "a benchmark includes the tests' headers" "$found"

[ "$breaches" -eq 0 ] && echo "dependencies point one way"
exit $((breaches > 0))
