#!/usr/bin/env bash
# web_node.sh DIR: installs the browser tests' packages (puppeteer-core, Lighthouse and
# axe-core, pinned by tests/web/package-lock.json; no browser is downloaded) into DIR,
# in the build folder, never beside the tests. npm's cache is kept in
# $ZORVANE_CACHE/npm, so a second run downloads nothing; the user's own npm
# settings (a proxy, a mirror) are read, not written.
set -euo pipefail
dir=$1
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
mkdir -p "$dir"
cp tests/web/package.json tests/web/package-lock.json "$dir/"
settings=()
[ ! -f "${ZORVANE_USER_HOME:-}/.npmrc" ] || settings=(--userconfig "$ZORVANE_USER_HOME/.npmrc")
cd "$dir"
PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error --cache "${ZORVANE_CACHE:?}/npm" "${settings[@]}"
echo "web_node: $(ls node_modules | wc -l) packages in $dir/node_modules"
