#!/usr/bin/env bash
# Runs every libFuzzer target built under $BUILD_ROOT/fuzz for about 30 seconds each, with
# AddressSanitizer and UBSan stopping at the first fault. Builds nothing itself (scripts/test
# builds the fuzz preset first): no fuzz target to run is a failure.
set -uo pipefail

ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
BUILD_ROOT="${BUILD_ROOT:-$ROOT/build}"
SECONDS_EACH="${FUZZ_SECONDS:-30}"
source "$ROOT/tests/support/tally.sh"

mapfile -t fuzzers < <(find "$BUILD_ROOT/fuzz" -type f -name '*_fuzz' -perm -u+x 2>/dev/null | sort)
[ ${#fuzzers[@]} -gt 0 ] || give_up "no fuzz targets under $BUILD_ROOT/fuzz (build the 'fuzz' preset first)"

export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

for fuzzer in "${fuzzers[@]}"; do
  name=$(basename "$fuzzer")
  work=$(mktemp -d)
  log="$work/$name.log"
  (cd "$work" && timeout $((SECONDS_EACH + 60)) "$fuzzer" -max_total_time="$SECONDS_EACH" >"$log" 2>&1)
  rc=$?
  runs=$(grep -oE 'Done [0-9]+ runs' "$log" | grep -oE '[0-9]+' | tail -1)
  if [ $rc -eq 0 ] && [ -n "$runs" ] && ! grep -qE 'runtime error|ERROR: (Address|libFuzzer|UndefinedBehavior)' "$log"; then
    pass "$name: $runs executions in ${SECONDS_EACH}s"
  else
    fail "$name (exit $rc)"
    tail -40 "$log"
    ls "$work"/crash-* "$work"/leak-* "$work"/timeout-* 2>/dev/null | while read -r unit; do
      echo "input: $(od -An -tx1 "$unit" | tr -s ' \n' ' ')"
    done
  fi
  rm -rf "$work"
done

finish
