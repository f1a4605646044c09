#!/usr/bin/env bash
# Takes docs/screenshot.png: starts the game under a virtual X server, plays a
# few moves with xdotool and captures the window.
# Needs: xvfb xauth xdotool imagemagick (installed here when missing).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if [ "${1:-}" != "--inside" ]; then
  source scripts/packages.sh
  need_packages xvfb xauth xdotool imagemagick
  bash scripts/setup.sh play
  exec xvfb-run -a -s "-screen 0 800x600x24" bash "$0" --inside
fi

./build/zorvane &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  wid=$(xdotool search --pid "$pid" --name "Score" 2>/dev/null | head -1 || true)
  [ -n "$wid" ] && break
  sleep 0.1
done
xdotool windowfocus --sync "$wid"
sleep 0.5
# A short run: right, then down, then a pause.
xdotool key Right; sleep 0.9
xdotool key Down; sleep 0.6
xdotool key Left; sleep 0.3
xdotool key p; sleep 0.4
import -window "$wid" docs/screenshot.png
echo "wrote docs/screenshot.png ($(xdotool getwindowname "$wid"))"
