#!/usr/bin/env bash
# Runs the end-to-end driver against the real calculator under Wine and Xvfb (after the win64
# build of scripts/test). The driver prints one line per check and ends with "N passed, M failed".
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib/common.sh"
exe="$BUILD_ROOT/win64/datecalc.exe"
driver="$BUILD_ROOT/win64/e2e_driver.exe"
if [ ! -f "$exe" ] || [ ! -f "$driver" ]; then
  echo "no win64 build of the calculator and its driver in $BUILD_ROOT/win64"
  echo "0 passed, 1 failed"
  exit 1
fi
started_here=""
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then start_xvfb; started_here=1; fi
wine_prefix_ready
work=$(mktemp -d "$BUILD_ROOT/e2e.XXXXXX")
cleanup() {
  rm -rf "$work"
  if [ -n "$started_here" ]; then stop_wine; stop_xvfb; fi
}
trap cleanup EXIT
cd "$work"
WINE_TIMEOUT=300 "$ROOT/scripts/wine-exec" "$driver" "$exe" 2>&1 | tr -d '\r'
