#!/usr/bin/env bash
# The reproducibility check (CTest: package.reproducible). Builds what ships
# again, from the same sources, under build/checks/repro/, and compares it
# byte for byte with the test command's builds: the 64-bit Windows program,
# zip and installer, the page's folder and the Debian package (packed from
# build/ and from the second build). The second build lies at another path
# and runs later, so a build folder or a build time written into a file
# shows. It builds only the targets that make what is compared, with the
# tests off (so what ships must not depend on them either), without a
# compiler cache, at a lower priority than other checks. The 32-bit Windows
# build is not built again: its sources, tools and steps are the 64-bit
# one's. Last, a package packed with another date must differ, so that the
# comparison is seen to catch a change.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
repro=${ZORVANE_CHECKS:?the build folder\'s checks/ folder, set by CTest}/repro
fail() { echo "reproducible check FAILED: $*" >&2; exit 1; }
# Every object compiled again, none taken from a cache.
export CCACHE_DISABLE=1
unset CMAKE_CXX_COMPILER_LAUNCHER CMAKE_C_COMPILER_LAUNCHER
# rebuild PRESET TARGET [CMAKE_OPTION...]: the preset configured and TARGET built in $repro/PRESET.
rebuild() {
  local preset=$1 target=$2
  shift 2
  rm -rf "${repro:?}/$preset"
  { cmake --preset "$preset" -B "$repro/$preset" -DBUILD_TESTING=OFF "$@" &&
    nice -n 10 cmake --build "$repro/$preset" --parallel "$(nproc)" --target "$target"; } >"$repro/$preset.log" 2>&1 ||
    { cat "$repro/$preset.log"; fail "the second build of $preset"; }
  echo "built $preset again ($SECONDS s in)"
}
# same FIRST SECOND FILE...: each FILE alike in both folders, or named with its first differing byte.
differing=()
same() {
  local first=$1 second=$2 file
  shift 2
  for file in "$@"; do
    if cmp "$first/$file" "$second/$file"; then
      echo "same: $file $(sha256sum <"$first/$file" | cut -c1-16)"
    else
      differing+=("$first/$file")
    fi
  done
}
# pack TREE NAME: the Debian package of build TREE, in $repro/deb/NAME.
pack() {
  local out=$repro/deb/$2
  rm -rf "$out"
  (cd "$1" && cpack -G DEB -B "$out" >"$out.log" 2>&1) || { cat "$out.log"; fail "cpack in $1"; }
}
mkdir -p "$repro/deb"
version=$(sed -n 's/^project(zorvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb=zorvane_${version}_$(dpkg --print-architecture).deb

# The three builds one after another, each on every core: at once they
# would only queue for the same two cores beside the rest of the checks.
rebuild windows-x64 windows_packages
# The module's linker needs the web preset's NODE_PATH, which only `cmake --build --preset web` sets.
NODE_PATH=/usr/share/nodejs rebuild web zorvane_site
# The second tree packs without building the rest of its tree first.
rebuild native zorvane -DZORVANE_BENCHMARKS=OFF -DZORVANE_CHECKS=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
# Configured again first if a commit came since, for that commit's date.
cmake --build build --target zorvane_data >/dev/null
pack build build

same build-windows-x64 "$repro/windows-x64" zorvane.exe zorvane-$version-win64.zip zorvane-$version-win64-setup.exe
mapfile -t site < <(cd build-web/site && find . "$repro/web/site" -type f -printf '%P\n' | LC_ALL=C sort -u)
same build-web/site "$repro/web/site" "${site[@]}"
pack "$repro/native" native
same "$repro/deb/build" "$repro/deb/native" "$deb"
# The same package dated a day later must differ: the comparison can fail.
epoch=$(sed -n 's/^set(CPACK_ZORVANE_SOURCE_DATE_EPOCH "\([0-9]*\)")$/\1/p' "$repro/native/CPackConfig.cmake")
[ -n "$epoch" ] || fail "no package date in $repro/native/CPackConfig.cmake"
SOURCE_DATE_EPOCH=$((${SOURCE_DATE_EPOCH:-$epoch} + 86400)) pack "$repro/native" later
! cmp -s "$repro/deb/build/$deb" "$repro/deb/later/$deb" || fail "a package dated a day later is the same: dates do not reach it"
echo "differs: $deb dated a day later"

echo "note: the same in every build, but not from SOURCE_DATE_EPOCH: the installers' PE header date" \
  "(makensis copies NSIS's prebuilt stubs as they are), the zips' numeric user and group ids (cmake -E tar cannot set them)"
((${#differing[@]} == 0)) || fail "${#differing[@]} file(s) differ between two builds of the same sources: ${differing[*]}"
echo "reproducible check passed in $SECONDS s"
