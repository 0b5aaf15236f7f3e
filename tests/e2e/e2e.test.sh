#!/usr/bin/env bash
# Runs the end-to-end driver against the real calculator under Wine and Xvfb (after the win64
# build of scripts/test). The driver prints one line per check and ends with "N passed, M failed".
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib/common.sh"
exe="$BUILD_ROOT/win64/datecalc.exe"
driver="$BUILD_ROOT/win64/e2e_driver.exe"
require_build_outputs "$exe" "$driver"
# A failed picture comparison keeps its pictures with the run's results (the driver sees the
# folder through Wine's Z: drive); the scratch folder goes at the end.
keep="${RESULTS:-$BUILD_ROOT/results}"
mkdir -p "$keep"
export E2E_KEEP="Z:$keep/e2e-pictures"
enter_scratch_session e2e
WINE_TIMEOUT=300 "$ROOT/scripts/wine-exec" "$driver" "$exe" 2>&1 | tr -d '\r'
