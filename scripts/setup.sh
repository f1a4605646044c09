#!/usr/bin/env bash
# Installs the Debian packages that are missing, then configures and builds in
# build/. `setup.sh play` builds only the game; `setup.sh test` installs what
# every check needs and builds the game, its tests and benchmarks (the checks'
# other builds are CTest fixtures, tests/checks/). Called by play.sh and test.sh.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/packages.sh

mode=${1:-test}
play_packages=(
  g++ make cmake pkg-config
  qt6-base-dev libgl-dev          # Qt 6 Widgets (and the GL headers Qt's CMake files look for)
  fonts-liberation fontconfig     # a metric match for Arial on the buttons
  dpkg-dev                        # dpkg-shlibdeps, for `cpack -G DEB`
)
test_packages=(
  libgtest-dev libbenchmark-dev googletest       # tests and benchmarks; googletest for the cross builds
  clang libclang-rt-14-dev                       # the fuzzer
  xvfb xauth openbox x11-utils x11-xkb-utils xdotool imagemagick  # the virtual display and its tools
  binutils g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix    # Windows: the compilers,
  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 wine wine64   # objdump and Wine,
  nsis librsvg2-bin unzip                                         # the installer and the icon
  emscripten nodejs python3 chromium firefox-esr webkit2gtk-driver  # the page and three engines
  desktop-file-utils appstream lintian devscripts  # the Debian package's checks (devscripts: hardening-check)
)

case "$mode" in
  play)
    need_packages "${play_packages[@]}"
    cmake --preset play
    cmake --build --preset play -j"$(nproc)" --target zorvane
    ;;
  test)
    need_packages "${play_packages[@]}" "${test_packages[@]}"
    # Some Node.js packages carry npm inside and conflict with Debian's.
    command -v npm >/dev/null || need_packages npm
    source scripts/lib/wine.sh
    wine32_install
    cmake --preset native
    cmake --build --preset native -j"$(nproc)"
    ;;
  *) echo "usage: setup.sh [play|test]" >&2; exit 2 ;;
esac
