#!/usr/bin/env bash
# Removes what scripts/home_install.sh put under PREFIX (default ~/.local),
# as listed in PREFIX/share/zorvane/home-install.list: each listed file that
# still has the content it was installed with, then each folder the install
# made that is left empty. A file changed since the install is left in place
# and named. Nothing outside the prefix is touched, whatever the list says.
#   usage: home_uninstall.sh [PREFIX]
set -euo pipefail
prefix=$(realpath -m -- "${1:-$HOME/.local}")
list=$prefix/share/zorvane/home-install.list
[ -f "$list" ] || { echo "home uninstall: no home install in $prefix ($list is missing)" >&2; exit 1; }

# Whether $1 names a place inside the prefix (or the prefix itself) by its
# real path, with no link or ".." on the way that could lead elsewhere.
inside() {
  local real
  real=$(realpath -m -- "$1")
  [ "$real" = "$1" ] && [[ $real == "$prefix" || $real == "$prefix"/* ]]
}

removed=0 missing=0 kept=() folders=()
while IFS=$'\t' read -r kind a b; do
  case $kind in
    file)
      sum=$a path=$b
      if ! inside "$(dirname -- "$path")" || [ "$path" = "$list" ]; then
        echo "home uninstall: ignoring a listed file outside $prefix: $path" >&2
      elif [ -L "$path" ] || { [ -e "$path" ] && [ ! -f "$path" ]; }; then
        kept+=("$path")
      elif [ ! -e "$path" ]; then
        missing=$((missing + 1))
      elif [ "$(sha256sum <"$path" | cut -d' ' -f1)" = "$sum" ]; then
        rm -f -- "$path"
        removed=$((removed + 1))
      else
        kept+=("$path")
      fi
      ;;
    dir)
      if inside "$a"; then
        folders+=("$a")
      else
        echo "home uninstall: ignoring a listed folder outside $prefix: $a" >&2
      fi
      ;;
    *) echo "home uninstall: ignoring a line of $list it cannot read" >&2 ;;
  esac
done <"$list"
rm -f -- "$list"

# The install listed parents before their children: undo in reverse order.
emptied=0
for ((i = ${#folders[@]} - 1; i >= 0; i--)); do
  folder=${folders[i]}
  if [ -d "$folder" ] && [ ! -L "$folder" ] && rmdir -- "$folder" 2>/dev/null; then emptied=$((emptied + 1)); fi
done

echo "home uninstall: removed $removed files and $emptied empty folders from $prefix"
((missing == 0)) || echo "home uninstall: $missing listed files were already gone"
if ((${#kept[@]})); then
  echo "home uninstall: left in place, changed since the install:"
  printf '  %s\n' "${kept[@]}"
fi
