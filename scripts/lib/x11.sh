# Sourced by the scripts that drive the game on an X server. A check waits
# for what it expects to see (a title, pixels, a window), up to a deadline,
# never for a fixed time: on a loaded machine the game and the X server may
# take far longer than usual, and a fixed sleep then checks too early.
source "$(dirname "${BASH_SOURCE[0]}")/wait.sh"

# The first shown window of process $1 whose title matches $2; fails while
# there is none.
window_of() {
  local w
  w=$(xdotool search --onlyvisible --pid "$1" --name "$2" 2>/dev/null | head -1)
  [ -n "$w" ] && echo "$w"
}
has_window() { window_of "$@" >/dev/null; }

title_is() { [ "$(xdotool getwindowname "$1" 2>/dev/null)" = "$2" ]; }

# Whether window $1 has the keyboard focus.
focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# shot WINDOW FILE: the window's pixels as they are on the server now.
shot() { import -window "$1" -depth 8 "$2" 2>/dev/null; }

# changed_pixels WINDOW REFERENCE GEOMETRY: how many pixels of the area
# GEOMETRY (WxH+X+Y) differ between the window now and the shot REFERENCE.
changed_pixels() {
  local now=${2%.png}-now.png n
  shot "$1" "$now" || { echo 0; return; }
  n=$(compare -metric AE -extract "$3" "$2" "$now" null: 2>&1 || true)
  echo "${n%% *}"
}

# pixel_is WINDOW X Y RRGGBB: whether the window's pixel at X, Y has that colour.
pixel_is() {
  [ "$(import -window "$1" -depth 8 png:- 2>/dev/null | convert png:- -format "%[hex:p{$2,$3}]" info: 2>/dev/null)" = "$4" ]
}

# Where things are in the game's window, in its pixels at scale 1. The
# bottom 468 pixels are the default board (50 cells a side, the wall ring
# around it), below the menu bar, whose first 60 x 19 pixels hold the Speed
# title. The Qt window's bar is inside the window: the titles Speed, Size
# and Quit at 28, 74 and 112 from its left, 10 down, a menu's items 23
# apart from 30 down. The Windows window's bar lies just above its client
# area: the titles at 20, 60 and 93, 10 above, the items 16 apart from 10
# down.
board_side=468
bar_title_box=60x19+0+0
qt_titles=(28 74 112) qt_title_y=10 qt_item_y=30 qt_item_step=23
win32_titles=(20 60 93) win32_item_y=10 win32_item_step=16
SPEED=0 SIZE=1 QUIT=2

# Sets X, Y, WIDTH and HEIGHT to window $1's place and size.
where() { eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)"; }
board_top() { where "$1"; echo $((HEIGHT - board_side)); }
# Painted at least once: the top-left wall cell shows the wall's fill.
painted() { pixel_is "$1" 4 $(($(board_top "$1") + 4)) FFFF80; }
# The right part of the Pause button's place: clear of the column the snake
# starts in and of the Game Over button, which overlaps its left part.
pause_box() { echo "42x49+271+$(($(board_top "$1") + 216))"; }

# Whether the board shows a crash: a cell filled with the crash's red. Every
# cell's outline is that red too, but a pixel or two wide, which the
# erosion takes away.
crashed() {
  [ "$(import -window "$1" -depth 8 png:- 2>/dev/null |
    convert png:- -fill black +opaque '#FF0000' -morphology Erode Square:1 -format '%[fx:maxima.r]' info: 2>/dev/null)" = 1 ]
}
# Whether the game in window $wid has moved since its title was $1: a new
# score, or a crash at the first step (the boards are random, and an
# obstacle may lie right beside the head).
moved_since() { ! title_is "$wid" "$1" || crashed "$wid"; }

# win32_menu_click WINDOW TITLE: a click on a title of the Windows
# program's menu bar ($SPEED, $SIZE, $QUIT); win32_choose WINDOW TITLE ITEM
# then clicks the menu's ITEMth item (from 0).
win32_menu_click() {
  where "$1"
  xdotool mousemove $((X + win32_titles[$2])) $((Y - 10)) click 1
}
win32_choose() {
  win32_menu_click "$1" "$2"
  sleep 0.15
  xdotool mousemove $((X + win32_titles[$2] + 10)) $((Y + win32_item_y + win32_item_step * $3)) click 1
}
win32_quit() { win32_menu_click "$1" "$QUIT"; }

# Sets wid to the game's shown window, whoever started it (under Wine the
# windows belong to Wine's own processes); fails while there is none.
game_window() { wid=$(xdotool search --onlyvisible --name "^Score:" 2>/dev/null | head -1) && [ -n "$wid" ]; }

# start_game COMMAND...: starts the game (pid), waits until its window
# (wid) is shown, holds the keys and is painted. stop_game ends it and
# waits until its window has gone. Either fails the check when it gives up.
start_game() {
  "$@" 2>/dev/null &
  pid=$!
  wid=
  wait_for "$start_budget" "the game's window ($*)" game_window || exit 1
  xdotool windowactivate "$wid" 2>/dev/null || true
  wait_for "$react_budget" "the game's window to get the focus" focused "$wid" || exit 1
  wait_for "$react_budget" "the game's window to be painted" painted "$wid" || exit 1
}
stop_game() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=
  wait_for "$react_budget" "the game's window to go" eval '! game_window' || exit 1
}
# start_running COMMAND...: start_game, then Up sets the snake going. A snake
# that crashes at once is started again on a new board.
start_running() {
  local attempt
  for attempt in 1 2 3; do
    start_game "$@"
    xdotool key Up
    wait_for "$react_budget" "Up to start the snake" moved_since "Score:  0/ 0" || exit 1
    crashed "$wid" || return 0
    stop_game
  done
  echo "the snake crashed at its first steps on three boards" >&2
  exit 1
}

# check_layouts ENTRY...: each entry is "layout:keysym:pauses". On that
# keyboard layout a fresh game gets the key, then Up: once the snake has
# moved both have been handled (Up also keeps the head out of the Pause
# button's place), and Pause shows or not. The caller sets game (the
# command that starts the game, an array) and defines pause_shown (against
# the shot $work/before.png taken here).
check_layouts() {
  local entry layout keysym pauses
  for entry in "$@"; do
    IFS=: read -r layout keysym pauses <<<"$entry"
    setxkbmap $layout  # word splitting passes the variant
    start_game "${game[@]}"
    shot "$wid" "$work/before.png"
    xdotool key "$keysym" Up
    if ! wait_until "$react_budget" moved_since "Score:  0/ 0"; then
      check "$layout: $keysym, then Up starts the snake" false
    elif ((pauses)); then
      check "$layout: $keysym shows Pause" wait_until "$react_budget" pause_shown
    else
      check "$layout: $keysym shows no Pause" eval '! pause_shown'
    fi
    stop_game
  done
  setxkbmap us
}

# check DESCRIPTION COMMAND...: runs a check, says how it went and counts
# the failures in $failures.
failures=0
check() {
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
