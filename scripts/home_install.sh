#!/usr/bin/env bash
# Installs the game built in build/ under a prefix in your home folder
# (default ~/.local; no root needed) and lists what it put there in
# PREFIX/share/zorvane/home-install.list: each file with its checksum and
# each folder it had to make. scripts/home_uninstall.sh reads that list, so
# the uninstall does not depend on build/ (cpack rewrites
# build/install_manifest.txt with the Debian package's /usr paths).
# Installing again first removes the earlier install.
#   usage: home_install.sh [PREFIX]
set -euo pipefail
prefix=$(realpath -m -- "${1:-$HOME/.local}")
cd "$(dirname "${BASH_SOURCE[0]}")/.."
case $prefix in
  *$'\n'* | *$'\t'*) echo "home install: a prefix with a tab or a line break is not supported" >&2; exit 2 ;;
esac
list=$prefix/share/zorvane/home-install.list

[ -f build/CMakeCache.txt ] || bash scripts/setup.sh play
cmake --build build -j2 --target zorvane >/dev/null
if [ -f "$list" ]; then
  echo "home install: removing the earlier install in $prefix first"
  bash scripts/home_uninstall.sh "$prefix" >/dev/null
fi

# Installed into a staging folder first, so every file is known, and
# checksummed, before anything under the prefix changes.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage cmake --install build --prefix "$prefix" --strip >/dev/null
staged=$stage$prefix
[ -z "$(find "$staged" ! -type f ! -type d)" ] || { echo "home install: the install holds more than files and folders" >&2; exit 1; }

# Makes folder $1 and its missing parents; lists each one made. The prefix's
# own parents are made too when missing, but never listed: the uninstall
# goes no higher than the prefix.
made=()
make_folder() {
  [ -d "$1" ] && return 0
  if [ "$1" = "$prefix" ]; then
    mkdir -p -- "$(dirname "$prefix")"
  else
    make_folder "$(dirname "$1")"
  fi
  mkdir -- "$1"
  made+=("$1")
}
# Appends what was made since the last call; the list grows as the install
# goes, so an interrupted install can still be removed.
record_folders() {
  local folder
  for folder in "${made[@]}"; do printf 'dir\t%s\n' "$folder" >>"$list"; done
  made=()
}

make_folder "$(dirname "$list")"
: >"$list"
record_folders
files=0
while IFS= read -r -d '' staged_file; do
  target=$prefix/${staged_file#"$staged"/}
  make_folder "$(dirname "$target")"
  record_folders
  # Replaces a link rather than writing through it.
  cp --remove-destination --preserve=mode,timestamps -- "$staged_file" "$target"
  printf 'file\t%s\t%s\n' "$(sha256sum <"$target" | cut -d' ' -f1)" "$target" >>"$list"
  files=$((files + 1))
done < <(find "$staged" -type f -print0 | LC_ALL=C sort -z)

echo "home install: $files files in $prefix, listed in $list"
echo "remove them with: bash scripts/home_uninstall.sh${1:+ $prefix}"
