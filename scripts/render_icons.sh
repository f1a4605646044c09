#!/usr/bin/env bash
# Renders the PNG icons in data/icons/ from data/zorvane.svg. The PNGs are
# kept in the tree so that building and installing the game needs no SVG
# renderer; run this again whenever the SVG changes, and commit the result.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/packages.sh
need_packages librsvg2-bin imagemagick

for size in 16 32 48 64 128 180 192 256 512; do
  rsvg-convert --width "$size" --height "$size" data/zorvane.svg -o "data/icons/zorvane-$size.png"
done
# For a phone's home screen, which cuts its own shape out of the icon: the
# picture within the middle 80 %, on the board's colour to the edges.
rsvg-convert --width 410 --height 410 data/zorvane.svg |
  convert - -background '#ff8000' -gravity center -extent 512x512 -strip data/icons/zorvane-maskable-512.png
echo "rendered data/icons/zorvane-{16,32,48,64,128,180,192,256,512,maskable-512}.png"
