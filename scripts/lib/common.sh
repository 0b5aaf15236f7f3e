# Shared by the scripts: paths, Xvfb and the private Wine prefix. Source it; do not run it.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD_ROOT="${BUILD_ROOT:-$ROOT/build}"
WINE=/usr/lib/wine/wine64

say() { printf '[%s] %s\n' "$(basename "$0")" "$*"; }
# why REASON: says why a script cannot do its work, and keeps the first such reason for the
# summary of scripts/test, which names the file in STAGE_REASON (through a root too: it lies
# under the build folder).
why() {
  say "$*"
  [ -z "${STAGE_REASON:-}" ] || [ -s "$STAGE_REASON" ] || printf '%s\n' "$*" >"$STAGE_REASON"
}
# note TEXT: says something the summary of scripts/test shows too, though nothing failed (a
# cached root or image kept as it is); STAGE_NOTE names the file, as STAGE_REASON does. It goes
# to standard error, so a function whose output is its result may note.
note() {
  say "$*" >&2
  [ -z "${STAGE_NOTE:-}" ] || printf '%s\n' "$*" >>"$STAGE_NOTE"
}

# wait_until SECONDS COMMAND...: polls COMMAND until it succeeds (status 0) or SECONDS of wall
# clock pass (status 1). A busy machine slows the polls, never the deadline's meaning.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# within SECONDS COMMAND...: COMMAND with a time limit that ends its whole tree of processes,
# also the parts an inner timeout moved into a process group of its own, which a plain
# timeout's signal to its group never reaches. The status is COMMAND's, or 124 when time ran out.
within() {
  local limit=$1 pid status fd
  shift
  # A pipe that stays open for writing here, so the read waits for the status or the limit.
  exec {fd}<> <(:)
  ( "$@" {fd}>&-; echo "$?" >&"$fd" ) &
  pid=$!
  if read -r -t "$limit" -u "$fd" status; then
    wait "$pid"
  else
    end_tree "$pid"
    wait "$pid" 2>/dev/null
    status=124
  fi
  exec {fd}>&-
  return "$status"
}

