#!/usr/bin/env bash
# Random user actions against the real calculator under Wine (after the win64 build): dates
# across the pickers' range, both buttons, texts in the number-of-days box, snapshots,
# drop-down calendars and stacked date-order boxes, each checked against the driver's own
# model; GDI objects, windows and memory must not grow.
#   MONKEY_SEED=N      another seed (the default is fixed, so a failure repeats)
#   MONKEY_ACTIONS=N   how many actions (default 2000, about 1.5 minutes)
set -uo pipefail
source "$(cd "$(dirname "$0")" && pwd)/../../scripts/lib/common.sh"
exe="$BUILD_ROOT/win64/datecalc.exe"
driver="$BUILD_ROOT/win64/abuse_driver.exe"
seed=${MONKEY_SEED:-20261207}
actions=${MONKEY_ACTIONS:-2000}

require_build_outputs "$exe" "$driver"
enter_scratch_session monkey
say "seed $seed, $actions actions (repeat with MONKEY_SEED=$seed MONKEY_ACTIONS=$actions)"
WINE_TIMEOUT=600 "$ROOT/scripts/wine-exec" "$driver" --monkey "$seed" "$actions" \
  --usage-every 500 "$exe" 2>&1 | tr -d '\r'
