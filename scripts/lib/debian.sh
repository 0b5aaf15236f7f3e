# shellcheck shell=bash
# The Debian releases the scripts support: which one this machine runs, and the other one, whose
# Wine the tests also run. Source it; do not run it.
SUPPORTED_RELEASES="Debian 12 (bookworm) and Debian 13 (trixie)"

# Prints bookworm or trixie for this machine; on anything else says so in one sentence and fails.
debian_suite() {
  local id="" version="" name="an unknown system"
  if [ -r /etc/os-release ]; then
    # shellcheck disable=SC1091
    id=$(. /etc/os-release && echo "${ID:-}")
    # shellcheck disable=SC1091
    version=$(. /etc/os-release && echo "${VERSION_ID:-}")
    # shellcheck disable=SC1091
    name=$(. /etc/os-release && echo "${PRETTY_NAME:-$id $version}")
  fi
  case "$id $version" in
    "debian 12") echo bookworm ;;
    "debian 13") echo trixie ;;
    *)
      echo "This machine runs $name; the scripts support only $SUPPORTED_RELEASES." >&2
      return 1
      ;;
  esac
}

# The supported release that is not SUITE.
other_suite() {
  case "$1" in
    bookworm) echo trixie ;;
    trixie) echo bookworm ;;
  esac
}

# The package archive this machine installs from.
archive_mirror() {
  local mirror=${DEBIAN_MIRROR:-}
  [ -n "$mirror" ] || mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -1)
  [ -n "$mirror" ] || mirror=$(awk '/^deb /{print $2; exit}' /etc/apt/sources.list 2>/dev/null)
  echo "${mirror:-http://deb.debian.org/debian}"
}
