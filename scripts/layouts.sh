#!/usr/bin/env bash
# The game on the checks' virtual display, with its window manager (CTest:
# desktop.layouts): on each keyboard layout the key that types p, or on a
# non-Latin layout the key at P's place, shows Pause; Escape from a menu or
# from the menu bar gives the arrows back; the window asks for no maximize
# button. About 10 seconds. Every check waits for what it expects, with a
# deadline (scripts/lib/wait.sh). Usage: layouts.sh GAME.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/x11.sh
game=("$1")
work=$(mktemp -d)
pid=
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT
# A fresh board waits at " 0/ 0"; the first steps change the title, or end in a crash.
ticked() { wait_until "$react_budget" moved_since "Score:  0/ 0"; }
pause_shown() { (($(changed_pixels "$wid" "$work/before.png" "$(pause_box "$wid")") > 1000)); }
# The menu bar in keyboard mode draws its first title (Speed) highlighted.
menu_bar_keys() { (($(changed_pixels "$wid" "$work/bar.png" "$bar_title_box") > 200)); }
press_alt() {
  shot "$wid" "$work/bar.png"
  xdotool key Alt_L
  wait_until "$react_budget" menu_bar_keys
}
# An open menu is a window of its own.
menu_open() { (($(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l) > 1)); }
# Menus closed and the bar as it was before Alt: the keys are the board's again.
menus_left() { ! menu_open && (($(changed_pixels "$wid" "$work/bar.png" "$bar_title_box") < 50)); }
# Escape, and once it has been handled, Left: an arrow sent along with the
# Escape can reach the menu bar before it has let the keys go.
escape_then_left() {
  xdotool key Escape
  wait_until "$react_budget" menus_left || return 1
  xdotool key Left
  ticked
}

# The Pause button is drawn before the tick that moves the head.
check_layouts "us:p:1" "de:p:1" "fr:p:1" "us -variant dvorak:p:1" "us -variant dvorak:l:0" \
              "ru:Cyrillic_ze:1" "ua:Cyrillic_ze:1" "gr:Greek_pi:1"

start_game "${game[@]}"
hints=$(xprop -id "$wid" _MOTIF_WM_HINTS | cut -d= -f2)  # flags, functions, decorations, ...
IFS=', ' read -r _ functions decorations _ <<<"$hints"
check "no maximize function or button asked for ($hints)" [ $((functions & 0x10 | decorations & 0x40)) = 0 ]
check "Alt gives the menu bar the keys" press_alt
xdotool key Down
check "Down from the menu bar opens Speed" wait_until "$react_budget" menu_open
check "Alt, Down, Escape from the Speed menu, then Left steers" escape_then_left
stop_game

start_game "${game[@]}"
check "Alt gives the menu bar the keys" press_alt
check "Alt, Escape, then Left steers" escape_then_left
stop_game

((failures == 0)) || { echo "layouts: $failures check(s) failed"; exit 1; }
echo "layouts: all checks passed"
