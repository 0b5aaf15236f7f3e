# shellcheck shell=bash
# How scripts/test and the Wine stage leave their counts: one entry per stage in $RESULTS,
# added up by count_results.py. Source it after common.sh; do not run it.

# A stage that is not a test program still counts as one test: passed or failed.
record() { echo "$2 $3 0" >"$RESULTS/$1.count"; }
# stage_failed NAME REASON: NAME counts as one failure, and the summary says why in one line.
stage_failed() {
  record "$1" 0 1
  printf '%s\n' "$2" >"$RESULTS/$1.reason"
  say "FAILED: $1: $2"
}
# stage_result NAME STATUS [REASON]
stage_result() { if [ "$2" -eq 0 ]; then record "$1" 1 0; else stage_failed "$1" "${3:-failed}"; fi; }

# A test script's count is its last line 'N passed, M failed' (one word and a colon may stand
# before it); a script with no such line counts as one test, passed by exit code 0. A count of
# nothing that passed or failed is a failure: the script ran nothing. What it skipped, with why,
# goes beside the count (NAME.skips) for the summary. The status is 0 when nothing failed.
count_log() {
  local name=$1 log=$2 rc=$3 line p f s skips
  line=$(grep -E '^([A-Za-z-]+: )?[0-9]+ passed, [0-9]+ failed' "$log" | tail -1 | sed -E 's/^[A-Za-z-]+: //')
  if [ -n "$line" ]; then
    p=$(echo "$line" | sed -E 's/^([0-9]+) passed.*/\1/')
    f=$(echo "$line" | sed -E 's/.* ([0-9]+) failed.*/\1/')
    s=$(echo "$line" | grep -oE '[0-9]+ skipped' | cut -d' ' -f1)
    skips=$(sed -n 's/^skip  *//p' "$log" | paste -sd '|' | sed 's/|/; /g')
    [ -z "$skips" ] || echo "$skips" >"$RESULTS/$name.skips"
    if [ "$rc" -ne 0 ] && [ "$f" -eq 0 ]; then
      f=1
      printf 'it ended with exit code %s after counting no failure\n' "$rc" >"$RESULTS/$name.reason"
    elif [ $((p + f)) -eq 0 ]; then
      f=1
      printf 'nothing ran (exit code %s)\n' "$rc" >"$RESULTS/$name.reason"
    fi
    echo "$p $f ${s:-0}" >"$RESULTS/$name.count"
    [ "$f" -eq 0 ]
  else
    stage_result "$name" "$rc" "it ended with exit code $rc and no count"
  fi
}

# run_ctest BUILD_DIR NAME XML_PREFIX: the build's ctest, counted under NAME. Windows test programs
# see the results folder through Wine's Z: drive (XML_PREFIX Z:). A ctest that leaves no report
# (no ctest, no build folder) counts as a failure; one that finds no test leaves a report of none,
# which count_results.py fails. A test program that ended before its last case leaves GoogleTest's
# premature-exit file (tests.cmake names it), kept beside its report for the count. The status
# is ctest's.
run_ctest() {
  local dir=$1 name=$2 xml_prefix=$3 out="$RESULTS/$2" rc left
  rm -rf "$out" && mkdir -p "$out"
  rm -f "$dir/premature-exit/"*
  say "testing $name"
  GTEST_OUTPUT="xml:$xml_prefix$out/" ctest --test-dir "$dir" --output-on-failure -j "$JOBS" \
    --no-tests=error --output-junit "$out/ctest.xml" 2>&1 | tail -60
  rc=${PIPESTATUS[0]}
  for left in "$dir/premature-exit/"*; do
    [ ! -e "$left" ] || mv "$left" "$out/$(basename "$left").premature-exit"
  done
  if [ ! -f "$out/ctest.xml" ]; then
    stage_failed "$name" "ctest left no report (exit code $rc)"
    [ "$rc" -ne 0 ] || rc=1
  fi
  return "$rc"
}

# run_script_test SCRIPT NAME: a tests/**/*.test.sh, its last lines shown, its count kept as NAME,
# which no other script of the run may have taken. Its limit ends every process it started.
run_script_test() {
  local script=$1 name=$2 log="$RESULTS/$2.log" rc
  if [ -e "$RESULTS/$name.count" ]; then
    stage_failed "$name-again" "${script#"$ROOT"/} would count as $name, as another script did: rename one"
    return 1
  fi
  say "running ${script#"$ROOT"/}"
  within 1800 bash "$script" >"$log" 2>&1
  rc=$?
  tail -15 "$log"
  count_log "$name" "$log" $rc
}

# The scripts that drive the real window, run under each Wine with the unit tests.
END_TO_END_GROUP=(
  tests/e2e/e2e.test.sh tests/e2e/snapshot_faults.test.sh
  tests/monkey/monkey.test.sh tests/monkey/snapshot_faults2.test.sh
)
