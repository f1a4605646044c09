#!/usr/bin/env bash
# The reproducibility check (CTest: package.reproducible). Builds what ships
# again, from the same sources, under build/checks/repro/, and compares it
# byte for byte with the test command's builds: the Windows programs, zips
# and installers, the page's folder and the Debian package (packed from
# build/ and from the second build). The second build lies at another path
# and runs later, so a build folder or a build time written into a file
# shows. Only what ships is rebuilt, at a lower priority than other checks.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
repro=${ZORVANE_CHECKS:?the build folder\'s checks/ folder, set by CTest}/repro
fail() { echo "reproducible check FAILED: $*" >&2; exit 1; }
# rebuild PRESET [TARGET...]: the preset configured and built in $repro/PRESET.
rebuild() {
  local preset=$1 targets=()
  shift
  for target in "$@"; do targets+=(--target "$target"); done
  rm -rf "${repro:?}/$preset"
  { cmake --preset "$preset" -B "$repro/$preset" "${configure[@]}" &&
    nice -n 10 cmake --build "$repro/$preset" --parallel "$(nproc)" "${targets[@]}"; } >"$repro/$preset.log" 2>&1 ||
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
mkdir -p "$repro"
version=$(sed -n 's/^project(zorvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

configure=()
for bits in 64 32; do
  preset=windows-x$bits
  [ $bits = 64 ] || preset=windows-x86
  rebuild $preset zorvane windows_packages
  same build-$preset "$repro/$preset" zorvane.exe zorvane-$version-win$bits.zip zorvane-$version-win$bits-setup.exe
done

# The module's linker needs the web preset's NODE_PATH, which only `cmake --build --preset web` sets.
NODE_PATH=/usr/share/nodejs rebuild web zorvane_site
mapfile -t site < <(cd build-web/site && find . "$repro/web/site" -type f -printf '%P\n' | LC_ALL=C sort -u)
same build-web/site "$repro/web/site" "${site[@]}"

# The game alone (all that cpack builds first, without the tests), packed from both trees.
configure=(-DBUILD_TESTING=OFF -DZORVANE_BENCHMARKS=OFF -DZORVANE_CHECKS=OFF)
rebuild native
mkdir -p "$repro/deb"
for tree in build "$repro/native"; do
  out=$repro/deb/$(basename "$tree")
  rm -rf "$out"
  (cd "$tree" && cpack -G DEB -B "$out" >"$out.log" 2>&1) || { cat "$out.log"; fail "cpack in $tree"; }
done
same "$repro/deb/build" "$repro/deb/native" "zorvane_${version}_$(dpkg --print-architecture).deb"

echo "note: the same in every build, but not from SOURCE_DATE_EPOCH: the installers' PE header date" \
  "(makensis copies NSIS's prebuilt stubs as they are), the zips' numeric user and group ids (cmake -E tar cannot set them)"
((${#differing[@]} == 0)) || fail "${#differing[@]} file(s) differ between two builds of the same sources: ${differing[*]}"
echo "reproducible check passed in $SECONDS s"
