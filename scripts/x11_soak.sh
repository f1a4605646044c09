#!/usr/bin/env bash
# The real program on a real X display (Xvfb): set to "Insane", then
# SOAK_SECONDS (default 30) of random keys, menu choices and clicks sent
# through the X server with xdotool, then Quit from the menu bar. Fails unless
# the program stays alive until Quit, exits 0 and writes nothing to stderr
# but the expected notes listed below.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if [ "${1:-}" != --on-display ]; then
  source scripts/packages.sh
  if ! need_packages xvfb xauth xdotool; then
    echo "x11 soak: skipped, Xvfb and xdotool cannot be installed here"
    exit 0
  fi
  [ -f build/CMakeCache.txt ] || bash scripts/setup.sh play
  cmake --build build -j"$(nproc)" --target zorvane
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --on-display
fi

game=build/zorvane
seconds=${SOAK_SECONDS:-30}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb

"$game" 2>"$work/stderr" &
pid=$!
fail() {
  echo "x11 soak: FAILED: $*" >&2
  echo "--- stderr of the game:" >&2
  cat "$work/stderr" >&2
  kill "$pid" 2>/dev/null || true
  exit 1
}

window=
for _ in $(seq 100); do
  window=$(xdotool search --sync --onlyvisible --pid "$pid" --name "Score" 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no window appeared"
xdotool windowfocus --sync "$window"

# Where things are, in the window's own pixels. The menu bar titles sit at
# its left: Speed, Size, Quit.
geometry() { eval "$(xdotool getwindowgeometry --shell "$window")"; }
menu_y=10
speed_x=28; size_x=74; quit_x=112

xdotool key F1   # Insane
xdotool key Right

keys=(Left Right Up Down Left Right Up Down Left Right Up Down p a space Return Escape F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12 Tab)
events=0
titles=$work/titles
end=$((SECONDS + seconds))
while [ "$SECONDS" -lt "$end" ]; do
  kill -0 "$pid" 2>/dev/null || fail "the game ended before Quit, after $events events"
  geometry
  xdotool getwindowname "$window" >>"$titles"
  # A batch of events in one call of xdotool, so the X server gets them quickly.
  batch=()
  for _ in 1 2 3 4 5 6 7 8; do
    roll=$((RANDOM % 100))
    if [ "$roll" -lt 60 ]; then
      batch+=(key --delay 2 "${keys[RANDOM % ${#keys[@]}]}")
    elif [ "$roll" -lt 80 ]; then
      # Anywhere on the board, where the buttons come up.
      batch+=(mousemove --window "$window" $((RANDOM % WIDTH)) $((30 + RANDOM % (HEIGHT - 30))) click --delay 2 1)
    elif [ "$roll" -lt 88 ]; then
      # Open Speed or Size and pick an item, or leave the menu with Escape.
      x=$speed_x; [ $((RANDOM % 2)) -eq 0 ] && x=$size_x
      batch+=(mousemove --window "$window" "$x" "$menu_y" click --delay 2 1 sleep 0.05)
      for _ in $(seq $((RANDOM % 6))); do batch+=(key Down); done
      if [ $((RANDOM % 3)) -eq 0 ]; then batch+=(key Escape); else batch+=(key Return); fi
    else
      # The centre of the board: Game Over and Pause sit there.
      batch+=(mousemove --window "$window" $((WIDTH / 2)) $((HEIGHT / 2)) click --delay 2 1)
    fi
    events=$((events + 1))
  done
  xdotool "${batch[@]}"
done

kill -0 "$pid" 2>/dev/null || fail "the game ended before Quit, after $events events"
xdotool windowfocus --sync "$window" || true
xdotool mousemove --window "$window" "$quit_x" "$menu_y" click 1
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "Quit did not end the game"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"

# Notes the toolkit may print on a bare X server; anything else is a fault.
expected='^(qt\.qpa\.xcb: X server does not support XInput 2|qt\.qpa\.xcb: QXcbConnection: XCB error: .*)$'
unexpected=$(grep -Ev "$expected" "$work/stderr" || true)
[ -z "$unexpected" ] || fail "unexpected output on stderr"
# The game really played: its title (the score) changed many times.
scores=$(sort -u "$titles" | wc -l)
[ "$scores" -gt 10 ] || fail "the title showed only $scores different scores"
echo "x11 soak: $events events in ${seconds}s at Insane, $scores different titles seen, Quit ended the game with status 0"
