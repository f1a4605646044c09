#!/usr/bin/env bash
# Renders the PNG icons in data/icons/ from data/zorvane.svg. The PNGs are
# kept in the tree so that building and installing the game needs no SVG
# renderer; run this again whenever the SVG changes, and commit the result.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/packages.sh
need_packages librsvg2-bin

for size in 16 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" data/zorvane.svg -o "data/icons/zorvane-$size.png"
done
echo "rendered data/icons/zorvane-{16,32,48,64,128,256}.png"
