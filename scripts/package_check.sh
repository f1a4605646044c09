#!/usr/bin/env bash
# The packaging check (CTest: package.deb). Installs the game into a staging
# folder and checks what lands there; builds the Debian package and lints
# it; installs it with apt, starts the game from its desktop entry on the
# checks' virtual display, removes it and checks that nothing is left. Works
# on build/, the test command's build. Installing a package needs root: as
# any other user it is skipped, saying why.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if [ "$(id -u)" -ne 0 ]; then
  echo "package check skipped: it installs and removes a Debian package, which needs root (running as $(id -un))"
  exit 77
fi
source scripts/lib/packages.sh
source scripts/lib/x11.sh
if installed zorvane; then
  echo "package check: a zorvane package is installed already; remove it first (apt-get remove zorvane)" >&2
  exit 1
fi

app_id=io.github.zorvane.Zorvane
stage=$(mktemp -d)
pid=
cleanup() {
  [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
  rm -rf "$stage"
  if dpkg-query -W -f='${Status}' zorvane 2>/dev/null | grep -q "installed"; then
    "${apt_cmd[@]}" purge -y zorvane >/dev/null
  fi
}
trap cleanup EXIT
fail() { echo "package check FAILED: $*" >&2; exit 1; }

# hardening-check on a binary of the game must pass. Two of its reports
# cannot be made true, so each is let through only for its reason, checked:
# - Fortify (its manual calls this a false alarm): the binary calls no
#   __*_chk function, because no call hands the C library a length it could
#   check at run time. The clock's read of its 8-byte timer count has a
#   length the compiler proved in bounds; memcpy, memmove and memset come
#   from the C++ library's strings and vectors, which call the compiler's
#   builtins, and those _FORTIFY_SOURCE does not wrap. So every object must
#   be compiled with it, and no other function be left unprotected.
# - Control flow: GNU ld marks a program for IBT and SHSTK only if every
#   object it links is marked. Ours are (-fcf-protection), but Debian 12's
#   C library start files (Scrt1.o, crti.o, crtn.o) are not, and marking the
#   program anyway (-z ibt -z shstk) would be false: their _init and _fini,
#   which the C library calls through the pointers DT_INIT and DT_FINI,
#   start with no endbr64. So the game is linked again with -z cet-report,
#   and the linker must name no other object.
hardening() {
  local report skips=() left unmarked
  report=$(hardening-check --verbose "$1") || true
  echo "$report"
  if grep -q 'Fortify Source functions: no, only unprotected' <<<"$report"; then
    ! find build/src -name flags.make -exec grep -L -- -D_FORTIFY_SOURCE= {} + | grep . || fail "built without fortify"
    ! left=$(sed -n 's/^\tunprotected: //p' <<<"$report" | grep -vxE 'memcpy|memmove|memset|read') ||
      fail "unprotected calls to look at: $left"
    echo "  fortify: on in every object; the calls left are proved in bounds, or the C++ library's builtins"
    skips+=(--nofortify)
  fi
  if grep -q 'Control flow integrity: no' <<<"$report"; then
    unmarked=$(cd build/src/qt && eval "$(head -1 CMakeFiles/zorvane.dir/link.txt) -o $stage/relinked -Wl,-z,cet-report=warning" 2>&1 |
      sed -n 's/.*: \(.*\): warning: missing IBT and SHSTK properties$/\1/p' | xargs -r realpath)
    [ -n "$unmarked" ] || fail "the program is unmarked for control flow, though the linker names no unmarked object"
    for object in $unmarked; do
      [[ $(basename "$object") =~ ^S?crt[1in]\.o$ && $(dpkg -S "$object") == libc6-dev:* ]] ||
        fail "$object is linked in without control-flow marking"
    done
    echo "  control flow: every object marked but the C library's start files:" $unmarked
    skips+=(--nocfprotection)
  fi
  hardening-check --quiet "${skips[@]}" "$1" || fail "hardening-check $1"
}

echo "== staged install"
DESTDIR="$stage" cmake --install build --prefix /usr --strip >/dev/null
expected="usr/bin/zorvane
usr/share/applications/$app_id.desktop
usr/share/doc/zorvane/changelog.gz
usr/share/doc/zorvane/copyright
usr/share/icons/hicolor/128x128/apps/zorvane.png
usr/share/icons/hicolor/16x16/apps/zorvane.png
usr/share/icons/hicolor/256x256/apps/zorvane.png
usr/share/icons/hicolor/32x32/apps/zorvane.png
usr/share/icons/hicolor/48x48/apps/zorvane.png
usr/share/icons/hicolor/64x64/apps/zorvane.png
usr/share/icons/hicolor/scalable/apps/zorvane.svg
usr/share/man/man6/zorvane.6.gz
usr/share/metainfo/$app_id.metainfo.xml"
diff <(echo "$expected") <(cd "$stage" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort) ||
  fail "the staged install differs from the expected files (< expected, > installed)"
! readelf -d "$stage/usr/bin/zorvane" | grep -E 'RPATH|RUNPATH' || fail "the installed binary has a search path"
for size in 16 32 48 64 128 256; do
  # A PNG's width and height are the big-endian words at bytes 16 and 20.
  read -r -a b < <(od -An -tu1 -j16 -N8 "$stage/usr/share/icons/hicolor/${size}x$size/apps/zorvane.png")
  w=$(( b[0] << 24 | b[1] << 16 | b[2] << 8 | b[3] )) h=$(( b[4] << 24 | b[5] << 16 | b[6] << 8 | b[7] ))
  [ "$w x $h" = "$size x $size" ] || fail "the ${size}x$size icon is $w x $h"
done
desktop-file-validate "$stage/usr/share/applications/$app_id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --strict "$stage/usr/share/metainfo/$app_id.metainfo.xml" || fail "appstreamcli validate"
# The tree check also finds the desktop entry the metainfo launches.
appstreamcli validate-tree --no-net --strict "$stage" >/dev/null || fail "appstreamcli validate-tree"

echo "== package"
rm -f build/zorvane_*.deb
(cd build && cpack -G DEB >/dev/null)
debs=(build/zorvane_*.deb)
deb=$PWD/${debs[0]}
dpkg-deb -I "$deb" control
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = zorvane ] || fail "Package is $(field Package)"
[ "$(field Section)" = games ] || fail "Section is $(field Section)"
field Depends | grep -q 'libqt6widgets6' || fail "Depends lacks the Qt 6 widgets runtime"
field Depends | grep -q 'fonts-liberation' || fail "Depends lacks the buttons' font"
[ "$(field Description | wc -l)" -gt 2 ] || fail "no extended description"
! field Description | head -1 | grep -qi '^zorvane' || fail "the summary starts with the package name"
echo "-- hardening, the package's binary"
dpkg-deb -x "$deb" "$stage/deb"
hardening "$stage/deb/usr/games/zorvane"
echo "-- lintian"
lintian --fail-on error,warning --display-info "$deb" || fail "lintian"

