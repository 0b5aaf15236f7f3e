#!/usr/bin/env bash
# The long monkey run: many more random actions than scripts/test takes, deeper stacks of
# date-order boxes, the process's objects and memory printed every 1000 actions.
#   tests/soak/monkey_soak.sh [ACTIONS [SEED]]     defaults: 20000 actions, a seed from the clock
# Needs the win64 build (scripts/test win64, or cmake --build build/win64 --target datecalc
# abuse_driver). Ends with "N passed, M failed"; exit code 0 when all passed.
set -uo pipefail
source "$(cd "$(dirname "$0")" && pwd)/../../scripts/lib/common.sh"
actions=${1:-20000}
seed=${2:-$(date +%s)}
exe="$BUILD_ROOT/win64/datecalc.exe"
driver="$BUILD_ROOT/win64/abuse_driver.exe"
require_build_outputs "$exe" "$driver"
enter_scratch_session soak
say "seed $seed, $actions actions (repeat: $0 $actions $seed)"
# About 50 ms an action under Wine here: allow twice that.
WINE_TIMEOUT=$((actions / 10 + 120)) "$ROOT/scripts/wine-exec" "$driver" --monkey "$seed" \
  "$actions" --deepest 8 --usage-every 1000 "$exe" 2>&1 | tr -d '\r'