# end_tree PID: PID and every process below it, each stopped before its children are listed so
# that none forks past the count; then asked to end, and killed when still there after 10 s.
end_tree() {
  local queue=("$1") tree=() pid
  while [ ${#queue[@]} -gt 0 ]; do
    pid=${queue[0]}
    queue=("${queue[@]:1}")
    kill -STOP "$pid" 2>/dev/null || continue
    tree+=("$pid")
    # shellcheck disable=SC2207  # pids are words
    queue+=($(ps -o pid= --ppid "$pid"))
  done
  [ ${#tree[@]} -gt 0 ] || return 0
  kill -TERM "${tree[@]}" 2>/dev/null
  kill -CONT "${tree[@]}" 2>/dev/null
  wait_until 10 tree_ended "${tree[@]}" || kill -KILL "${tree[@]}" 2>/dev/null
}
tree_ended() { ! ps -o stat= -p "$(IFS=,; echo "$*")" | grep -qv '^Z'; }

# Start a private Xvfb on a free display unless one is already given to us. Xvfb picks the
# display itself (-displayfd): only binding the socket tells a free display from one held by
# another run, since a root of its own with a /tmp of its own shares the machine's abstract X
# sockets. Our tests must never draw on someone else's display.
XVFB_PID=""
start_xvfb() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local fifo n=""
  fifo=$(mktemp -u /tmp/xvfb-display.XXXXXX) && mkfifo "$fifo" || return 1
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  read -r -t 20 n <"$fifo"
  rm -f "$fifo"
  if [ -z "$n" ] || ! kill -0 "$XVFB_PID" 2>/dev/null; then
    say "Xvfb did not start"
    XVFB_PID=""
    return 1
  fi
  export DISPLAY=":$n"
  xdpyinfo >/dev/null 2>&1 && return 0
  say "Xvfb did not answer on $DISPLAY"
  return 1
}

stop_xvfb() {
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}

# Which Wine runs here, as it names itself ("wine-8.0"). Each generation keeps a prefix of its own:
# a newer Wine upgrades a prefix in place, and the older one then refuses it.
wine_version() { "$WINE" --version 2>/dev/null | cut -d' ' -f1; }

wine_env() {
  export WINEPREFIX="${WINEPREFIX:-$BUILD_ROOT/wineprefix-$(wine_version)}"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LC_ALL=C.UTF-8
  export WINEARCH=win64
  # Wine sees no font of this machine, only its own (installed into the prefix below): which
  # font draws a character must not depend on what else the machine has installed.
  export FONTCONFIG_FILE="$ROOT/scripts/lib/wine-fonts.conf"
}

# Wine's own fonts (MS Sans Serif, Tahoma, Marlett for the caption buttons...) where Windows
# keeps them. Wine does not put them into a prefix by itself, and without them the dialog font
# falls back to a host font whose shaping tables fault Wine's 64-bit text shaper
# (docs/wine-mark-to-ligature.md).
install_wine_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts" && cp -u /usr/share/wine/fonts/* "$fonts/"
}

# Create the prefix once (it is reused across runs), then keep one wineserver alive for speed.
# The ready mark is written only when every step of the making succeeded; a prefix without it
# (a step failed or timed out on a busy machine) is made again from nothing, when it is one of
# the build's own.
wine_prefix_ready() {
  wine_env
  if [ ! -f "$WINEPREFIX/.datecalc-ready" ]; then
    make_wine_prefix || { say "could not make the Wine prefix $WINEPREFIX"; return 1; }
  fi
  install_wine_fonts
  wine_server -p || true
  timeout 120 "$WINE" wineboot -u >/dev/null 2>&1 || true
}

make_wine_prefix() {
  say "creating Wine prefix $WINEPREFIX"
  case "$WINEPREFIX" in
    "$BUILD_ROOT"/*)
      wine_server -k || true
      rm -rf "$WINEPREFIX"
      ;;
  esac
  mkdir -p "$WINEPREFIX" &&
    timeout 300 "$WINE" wineboot -i >/dev/null 2>&1 &&
    wine_reg_add 'HKCU\Software\Wine\WineDbg' ShowCrashDialog REG_DWORD 0 &&
    wine_reg_add 'HKCU\Software\Wine\X11 Driver' Managed REG_SZ N &&
    wine_reg_add 'HKCU\Software\Wine\X11 Driver' Decorated REG_SZ Y &&
    within 120 wine_server -w &&
    grep -q '"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg" &&
    touch "$WINEPREFIX/.datecalc-ready"
}

wine_reg_add() {  # KEY NAME TYPE DATA
  timeout 60 "$WINE" reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1
}

wine_server() {
  local server=/usr/lib/wine/wineserver64
  [ -x "$server" ] || server=/usr/lib/wine/wineserver
  "$server" "$@" 2>/dev/null
}

stop_wine() { wine_env; wine_server -k || true; }

# Script tests that drive the real program reuse the display and Wine server scripts/test
# started, or start their own and stop them again at the end. Fails without a display or prefix.
OWN_WINE_SESSION=""
begin_wine_session() {
  if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    OWN_WINE_SESSION=1
    start_xvfb || return 1
  fi
  wine_prefix_ready
}

end_wine_session() {
  if [ -n "$OWN_WINE_SESSION" ]; then
    stop_wine
    stop_xvfb
    OWN_WINE_SESSION=""
  fi
}

# A Wine session plus a scratch folder under the build, both gone on exit; moves the caller there.
enter_scratch_session() {
  trap 'rm -rf "${SCRATCH:-}"; end_wine_session' EXIT
  begin_wine_session || { echo "no Wine session (display or prefix)"; echo "0 passed, 1 failed"; exit 1; }
  SCRATCH=$(mktemp -d "$BUILD_ROOT/$1.XXXXXX")
  cd "$SCRATCH" || exit 1
}

# Fails the script test, in the form scripts/test counts, when a build output is missing.
require_build_outputs() {
  local file
  for file in "$@"; do
    [ -f "$file" ] && continue
    echo "missing build output $file (build the win64 preset first)"
    echo "0 passed, 1 failed"
    exit 1
  done
}
