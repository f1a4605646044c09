# Sourced by the other scripts. installed tells whether a Debian package is
# installed; need_packages installs the ones that are missing, as root or
# through sudo. It names the missing packages before trying anything, and
# when it cannot install them (no root, no sudo, or sudo refused) it says what
# to ask the administrator for and fails. A package the archive cannot give
# is named with apt's reason. try_packages does the same quietly for a
# package the caller can do without.
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

# Runs a command as root: directly, or through sudo where there is one.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    echo "Not root, and there is no sudo to run: $*" >&2
    return 1
  fi
}

# Another apt run (an update, a second script) may hold the lock for a while.
apt_cmd=(env DEBIAN_FRONTEND=noninteractive apt-get -q -o DPkg::Lock::Timeout=600)

# Refreshes the package lists. One list that fails (a mirror in the middle of
# a sync, say) leaves the others refreshed, and what is needed may well be
# there: the install that follows tells.
apt_update() {
  as_root "${apt_cmd[@]}" update || echo "apt-get update failed for some package lists; going on with the lists there are" >&2
}

missing_packages() {
  local p
  for p in "$@"; do installed "$p" || echo "$p"; done
}

# Installs the missing ones of the packages given; on failure sets
# packages_failed_why to apt's reason for each one that cannot be had.
try_packages() {
  local missing
  mapfile -t missing < <(missing_packages "$@")
  ((${#missing[@]})) || return 0
  echo "These Debian packages are missing: ${missing[*]}" >&2
  if [ "$(id -u)" -ne 0 ] && ! command -v sudo >/dev/null; then
    packages_failed_why="not root, and no sudo"
    return 1
  fi
  echo "Installing them$([ "$(id -u)" -eq 0 ] || echo ' through sudo')..." >&2
  apt_update
  if as_root "${apt_cmd[@]}" install -y --no-install-recommends "${missing[@]}"; then
    return 0
  fi
  # Which of them apt cannot give, and why, one at a time.
  local p why reasons=()
  for p in "${missing[@]}"; do
    installed "$p" && continue
    why=$(apt-get -q install -s -y --no-install-recommends "$p" 2>&1 | grep -E '^E: |^ [^ ].* : ' | head -3 | tr '\n' ' ')
    reasons+=("$p: ${why:-apt could not install it}")
  done
  packages_failed_why=$(printf '%s; ' "${reasons[@]}")
  packages_failed_why=${packages_failed_why%; }
  return 1
}

need_packages() {
  local missing
  mapfile -t missing < <(missing_packages "$@")
  ((${#missing[@]})) || return 0
  if try_packages "${missing[@]}"; then
    return 0
  fi
  echo "Could not install: $packages_failed_why" >&2
  echo "Ask your administrator to run: apt-get install ${missing[*]}" >&2
  return 1
}
