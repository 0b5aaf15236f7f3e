#!/usr/bin/env bash
# Where start-up time goes: the calculator and the platform floor (minimal_platform_dialog)
# started alternately by the end-to-end driver under a Wine trace (timestamps, DLL loads and a
# relay limited to the start-up calls), summed up by startup_timeline.py as a table of steps.
# Tracing slows every traced call and message, so the table shows where the time goes and how
# the two programs differ, not how long an untraced start takes: that is startup_bench.sh's.
# Usage: bench/startup/startup_timeline.sh [RUNS] [PRESET]   (default: 10 starts each, win64-release)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../../scripts/lib/common.sh"
cd "$ROOT"
runs="${1:-10}"
preset="${2:-win64-release}"
# The bench's own prefix: the relay filter goes into its registry, and tests running meanwhile
# keep their Wine server.
export WINEPREFIX="${WINEPREFIX:-$BUILD_ROOT/wineprefix-bench}"
cmake --preset win64 >/dev/null
cmake --build "$BUILD_ROOT/win64" --target e2e_driver -j "$(nproc)" >/dev/null
cmake --preset "$preset" >/dev/null
cmake --build "$BUILD_ROOT/$preset" --target datecalc minimal_platform_dialog -j "$(nproc)" >/dev/null

start_xvfb
wine_prefix_ready
work=$(mktemp -d "$BUILD_ROOT/timeline.XXXXXX")
trap 'rm -rf "$work"; stop_wine; stop_xvfb' EXIT
timeout 60 "$WINE" reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /t REG_SZ \
  /d "$(python3 "$here/startup_timeline.py" --relay-include)" /f >/dev/null
cd "$work"
out="$BUILD_ROOT/$preset"
# One start more of each: the first pays for Wine's own warm-up and is left out of the table.
WINEDEBUG=+timestamp,+pid,+loaddll,+process,+relay timeout 900 "$WINE" \
  "$BUILD_ROOT/win64/e2e_driver.exe" --startup "$((runs + 1))" \
  "$out/datecalc.exe" "$out/minimal_platform_dialog.exe" >/dev/null 2>trace.txt
echo "start-up steps of the $preset build, traced:"
python3 "$here/startup_timeline.py" trace.txt datecalc.exe minimal_platform_dialog.exe
