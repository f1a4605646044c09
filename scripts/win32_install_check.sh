#!/usr/bin/env bash
# The Windows zip and installer of a preset (CTest: windows-x64.install,
# windows-x86.install): checks the zip's files (the texts with Windows line
# endings, the libraries' notices), the installer's machine and DPI
# awareness and the game's request for no elevation; under Wine, that a
# Windows 8.1 gets the installer's refusal and, where the installer is
# bypassed, the game's own message; installs silently over an install by
# the first installers, which must go, and checks the installed files, the
# Start-menu shortcut and the Apps & features entry (with its size) of this
# machine type; starts the installed game on the
# checks' virtual display, and while it runs, an uninstall and an install
# must fail and leave it whole; Quits it, uninstalls silently and checks
# that nothing of it is left. The 32-bit check installs the 64-bit build
# beside it and removes the 32-bit one, which must leave the other whole.
# Where the preset's programs cannot run here (32-bit ones on a kernel
# without them, scripts/lib/wine.sh), only the files are checked.
# Usage: win32_install_check.sh PRESET.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/wine.sh
source scripts/lib/x11.sh

preset=$1
fail() { echo "win32 install check ($preset): FAILED: $*" >&2; exit 1; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "build-$preset/CMakeCache.txt")

# What each build installs where: sets bits, programs, view, machine, tag,
# name, zip, setup, dir, link and key for preset $1.
build_of() {
  bits=win32 programs="Program Files (x86)" view=32 machine=pei-i386 tag=x86 name="Zorvane (32-bit)"
  if [ "$1" = windows-x64 ]; then
    bits=win64 programs="Program Files" view=64 machine=pei-x86-64 tag=x64 name="Zorvane (64-bit)"
  fi
  zip=build-$1/zorvane-$version-$bits.zip
  setup=build-$1/zorvane-$version-$bits-setup.exe
  dir="$WINEPREFIX/drive_c/$programs/Zorvane"
  link="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$name.lnk"
  key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zorvane-$tag"
}
build_of "$preset"
texts=(README.txt LICENSE.txt THIRD-PARTY.txt)

listing=$(unzip -Z1 "$zip")
for f in zorvane.exe "${texts[@]}"; do
  grep -qx "zorvane-$version-$bits/$f" <<<"$listing" || fail "$f missing from $zip"
  [ "$f" = zorvane.exe ] || ! unzip -p "$zip" "zorvane-$version-$bits/$f" | grep -qv $'\r$' ||
    fail "$f in $zip has lines without Windows line endings"
done
notices=$(unzip -p "$zip" "zorvane-$version-$bits/THIRD-PARTY.txt")
for library in winpthreads libstdc++ "GCC RUNTIME LIBRARY EXCEPTION" "mingw-w64 project"; do
  grep -qF "$library" <<<"$notices" || fail "THIRD-PARTY.txt names no $library"
done
# The installer is a program for the build's own machine, sharp on scaled
# screens; the game asks for no elevation.
objdump -f "$setup" | grep -q "file format $machine\$" || fail "$setup is not $machine: $(objdump -f "$setup" | grep format)"
grep -aq 'dpiAware xmlns="[^"]*">true<' "$setup" || fail "the installer's manifest is not DPI-aware"
grep -aq 'requestedExecutionLevel level="asInvoker"' "build-$preset/zorvane.exe" ||
  fail "the game's manifest does not ask to run as its invoker"
if [ "$preset" = windows-x86 ] && ! x86_runs; then
  echo "win32 install check ($preset): $(stat -c %s "$zip") byte zip, $(stat -c %s "$setup") byte $machine installer;" \
    "not run: $(x86_skip_line)"
  exit 0
fi
work=$(mktemp -d)
# Ends the game it started, if any, so that CTest's pipe is not held open.
pid=
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT

