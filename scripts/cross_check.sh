#!/usr/bin/env bash
# Builds the game core and its tests for Windows x86 and x64 (MinGW-w64) and
# for WebAssembly (Emscripten), runs the tests under Wine and node, and checks
# that seeded random play ends in the same state hashes on Linux, both Windows
# targets and WebAssembly. Installs what is missing; prints how long each step
# took. Fails on any failure or difference.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/packages.sh

# Wine's 32-bit half comes from the i386 architecture.
if [ "$(dpkg --print-architecture)" = amd64 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  "${as_root[@]}" dpkg --add-architecture i386
  "${as_root[@]}" apt-get -q -o DPkg::Lock::Timeout=600 update
fi
need_packages g++ make cmake libgtest-dev googletest \
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine64 wine32:i386 \
  emscripten nodejs librsvg2-bin imagemagick \
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

# One Wine prefix for both Windows targets, set up once and kept: the
# toolchain runs the tests in it. Console programs need no display; the
# Win32 window's tests start their own virtual one (xvfb-run).
export WINEPREFIX=${HOME}/.wine-zorvane WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  step "Wine prefix (first run only)" sh -c 'wineboot -i && wineserver -w'
fi

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
  step "$preset: ctest" ctest --preset "$preset" </dev/null
done

# The Linux line: the test command's own build when there is one.
native=build
if [ ! -f build/CMakeCache.txt ]; then
  native=build-linux
  cmake -S . -B build-linux -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DZORVANE_WITH_QT=OFF \
    -DZORVANE_BENCHMARKS=OFF >/dev/null
fi
step "linux: build replay_hash" sh -c "cmake --build $native -j2 --target replay_hash >/dev/null"

step "replay_hash on all four" sh -c "
  $native/tests/replay_hash >$out/linux
  wine build-windows-x86/tests/replay_hash.exe </dev/null >$out/windows-x86
  wine build-windows-x64/tests/replay_hash.exe </dev/null >$out/windows-x64
  node --no-experimental-fetch build-web/tests/replay_hash.js >$out/web"
echo "Seeded random play, Linux:"
cat "$out/linux"
same=1
for target in windows-x86 windows-x64 web; do
  # Windows' console ends lines with CR LF.
  if ! tr -d '\r' <"$out/$target" | diff -u --label linux --label "$target" "$out/linux" -; then
    same=0
  fi
done
echo "Timings:"
cat "$timings"
if [ "$same" = 1 ] && [ -s "$out/linux" ]; then
  echo "Same state hashes on Linux, Windows x86, Windows x64 and WebAssembly."
else
  echo "State hashes differ between targets (see above)." >&2
  exit 1
fi
