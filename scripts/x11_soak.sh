#!/usr/bin/env bash
# The real program on the checks' virtual display (CTest: desktop.soak): set
# to "Insane", then SOAK_SECONDS (default 30) of random keys, menu choices
# and clicks sent through the X server with xdotool, then Quit from the menu
# bar. Fails unless the program stays alive until Quit, exits 0 and writes
# nothing to stderr but the expected notes listed below.
# Usage: x11_soak.sh GAME.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/x11.sh
game=$1
seconds=${SOAK_SECONDS:-30}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
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

wait_for "$start_budget" "the game's window" has_window "$pid" Score || fail "no window appeared"
window=$(window_of "$pid" Score)
xdotool windowfocus "$window" 2>/dev/null || true
wait_for "$react_budget" "the window to take the focus" focused "$window" || fail "the window cannot take the focus"

# Keys never reach the menu bar, or a random Left, Right and Return could walk
# it to Quit: a menu is only ever opened, used and closed with the mouse, and
# every batch starts by clicking away any menu still open.
# An open menu is a window of its own; a click on the board's corner closes it.
menus_closed_or_click_away() {
  (($(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l) <= 1)) && return 0
  xdotool mousemove --window "$window" 3 $((HEIGHT - 3)) click 1 2>/dev/null || true
  return 1
}
close_menus() { wait_for "$react_budget" "open menus to close" menus_closed_or_click_away || fail "a menu stayed open, after $events events"; }

xdotool key F1   # Insane
xdotool key Right

keys=(Left Right Up Down Left Right Up Down Left Right Up Down p a space Return Escape F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12 Tab)
events=0
titles=$work/titles
end=$((SECONDS + seconds))
while [ "$SECONDS" -lt "$end" ]; do
  ! ended "$pid" || fail "the game ended before Quit, after $events events"
  where "$window" || fail "the window is gone, after $events events"
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
      x=${qt_titles[RANDOM % 2]}
      y=$((qt_item_y + qt_item_step * (RANDOM % 7)))
      batch+=(mousemove --window "$window" "$x" "$qt_title_y" click --delay 2 1 sleep 0.15
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

! ended "$pid" || fail "the game ended before Quit, after $events events"
xdotool windowfocus "$window" 2>/dev/null || true
xdotool mousemove --window "$window" "${qt_titles[QUIT]}" "$qt_title_y" click 1
wait_for "$react_budget" "the game to end after Quit" ended "$pid" || fail "Quit did not end the game"
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
wait_for "$start_budget" "the second game's window" has_window "$pid" Score || fail "no second window"
window=$(window_of "$pid" Score)
xdotool key Right windowclose "$window" || fail "xdotool could not destroy the window"
wait_for "$react_budget" "the game to end with its window" ended "$pid" || fail "the game ran on after its window was destroyed"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after the window was destroyed"
[ ! -s "$work/stderr" ] || fail "output on stderr after the window was destroyed"

echo "x11 soak: window destroyed by xdotool windowclose: the game ended with status 0"
echo "x11 soak: $events events in ${seconds}s at Insane, $scores different titles seen, Quit ended the game with status 0"
