#!/usr/bin/env bash
# The real program on a real X display (Xvfb): set to "Insane", then
# SOAK_SECONDS (default 30) of random keys, menu choices and clicks sent
# through the X server with xdotool, then Quit from the menu bar. Fails unless
# the program stays alive until Quit, exits 0 and writes nothing to stderr
# but the expected notes listed below.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

source scripts/lib/packages.sh
source scripts/lib/x11.sh
if ! need_packages xvfb xdotool; then
  echo "x11 soak: skipped, Xvfb and xdotool cannot be installed here"
  exit 0
fi
[ -f build/CMakeCache.txt ] || bash scripts/setup.sh play
cmake --build build -j"$(nproc)" --target zorvane

game=build/zorvane
seconds=${SOAK_SECONDS:-30}
work=$(mktemp -d)
xvfb=
trap '[ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# A display of our own: Xvfb picks a free number and writes it to fd 3. It
# must not reset when its last client leaves: the second game below would
# find no server while it does.
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
wait_until 20 test -s "$work/display" || { echo "x11 soak: FAILED: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=:$(cat "$work/display")
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

gone() { ! kill -0 "$pid" 2>/dev/null; }
wait_until 20 has_window "$pid" Score || fail "no window appeared"
window=$(window_of "$pid" Score)
xdotool windowfocus "$window" 2>/dev/null || true
wait_until 20 focused "$window" || fail "the window cannot take the focus"

# Where things are, in the window's own pixels. The menu bar titles sit at
# its left: Speed, Size, Quit; a menu's items are about 23 pixels apart.
geometry() { eval "$(xdotool getwindowgeometry --shell "$window" 2>/dev/null)"; }
menu_y=10
speed_x=28; size_x=74; quit_x=112
item_y0=30; item_step=23

# Keys never reach the menu bar, or a random Left, Right and Return could walk
# it to Quit: a menu is only ever opened, used and closed with the mouse, and
# every batch starts by clicking away any menu still open.
# An open menu is a window of its own; a click on the board's corner closes it.
menus_closed_or_click_away() {
  (($(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l) <= 1)) && return 0
  xdotool mousemove --window "$window" 3 $((HEIGHT - 3)) click 1 2>/dev/null || true
  return 1
}
close_menus() { wait_until 20 menus_closed_or_click_away || fail "a menu stayed open, after $events events"; }

xdotool key F1   # Insane
xdotool key Right

keys=(Left Right Up Down Left Right Up Down Left Right Up Down p a space Return Escape F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12 Tab)
events=0
titles=$work/titles
end=$((SECONDS + seconds))
while [ "$SECONDS" -lt "$end" ]; do
  kill -0 "$pid" 2>/dev/null || fail "the game ended before Quit, after $events events"
  geometry || fail "the window is gone, after $events events"
  xdotool getwindowname "$window" >>"$titles" 2>/dev/null || fail "the window is gone, after $events events"
  close_menus
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
      # Open Speed or Size and click an item, or a place below the last
      # item, which closes the menu like Escape; then click away in case
      # the menu opened late. The pauses only pace the input: nothing is
      # checked here, and a click that misses the menu is random input too.
      x=$speed_x; [ $((RANDOM % 2)) -eq 0 ] && x=$size_x
      y=$((item_y0 + item_step * (RANDOM % 7)))
      batch+=(mousemove --window "$window" "$x" "$menu_y" click --delay 2 1 sleep 0.15
              mousemove --window "$window" $((x + 20)) "$y" click --delay 2 1 sleep 0.1
              mousemove --window "$window" 3 $((HEIGHT - 3)) click --delay 2 1)
    else
      # The centre of the board: Game Over and Pause sit there.
      batch+=(mousemove --window "$window" $((WIDTH / 2)) $((HEIGHT / 2)) click --delay 2 1)
    fi
    events=$((events + 1))
  done
  # A menu may be closing under the pointer; a refused request is no fault of the game.
  xdotool "${batch[@]}" 2>/dev/null || true
done
close_menus

kill -0 "$pid" 2>/dev/null || fail "the game ended before Quit, after $events events"
xdotool windowfocus "$window" 2>/dev/null || true
xdotool mousemove --window "$window" "$quit_x" "$menu_y" click 1
wait_until 20 gone || fail "Quit did not end the game"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"

# The one note the toolkit may print on a bare X server; anything else is a fault.
expected='^qt\.qpa\.xcb: X server does not support XInput 2$'
unexpected=$(grep -Ev "$expected" "$work/stderr" || true)
[ -z "$unexpected" ] || fail "unexpected output on stderr"
# The game really played: its title (the score) changed during the run.
scores=$(sort -u "$titles" | wc -l)
[ "$scores" -ge 3 ] || fail "the title showed only $scores different scores"

# Another program destroying the window ends the game as well.
"$game" 2>"$work/stderr" &
pid=$!
wait_until 20 has_window "$pid" Score || fail "no second window"
window=$(window_of "$pid" Score)
xdotool key Right windowclose "$window" || fail "xdotool could not destroy the window"
wait_until 20 gone || fail "the game ran on after its window was destroyed"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after the window was destroyed"
[ ! -s "$work/stderr" ] || fail "output on stderr after the window was destroyed"

echo "x11 soak: window destroyed by xdotool windowclose: the game ended with status 0"
echo "x11 soak: $events events in ${seconds}s at Insane, $scores different titles seen, Quit ended the game with status 0"