registered() { wine_for "$1" reg query "$key" /reg:$view 2>/dev/null | grep -q "DisplayName.*$name"; }
installed_whole() {
  [ -f "$dir/uninstall.exe" ] && [ -f "$link" ] && registered "$1" &&
    cmp -s "$dir/zorvane.exe" "build-$1/zorvane.exe" || return 1
  local f
  for f in "${texts[@]}"; do cmp -s "$dir/$f" "build-$1/src/win32/$f" || return 1; done
}
removed() { [ ! -e "$dir" ] && [ ! -e "$link" ] && ! registered "$1"; }
# Removes build $1 silently; the uninstaller runs on from a copy of itself.
uninstall() {
  build_of "$1"
  wine_for "$1" "$dir/uninstall.exe" /S
  wait_for "$react_budget" "the uninstaller of $name to finish" removed "$1" || true
  [ ! -e "$dir" ] || fail "$dir is left after uninstalling"
  [ ! -e "$link" ] || fail "the shortcut $name.lnk is left after uninstalling"
  ! registered "$1" || fail "the Apps & features entry $name is left after uninstalling"
}

# Windows 8.1, for copies of the installer and the game under names of their
# own (Wine's per-program setting), so that nothing else in the prefix runs
# as Windows 8.1.
old_windows() {
  cp "$1" "$work/$2"
  wine_for "$preset" reg add "HKCU\\Software\\Wine\\AppDefaults\\$2" /v Version /d win81 /f >/dev/null 2>&1
}
old_windows "$setup" "win81-setup-$tag.exe"
status=0
wine_for "$preset" "$work/win81-setup-$tag.exe" /S || status=$?
[ "$status" = 2 ] || fail "the installer did not refuse Windows 8.1 (exit status $status)"
[ ! -e "$dir" ] || fail "the installer wrote $dir on Windows 8.1"
# The game started there says what it needs in a message box (Wine's
# message box trace carries its text), opens no game window and ends with 1 once
# the box is closed.
old_windows "build-$preset/zorvane.exe" "win81-zorvane-$tag.exe"
WINEDEBUG=+msgbox scripts/lib/wine_for.sh "$preset" "$work/win81-zorvane-$tag.exe" 2>"$work/win81.log" &
pid=$!
box() { box=$(xdotool search --onlyvisible --name '^Zorvane$' 2>/dev/null | head -1) && [ -n "$box" ]; }
told() { grep -q 'MSGBOX_OnInit L"Zorvane needs Windows 10 version 1803 or later."' "$work/win81.log"; }
wait_for "$start_budget" "the game's message on Windows 8.1" told || fail "no message naming the Windows needed"
wait_for "$react_budget" "the game's message box on the screen" box || fail "no message box shown on Windows 8.1"
! game_window || fail "the game opened its window on Windows 8.1"
# Return on the focused box: a key sent to a window that has just gone
# would be left held down on the display.
close_box() { ended "$pid" || { box && xdotool windowactivate --sync "$box" key Return 2>/dev/null; false; }; }
wait_for "$react_budget" "the game to end after its message" close_box || fail "the game stayed after its message"
status=0
wait "$pid" || status=$?
[ "$status" = 1 ] || fail "the game ended with status $status on Windows 8.1"
pid=
for program in "win81-setup-$tag.exe" "win81-zorvane-$tag.exe"; do
  wine_for "$preset" reg delete "HKCU\\Software\\Wine\\AppDefaults\\$program" /f >/dev/null 2>&1
done

