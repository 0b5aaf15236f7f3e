#!/usr/bin/env bash
# What a window left alone costs the machine. The calculator, minimal_platform_dialog (a dialog
# with the calculator's platform libraries and one date picker, waiting in GetMessageW: the
# floor) and design_window (the calculator's window built directly) start side by side under
# Wine and Xvfb, each in a Wine prefix of its own so that each has a Wine server of its own.
# Once all are shown and have settled, each is left untouched for SECONDS (default 10) and its
# CPU ticks (user and system time, 1/100 s each) and wakeups (voluntary context switches, summed
# over its threads) are counted, with those of its Wine server (which also serves its prefix's
# own background programs, alike for all three). Goal: the calculator within 2 ticks and 10
# wakeups of the floor; the last line says whether it is met, and the script exits 1 when not.
# Usage: bench/startup/idle_bench.sh [SECONDS]   (builds the win64 preset first)
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib/common.sh"
cd "$ROOT"
seconds="${1:-10}"
settle=2 # seconds after the last window shows: the painting that follows is start-up's
goal_ticks=2 goal_wakeups=10 # above the minimal dialog's, over the whole time
programs=(datecalc minimal_platform_dialog design_window)
cmake --preset win64 -B "$BUILD_ROOT/win64" >/dev/null
cmake --build "$BUILD_ROOT/win64" --target "${programs[@]}" -j "$(nproc)" >/dev/null

declare -A pid server
prefix_of() { echo "$BUILD_ROOT/wineprefix-idle-$1"; }
stop_all() {
  local program
  for program in "${programs[@]}"; do
    [ -z "${pid[$program]:-}" ] || kill "${pid[$program]}" 2>/dev/null || true
    WINEPREFIX=$(prefix_of "$program") stop_wine
  done
  stop_xvfb
}
trap stop_all EXIT
start_xvfb

# The Wine server of a prefix works in a folder named after the prefix's device and inode.
server_of() {
  local folder p
  folder="server-$(printf '%x-%x' "$(stat -c %d "$1")" "$(stat -c %i "$1")")"
  for p in /proc/[0-9]*; do
    [ "$(basename "$(readlink "$p/cwd" 2>/dev/null)")" = "$folder" ] || continue
    case $(cat "$p/comm" 2>/dev/null) in wineserver*) echo "${p#/proc/}" && return 0 ;; esac
  done
  return 1
}

# Whether process $1 shows a top-level window (Wine marks its X windows with their process).
shown() {
  local window
  for window in $(xwininfo -root -children 2>/dev/null | awk '$1 ~ /^0x/ { print $1 }'); do
    xprop -id "$window" _NET_WM_PID 2>/dev/null | grep -q " = $1\$" || continue
    xwininfo -id "$window" | grep -q 'Map State: IsViewable' && return 0
  done
  return 1
}

# "TICKS WAKEUPS" of process $1 so far: utime and stime are fields 14 and 15 of its stat, the
# 12th and 13th after the name in parentheses (which may hold spaces).
usage_of() {
  local fields wakeups=0 task switches
  fields=$(sed 's/^.*) //' "/proc/$1/stat")
  for task in /proc/"$1"/task/*; do
    switches=$(awk '/^voluntary_ctxt_switches/ { print $2 }' "$task/status" 2>/dev/null) || continue
    wakeups=$((wakeups + ${switches:-0}))
  done
  awk -v w="$wakeups" '{ print $12 + $13, w }' <<<"$fields"
}

for program in "${programs[@]}"; do
  export WINEPREFIX
  WINEPREFIX=$(prefix_of "$program")
  wine_prefix_ready >/dev/null
  server[$program]=$(server_of "$WINEPREFIX") || { say "no Wine server for $WINEPREFIX"; exit 1; }
done
work=$(mktemp -d "$BUILD_ROOT/idle.XXXXXX")
trap 'stop_all; rm -rf "$work"' EXIT
cd "$work"
for program in "${programs[@]}"; do
  WINEPREFIX=$(prefix_of "$program") "$WINE" "$BUILD_ROOT/win64/$program.exe" &
  pid[$program]=$!
done
for program in "${programs[@]}"; do
  wait_until 60 shown "${pid[$program]}" || { say "$program showed no window in 60 s"; exit 1; }
done
sleep "$settle"

declare -A before
for program in "${programs[@]}"; do
  before[$program]="$(usage_of "${pid[$program]}") $(usage_of "${server[$program]}")"
done
sleep "$seconds"
declare -A ticks wakeups
echo "left alone for $seconds s after showing (ticks of 1/$(getconf CLK_TCK) s):"
for program in "${programs[@]}"; do
  read -r t0 w0 s0 _ <<<"${before[$program]}"
  read -r t1 w1 <<<"$(usage_of "${pid[$program]}")"
  read -r s1 _ <<<"$(usage_of "${server[$program]}")"
  ticks[$program]=$((t1 - t0))
  wakeups[$program]=$((w1 - w0))
  printf '  %-24s %5d ticks %7d wakeups; its Wine server %d ticks\n' "$program" \
    "${ticks[$program]}" "${wakeups[$program]}" "$((s1 - s0))"
done

floor_ticks=${ticks[minimal_platform_dialog]} floor_wakeups=${wakeups[minimal_platform_dialog]}
headline="idle calculator: ${ticks[datecalc]} ticks and ${wakeups[datecalc]} wakeups against the"
headline+=" minimal dialog's $floor_ticks and $floor_wakeups, goal within $goal_ticks and $goal_wakeups"
if [ "${ticks[datecalc]}" -le $((floor_ticks + goal_ticks)) ] &&
  [ "${wakeups[datecalc]}" -le $((floor_wakeups + goal_wakeups)) ]; then
  echo "$headline: met"
else
  echo "$headline: MISSED"
  exit 1
fi
