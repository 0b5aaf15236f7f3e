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

# The package archive this machine installs its release from, as its apt sources name it (in
# the one-line form or in deb822's): the first source of packages for the release itself, so
# neither its security updates nor another vendor's archive. DEBIAN_MIRROR overrides it. Fails,
# saying so, when the sources name none.
archive_mirror() {
  local suite mirror file one_line=() deb822=()
  [ -z "${DEBIAN_MIRROR:-}" ] || { echo "$DEBIAN_MIRROR"; return 0; }
  suite=$(debian_suite) || return 1
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do [ ! -f "$file" ] || one_line+=("$file"); done
  for file in /etc/apt/sources.list.d/*.sources; do [ ! -f "$file" ] || deb822+=("$file"); done
  mirror=$({
    [ ${#one_line[@]} -eq 0 ] || awk -v suite="$suite" '$1 == "deb" {
        i = 2
        if ($i ~ /^\[/) { while (i < NF && $i !~ /\]$/) i++; i++ }
        if ($(i + 1) == suite) print $i
      }' "${one_line[@]}"
    [ ${#deb822[@]} -eq 0 ] || awk -v suite="$suite" 'BEGIN { RS = ""; FS = "\n" } {
        types = uris = suites = ""; enabled = "yes"
        for (i = 1; i <= NF; i++) {
          if ($i ~ /^#/ || $i !~ /:/) continue
          key = tolower(substr($i, 1, index($i, ":") - 1)); value = substr($i, index($i, ":") + 1)
          if (key == "types") types = value; else if (key == "uris") uris = value
          else if (key == "suites") suites = value; else if (key == "enabled") enabled = value
        }
        if (enabled ~ /no/ || (types " ") !~ /[ \t]deb[ \t]/ || (suites " ") !~ ("[ \t]" suite "[ \t]")) next
        split(uris, uri, /[ \t]+/); print (uri[1] != "" ? uri[1] : uri[2])
      }' "${deb822[@]}"
  } | head -1)
  [ -n "$mirror" ] || { echo "this machine's apt sources name no archive of $suite; set DEBIAN_MIRROR" >&2; return 1; }
  echo "$mirror"
}

# release_sources SUITE MIRROR [OPTIONS]: an apt sources list of SUITE with its updates and its
# security updates, which every Debian keeps apart. OPTIONS: e.g. "[signed-by=...] ".
release_sources() {
  local suite=$1 mirror=$2 options=${3:-}
  printf 'deb %s%s %s main\ndeb %s%s %s-updates main\ndeb %s%s-security %s-security main\n' \
    "$options" "$mirror" "$suite" "$options" "$mirror" "$suite" "$options" "$mirror" "$suite"
}

# offered_version SUITE PACKAGE MIRROR LISTS: the version of PACKAGE the archive offers SUITE now,
# or nothing when it cannot be asked within two minutes. This machine's apt reads the release's
# lists in the folder LISTS (kept, so only what changed is fetched again), with no installed
# package and no preference of this machine's to sway it. Another caller asking at the same time
# holds the lists' lock: this one then gets nothing.
offered_version() {
  local suite=$1 package=$2 mirror=$3 lists=$4
  [ -n "$mirror" ] || return 0
  mkdir -p "$lists/lists/partial" "$lists/cache" "$lists/none" 2>/dev/null || return 0
  release_sources "$suite" "$mirror" "[signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] " \
    >"$lists/sources.list"
  local own=(-o Dir::Etc::SourceList="$lists/sources.list" -o Dir::Etc::SourceParts="$lists/none"
    -o Dir::Etc::Preferences=/dev/null -o Dir::Etc::PreferencesParts="$lists/none"
    -o Dir::State::Lists="$lists/lists" -o Dir::State::status=/dev/null -o Dir::Cache="$lists/cache")
  timeout --kill-after=30 120 apt-get "${own[@]}" -o Acquire::http::Timeout=60 -o Acquire::Retries=0 \
    update -qq >"$lists/update.log" 2>&1 || return 0
  apt-cache "${own[@]}" policy "$package" 2>/dev/null | sed -n 's/^ *Candidate: //p' | grep -vx '(none)'
}
