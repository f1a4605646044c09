# Sourced by the other scripts. installed tells whether a Debian package is
# installed; need_packages installs the ones that are missing, as root or
# through sudo. Without either it names the packages to ask for and fails
# before trying anything.
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

need_packages() {
  local missing=() p
  for p in "$@"; do
    installed "$p" || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  local as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "These Debian packages are missing: ${missing[*]}" >&2
      echo "Ask your administrator to run: apt-get install ${missing[*]}" >&2
      return 1
    fi
    as_root=(sudo)
  fi
  echo "Installing: ${missing[*]}"
  # Another apt run (an update, a second script) may hold the lock for a while.
  local apt=(env DEBIAN_FRONTEND=noninteractive apt-get -q -o DPkg::Lock::Timeout=600)
  "${as_root[@]}" "${apt[@]}" update
  "${as_root[@]}" "${apt[@]}" install -y --no-install-recommends "${missing[@]}"
}