echo "== install, start, remove"
"${apt_cmd[@]}" install -y "$deb" >/dev/null
entry=/usr/share/applications/$app_id.desktop
exec_path=$(sed -n 's/^Exec=//p' "$entry")
wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
files=$(dpkg-query -L zorvane | while read -r f; do [ -d "$f" ] || echo "$f"; done)
[ -x "$exec_path" ] || fail "Exec=$exec_path is not an installed program"
echo "-- hardening, the installed binary"
hardening "$exec_path"
desktop-file-validate "$entry" || fail "desktop-file-validate on the packaged entry"
"$exec_path" 2>/dev/null &
pid=$!
wait_for "$start_budget" "a window titled with the score" has_window $pid "^Score: " || fail "starting $exec_path"
wid=$(window_of $pid "^Score: ")
echo "window: $(xdotool getwindowname "$wid")"
xprop -id "$wid" WM_CLASS | grep -qx "WM_CLASS(STRING) = \"zorvane\", \"$wm_class\"" ||
  fail "WM_CLASS differs from StartupWMClass=$wm_class: $(xprop -id "$wid" WM_CLASS)"
xprop -id "$wid" -f _NET_WM_ICON 32c _NET_WM_ICON | grep -qE "= [1-9][0-9]*, [1-9][0-9]*, " || fail "the window has no icon"
kill $pid
wait $pid 2>/dev/null || true
pid=
"${apt_cmd[@]}" remove -y zorvane >/dev/null
left=$(for f in $files; do [ ! -e "$f" ] || echo "$f"; done)
[ -z "$left" ] || fail "left behind after removal: $left"
echo "package check passed: $(basename "$deb"), $(echo "$files" | wc -l) files installed and removed"
