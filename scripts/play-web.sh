#!/usr/bin/env bash
# Builds the browser game and serves it on this machine only: installs what
# is missing, builds the page into build-web/site/ (page, scripts, .wasm,
# icons), serves that folder on http://127.0.0.1:8080/ and opens the
# desktop's browser where there is one.
# PORT=8081 picks another port. Ctrl+C stops the server.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/packages.sh
need_packages cmake make emscripten nodejs python3

port=${PORT:-8080}
# A busy port is refused before the build; the server binds it before it
# says or opens anything.
/usr/bin/python3 scripts/serve_site.py --check "$port"

# The page alone, in the folder the test command may have set up already.
export NODE_PATH=/usr/share/nodejs
[ -f build-web/CMakeCache.txt ] || cmake --preset web -DBUILD_TESTING=OFF >/dev/null
cmake --build --preset web --target zorvane_site
exec /usr/bin/python3 scripts/serve_site.py "$port" build-web/site
