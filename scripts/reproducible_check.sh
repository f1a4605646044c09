#!/usr/bin/env bash
# The reproducibility check (CTest: package.reproducible). Builds what ships
# a second time from the same sources, in folders of its own under
# build/checks/repro/, and compares it byte for byte with the test command's
# builds: both Windows programs, zips and installers (build-windows-x64/,
# build-windows-x86/), the page's folder (build-web/site/) and the Debian
# package (packed from build/ and from the second build). The second build
# lies at another path and runs later, so a build folder or a build time
# written into any file shows as a difference. Only what ships is rebuilt,
# at a lower priority than the checks beside it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
state=${ZORVANE_CHECKS:?the build folder\'s checks/ folder, set by CTest}
repro=$state/repro
start=$SECONDS

fail() { echo "reproducible check FAILED: $*" >&2; exit 1; }
# Builds a preset again in $repro/<preset>, the targets named only.
rebuild() {
  local preset=$1 tree=$repro/$1 log=$repro/$1.log
  shift
  local targets=()
  for target in "$@"; do targets+=(--target "$target"); done
  rm -rf "$tree"
  mkdir -p "$tree"
  { cmake --preset "$preset" -B "$tree" "${configure[@]}" &&
    nice -n 10 cmake --build "$tree" --parallel "$(nproc)" "${targets[@]}"; } >"$log" 2>&1 ||
    { cat "$log"; fail "the second build of $preset"; }
  echo "built $preset again in $tree ($((SECONDS - start)) s in)"
}
differing=()
# Compares FILE in two folders, naming it and its first differing byte.
same() {
  local first=$1/$3 second=$2/$3
  [ -f "$first" ] || fail "$first was not built"
  [ -f "$second" ] || fail "$second was not built"
  if cmp -s "$first" "$second"; then
    echo "same: $3  $(sha256sum <"$first" | cut -c1-16)"
  else
    echo "DIFFERENT: $3 ($(cmp "$first" "$second" 2>&1 | sed 's/.* differ: //'))"
    differing+=("$first")
  fi
}

mkdir -p "$repro"
version=$(sed -n 's/^project(zorvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# Windows: the program, its zip and its installer, for both machine types.
configure=()
for preset in windows-x64 windows-x86; do
  bits=win64
  [ "$preset" = windows-x64 ] || bits=win32
  rebuild "$preset" zorvane windows_packages
  for file in zorvane.exe "zorvane-$version-$bits.zip" "zorvane-$version-$bits-setup.exe"; do
    same "build-$preset" "$repro/$preset" "$file"
  done
done

# The page's folder, every file in it. The module's linker runs node with the
# web preset's NODE_PATH, which only `cmake --build --preset web` sets.
NODE_PATH=/usr/share/nodejs rebuild web zorvane_site
diff <(cd build-web/site && find . -type f | LC_ALL=C sort) <(cd "$repro/web/site" && find . -type f | LC_ALL=C sort) ||
  fail "the two page folders hold different files (< build-web/site, > $repro/web/site)"
while read -r file; do
  same build-web/site "$repro/web/site" "${file#./}"
done < <(cd build-web/site && find . -type f | LC_ALL=C sort)

# The Debian package: the game alone built again (without tests, all that
# cpack builds first), packed from both trees.
configure=(-DBUILD_TESTING=OFF -DZORVANE_BENCHMARKS=OFF -DZORVANE_CHECKS=OFF)
rebuild native
for tree in build "$repro/native"; do
  out=$repro/deb/$(basename "$tree")
  rm -rf "$out"
  mkdir -p "$out"
  (cd "$tree" && cpack -G DEB -B "$out" >"$out.log" 2>&1) || { cat "$out.log"; fail "cpack in $tree"; }
done
debs=("$repro"/deb/build/zorvane_*.deb)
same "$repro/deb/build" "$repro/deb/native" "$(basename "${debs[0]}")"

# The same in every build, but not dated from SOURCE_DATE_EPOCH.
echo "note: the installers' PE headers keep the date of NSIS's own prebuilt stubs, which makensis copies as they are"
echo "note: the zips record the building user's numeric user and group ids (cmake -E tar has no option to set them)"
if ((${#differing[@]})); then
  fail "${#differing[@]} file(s) differ between two builds of the same sources: ${differing[*]}"
fi
echo "reproducible check passed in $((SECONDS - start)) s: every file the same in both builds"
