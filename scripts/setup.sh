#!/usr/bin/env bash
# Installs the Debian packages that are missing, then configures and builds in
# build/. `setup.sh play` builds only the game; `setup.sh test` also builds the
# tests and benchmarks. Called by play.sh and test.sh.
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
  libgtest-dev libbenchmark-dev   # tests and benchmarks
)

case "$mode" in
  play)
    need_packages "${play_packages[@]}"
    cmake --preset play
    cmake --build --preset play -j"$(nproc)" --target zorvane
    ;;
  test)
    need_packages "${play_packages[@]}" "${test_packages[@]}"
    cmake --preset native
    cmake --build --preset native -j"$(nproc)"
    ;;
  *) echo "usage: setup.sh [play|test]" >&2; exit 2 ;;
esac
