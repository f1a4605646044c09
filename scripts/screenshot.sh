#!/usr/bin/env bash
# Takes docs/screenshot.png: starts the game under a virtual X server, plays a
# few moves with xdotool and captures the window.
# Needs: xvfb xauth xdotool imagemagick (installed here when missing).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if [ "${1:-}" != "--inside" ]; then
  source scripts/lib/packages.sh
  need_packages xvfb xauth xdotool imagemagick
  bash scripts/setup.sh play
  exec xvfb-run -a -s "-screen 0 800x600x24" bash "$0" --inside
fi

source scripts/lib/x11.sh
work=$(mktemp -d)
./build/zorvane &
pid=$!
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "screenshot: $*" >&2; exit 1; }
wait_until 20 has_window "$pid" Score || fail "no game window"
wid=$(window_of "$pid" Score)
xdotool windowfocus "$wid"
wait_until 20 focused "$wid" || fail "the game window never got the focus"
wait_until 20 painted "$wid" || fail "the game window was never painted"

# The whole score as the title shows it; each tick adds a half.
score_at_least() { local t; t=$(xdotool getwindowname "$wid"); t=${t#Score: }; ((${t%%/*} >= $1)); }
# A short run, counted in ticks: right, then down, then left, then a pause.
run() {  # run KEY SCORE
  xdotool key "$1"
  wait_until 20 score_at_least "$2" || fail "the snake stopped before score $2 ($(xdotool getwindowname "$wid"); a crash: every board is random, run again)"
}
run Right 6
run Down 10
run Left 12
shot "$wid" "$work/before.png"
xdotool key p
pause_shown() { (($(changed_pixels "$wid" "$work/before.png" "$(pause_box "$wid")") > 1000)); }
wait_until 20 pause_shown || fail "Pause did not show"
import -window "$wid" docs/screenshot.png
echo "wrote docs/screenshot.png ($(xdotool getwindowname "$wid"))"
