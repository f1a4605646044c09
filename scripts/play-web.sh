#!/usr/bin/env bash
# Builds the browser game and serves it on this machine only: installs what
# is missing, builds the page into build-web/site/ (page, scripts, .wasm,
# icons), serves that folder on http://127.0.0.1:8080/ and opens the
# desktop's browser where there is one.
# PORT=8081 picks another port. Ctrl+C stops the server.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/packages.sh
need_packages cmake make emscripten nodejs python3

# The page alone; the test command builds the tests in the same folder.
export NODE_PATH=/usr/share/nodejs
cmake --preset web -DBUILD_TESTING=OFF >/dev/null
cmake --build --preset web --target zorvane_site

port=${PORT:-8080}
url="http://127.0.0.1:$port/"
echo "Zorvane is served at $url (Ctrl+C stops it)"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && command -v xdg-open >/dev/null; then
  (sleep 1; xdg-open "$url" >/dev/null 2>&1 || true) &
fi
exec /usr/bin/python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web/site
