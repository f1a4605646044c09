# Sourced by the scripts that drive the game on an X server. A check waits
# for what it expects to see (a title, pixels, a window), up to a deadline,
# never for a fixed time: on a loaded machine the game and the X server may
# take far longer than usual, and a fixed sleep then checks too early.

# wait_until SECONDS COMMAND...: runs COMMAND until it succeeds; fails once
# SECONDS (a whole number) have passed without success.
wait_until() {
  local seconds=$1
  shift
  local now=${EPOCHREALTIME//[.,]/}
  local deadline=$((now + seconds * 1000000))
  until "$@"; do
    now=${EPOCHREALTIME//[.,]/}
    ((now < deadline)) || return 1
    sleep 0.05
  done
}

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

# The game's window at the default board: the bottom 468 pixels are the
# board (50 cells a side, the wall ring around it), below the menu bar.
board_top() { eval "$(xdotool getwindowgeometry --shell "$1")"; echo $((HEIGHT - 468)); }
# Painted at least once: the top-left wall cell shows the wall's fill.
painted() { pixel_is "$1" 4 $(($(board_top "$1") + 4)) FFFF80; }
# The right part of the Pause button's place: clear of the column the snake
# starts in and of the Game Over button, which overlaps its left part.
pause_box() { echo "42x49+271+$(($(board_top "$1") + 216))"; }

# check_layouts ENTRY...: each entry is "layout:keysym:pauses". On that
# keyboard layout a fresh game gets the key, then Up: once the snake has
# moved both have been handled (Up also keeps the head out of the Pause
# button's place), and Pause shows or not. The caller defines start_game
# (which sets wid), stop_game, started, pause_shown (against the shot
# $work/before.png taken here) and check.
check_layouts() {
  local entry layout keysym pauses
  for entry in "$@"; do
    IFS=: read -r layout keysym pauses <<<"$entry"
    setxkbmap $layout  # word splitting passes the variant
    start_game
    shot "$wid" "$work/before.png"
    xdotool key "$keysym" Up
    if ! wait_until 20 started; then
      check "$layout: $keysym, then Up starts the snake" false
    elif ((pauses)); then
      check "$layout: $keysym shows Pause" wait_until 20 pause_shown
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

# Sets wid to the game's shown window, whoever started it (under Wine the
# windows belong to Wine's own processes); fails while there is none.
game_window() { wid=$(xdotool search --onlyvisible --name "^Score:" 2>/dev/null | head -1) && [ -n "$wid" ]; }

# win32_menu_click WINDOW X: a click on the Windows program's menu bar,
# which lies just above its client area, X pixels from the client's left
# edge: the titles Speed at 20, Size at 60 and Quit at 93.
win32_menu_click() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + $2)) $((Y - 10)) click 1
}
win32_quit() { win32_menu_click "$1" 93; }
