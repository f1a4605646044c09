# Sourced by the other scripts. installed tells whether a Debian package is
# installed; need_packages installs the ones that are missing, as root or
# through sudo. It names the missing packages before trying anything, and
# when it cannot install them (no root, no sudo, or sudo refused) it says what
# to ask the administrator for and fails.
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

need_packages() {
  local missing=() p
  for p in "$@"; do
    installed "$p" || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  echo "These Debian packages are missing: ${missing[*]}" >&2
  local ask_admin="Ask your administrator to run: apt-get install ${missing[*]}"
  local as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "$ask_admin" >&2
      return 1
    fi
    as_root=(sudo)
  fi
  echo "Installing them${as_root:+ through sudo}..." >&2
  # Another apt run (an update, a second script) may hold the lock for a while.
  local apt=(env DEBIAN_FRONTEND=noninteractive apt-get -q -o DPkg::Lock::Timeout=600)
  if "${as_root[@]}" "${apt[@]}" update && "${as_root[@]}" "${apt[@]}" install -y --no-install-recommends "${missing[@]}"; then
    return 0
  fi
  echo "Could not install: ${missing[*]}" >&2
  echo "$ask_admin" >&2
  return 1
}