# An install by the first installers, in a folder of its own, under the
# entry and shortcut both machine types shared: installing removes it.
old_dir=$work/Zorvane old_link=${link%/*}/Zorvane.lnk old_key=${key%-*}
mkdir "$old_dir" && cp "build-$preset/zorvane.exe" "$old_dir/" && touch "$old_dir/LICENSE.txt" "$old_dir/uninstall.exe" "$old_link"
wine_for "$preset" reg add "$old_key" /v InstallLocation /d "Z:${old_dir//\//\\}" /reg:$view /f >/dev/null 2>&1 ||
  fail "planting an older install's entry"
wine_for "$preset" "$setup" /S || fail "the silent install ended with status $?"
installed_whole "$preset" || fail "$name is not installed whole: files, shortcut and entry"
[ ! -e "$old_dir" ] && [ ! -e "$old_link" ] && ! wine_for "$preset" reg query "$old_key" /reg:$view >/dev/null 2>&1 ||
  fail "the older install's files, Zorvane.lnk or entry are left"
size=$(wine_for "$preset" reg query "$key" /v EstimatedSize /reg:$view 2>/dev/null | sed -n 's/.*REG_DWORD *0x\([0-9a-f]*\).*/\1/p')
[ -n "$size" ] && (($((16#$size)) >= $(stat -c %s "$dir/zorvane.exe") / 1024)) ||
  fail "the Apps & features entry's EstimatedSize is missing or smaller than the game (${size:-none})"

# The installed game starts, shows its window, which the window manager may
# not maximize or resize. While it runs, uninstalling (in place, for its
# status) and installing again fail and leave it whole. Quit ends it with 0.
scripts/lib/wine_for.sh "$preset" "C:\\$programs\\Zorvane\\zorvane.exe" &
pid=$!
wait_for "$start_budget" "the installed game's window" game_window || fail "the installed game showed no window"
actions=$(xprop -id "$wid" _NET_WM_ALLOWED_ACTIONS)
if ! grep -q ACTION_MINIMIZE <<<"$actions" || grep -qE "ACTION_(MAXIMIZE|RESIZE)" <<<"$actions"; then
  fail "the window manager may maximize or resize the window: $actions"
fi
# In place (_?=, which must stand unquoted, as only a batch file passes
# it) the uninstaller's status is its own, not that of the copy it starts.
printf '"C:\\%s\\Zorvane\\uninstall.exe" /S _?=C:\\%s\\Zorvane\r\nexit %%ERRORLEVEL%%\r\n' \
  "$programs" "$programs" >"$work/uninstall.bat"
status=0
wine_for "$preset" cmd /c "Z:${work//\//\\}\\uninstall.bat" >/dev/null || status=$?
[ "$status" = 2 ] || fail "uninstalling while the game runs ended with status $status, not 2"
status=0
wine_for "$preset" "$setup" /S || status=$?
[ "$status" = 2 ] || fail "installing while the game runs ended with status $status, not 2"
installed_whole "$preset" || fail "$name is no longer whole after an uninstall and an install while it ran"
win32_quit "$wid"
wait_for "$react_budget" "the installed game to end after Quit" ended "$pid" || fail "Quit did not end the installed game"
wait "$pid" || fail "the installed game ended with status $? after Quit"
pid=

# The 32-bit and 64-bit installs side by side: removing the 32-bit one
# leaves the 64-bit one whole.
if [ "$preset" = windows-x86 ]; then
  build_of windows-x64
  wine_for windows-x64 "$setup" /S || fail "the 64-bit install beside the 32-bit one ended with status $?"
  installed_whole windows-x64 || fail "the 64-bit install beside the 32-bit one is not whole"
  uninstall windows-x86
  build_of windows-x64
  installed_whole windows-x64 || fail "removing the 32-bit install broke the 64-bit one"
  uninstall windows-x64
else
  uninstall "$preset"
fi
build_of "$preset"
echo "win32 install check ($preset): $(stat -c %s "$zip") byte zip, $(stat -c %s "$setup") byte installer:" \
  "refused on Windows 8.1 (installer and game), silent install replacing an older one, shortcut, entry of $((16#$size)) KB," \
  "uninstall and install refused while the game runs, start, Quit, silent uninstall$([ "$preset" = windows-x86 ] &&
    echo ", side by side with the 64-bit install"), nothing left"
