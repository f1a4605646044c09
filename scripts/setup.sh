#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, run and be tested,
# then configures and builds everything in build/. Sourced by play.sh and test.sh.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."

packages=(
  g++ make cmake pkg-config
  qt6-base-dev libgl-dev          # Qt 6 Widgets and Test (and the GL headers Qt's CMake files look for)
  libgtest-dev libbenchmark-dev   # tests and benchmarks
  fonts-liberation fontconfig     # a metric match for Arial on the buttons
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
    as_root=(sudo)
  fi
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)" "$@"
