#!/usr/bin/env bash
# Builds the Windows game from a fresh clone: installs what is missing
# (Debian's MinGW-w64, NSIS and the icon renderers), then builds the 32-bit
# and 64-bit .exe, each with its portable zip and its installer, in
# build-windows-x86/ and build-windows-x64/. Runs nothing.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/packages.sh
need_packages cmake make googletest g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix \
  nsis librsvg2-bin imagemagick
for preset in windows-x86 windows-x64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target windows_packages
done
echo "Built:"
ls -1 build-windows-x86/zorvane.exe build-windows-x86/zorvane-*-win32.zip build-windows-x86/zorvane-*-win32-setup.exe \
  build-windows-x64/zorvane.exe build-windows-x64/zorvane-*-win64.zip build-windows-x64/zorvane-*-win64-setup.exe
