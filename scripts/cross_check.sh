#!/usr/bin/env bash
# Builds the game core and its tests for Windows x86 and x64 (MinGW-w64) and
# for WebAssembly (Emscripten), runs the tests under Wine and node, and checks
# that seeded random play ends in the same state hashes on Linux, both Windows
# targets and WebAssembly. Installs what is missing; prints how long each step
# took. Fails on any failure or difference. Where 32-bit programs cannot run,
# the 32-bit build is only built and its .exe inspected (scripts/lib/wine.sh).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/wine.sh
wine_setup g++ make cmake libgtest-dev googletest emscripten nodejs librsvg2-bin imagemagick nsis \
  xvfb xauth openbox x11-utils binutils-mingw-w64-i686 binutils-mingw-w64-x86-64

step() {
  local name=$1 start=$SECONDS
  shift
  "$@"
  printf '%-34s %4d s\n' "$name" $((SECONDS - start)) >>"$timings"
}
timings=$(mktemp)
out=$(mktemp -d)
trap 'rm -rf "$timings" "$out"' EXIT
# Console programs need no display; the Win32 window's tests start their own
# virtual one (xvfb-run).
unset DISPLAY WAYLAND_DISPLAY

# Configures and builds a preset; a warning fails it like an error.
build() {
  local log=$out/$1.log
  if ! { cmake --preset "$1" && cmake --build --preset "$1"; } >"$log" 2>&1; then
    cat "$log"
    return 1
  fi
  if grep -q "warning:" "$log"; then
    grep -B2 -A4 "warning:" "$log"
    return 1
  fi
}

for preset in windows-x86 windows-x64 web; do
  step "$preset: configure and build" build "$preset"
  if [ "$preset" = windows-x86 ] && ! x86_runs; then
    # Built all the same; only what reads the files runs.
    step "$preset: ctest (the .exe's imports and size)" ctest --preset "$preset" -R '^win32\.exe$' </dev/null
  else
    step "$preset: ctest" ctest --preset "$preset" </dev/null
  fi
done

# The Linux line: the test command's own build when there is one.
native=build
if [ ! -f build/CMakeCache.txt ]; then
  native=build-linux
  cmake -S . -B build-linux -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DZORVANE_WITH_QT=OFF \
    -DZORVANE_BENCHMARKS=OFF >/dev/null
fi
step "linux: build replay_hash" sh -c "cmake --build $native -j2 --target replay_hash >/dev/null"

targets=(web)
x86_runs && targets=(windows-x86 "${targets[@]}")
targets=(windows-x64 "${targets[@]}")
replay() {
  "$native/tests/replay_hash" >"$out/linux"
  local target
  for target in "${targets[@]}"; do
    case $target in
      web) node --no-experimental-fetch build-web/tests/replay_hash.js >"$out/web" ;;
      *) wine_for "$target" "build-$target/tests/replay_hash.exe" </dev/null >"$out/$target" ;;
    esac
  done
}
step "replay_hash on Linux, ${targets[*]}" replay
echo "Seeded random play, Linux:"
cat "$out/linux"
same=1
for target in "${targets[@]}"; do
  # Windows' console ends lines with CR LF.
  if ! tr -d '\r' <"$out/$target" | diff -u --label linux --label "$target" "$out/linux" -; then
    same=0
  fi
done
echo "Timings:"
cat "$timings"
x86_runs || x86_skip_line
if [ "$same" = 1 ] && [ -s "$out/linux" ]; then
  echo "Same state hashes on Linux and ${targets[*]}."
else
  echo "State hashes differ between targets (see above)." >&2
  exit 1
fi
