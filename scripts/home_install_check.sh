#!/usr/bin/env bash
# The home-folder install and uninstall (CTest: package.home), in a
# throwaway HOME. The uninstall must remove exactly what the install put
# there and the folders it made, even after cpack has rewritten
# build/install_manifest.txt, and nothing else: folders and files that were
# there before stay, so does a file changed since the install, and a list
# entry outside the prefix is never acted on. About 15 seconds (most of it
# cpack).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "home install check FAILED: $*" >&2; exit 1; }
tree() { (cd "$work" && find . ! -path './cpack*' -printf '%y %p\n' | LC_ALL=C sort); }

export HOME=$work/home
local_dir=$HOME/.local
list=$local_dir/share/zorvane/home-install.list
# A home that already uses some of the install's folders, one of them empty.
mkdir -p "$local_dir/bin" "$local_dir/share/applications" "$local_dir/share/icons/hicolor"
echo "another program" >"$local_dir/bin/other"
echo "not the game's" >"$work/outside"
mkdir "$work/outside-folder"
before=$(tree)

echo "== install, cpack, uninstall"
bash scripts/home_install.sh >/dev/null
[ -x "$local_dir/bin/zorvane" ] || fail "no $local_dir/bin/zorvane"
grep -qx "Exec=$local_dir/bin/zorvane" "$local_dir/share/applications/"*.desktop || fail "the menu entry does not name the installed binary"
# The list names every file the install added and every folder it made.
added=$(comm -13 <(echo "$before") <(tree) | cut -c3- | sed "s|^\.|$work|" | grep -vxF "$list" | LC_ALL=C sort)
listed=$(cut -f2- "$list" | sed 's/^[0-9a-f]*\t//' | LC_ALL=C sort)
[ "$added" = "$listed" ] || fail "the list differs from what the install added: $(diff <(echo "$added") <(echo "$listed"))"

(cd build && cpack -G DEB -B "$work/cpack" >/dev/null)
grep -q '^/usr/bin/zorvane$' build/install_manifest.txt || fail "cpack left build/install_manifest.txt as it was"
bash scripts/home_uninstall.sh
[ "$(tree)" = "$before" ] || fail "the home differs from before the install: $(diff <(echo "$before") <(tree))"

echo "== install twice, change a file, uninstall with a list naming places outside"
bash scripts/home_install.sh >/dev/null
bash scripts/home_install.sh >/dev/null
man_page=$local_dir/share/man/man6/zorvane.6.gz
grep -q $'\t'"$man_page\$" "$list" || fail "the list does not name $man_page"
echo "changed" >>"$man_page"
printf 'file\t%s\t%s\n' "$(sha256sum <"$work/outside" | cut -d' ' -f1)" "$work/outside" >>"$list"
printf 'file\t%s\t%s\n' "$(sha256sum <"$work/outside" | cut -d' ' -f1)" "$local_dir/../../outside" >>"$list"
printf 'dir\t%s\n' "$work/outside-folder" >>"$list"
bash scripts/home_uninstall.sh
[ -f "$man_page" ] || fail "the changed manual page was removed"
rm "$man_page"
rmdir "$local_dir/share/man/man6" "$local_dir/share/man"
[ "$(tree)" = "$before" ] || fail "the home differs from before the install: $(diff <(echo "$before") <(tree))"
echo "home install check passed"
