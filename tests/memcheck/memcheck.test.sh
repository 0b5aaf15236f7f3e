#!/usr/bin/env bash
# Every native test program under valgrind memcheck, in a Debug build without sanitizers
# (preset memcheck): no invalid read or write, no use of uninitialised memory, no definite leak.
#
# Two passes per program:
#   strict    every test but the ones below, under --error-exitcode=1: a memory error or a
#             failed test fails the case.
#   x87       tests whose results need the x87's 64-bit mantissa, named one by one: each fails
#             under valgrind 3.19 and passes natively and under Wine. Valgrind computes x87
#             arithmetic in 64-bit doubles and reads the control word back as it pleases, so
#             their assertions cannot hold under it; their memory is still checked (a memory
#             error exits with 99 and fails the case, and so does a program that does not end
#             its run of tests), their assertions are judged in the native (ASan + UBSan) and
#             win64 stages.
# The heaviest property tests are left out here (minutes under valgrind, the same few code
# paths over and over); they run in full under the sanitizers.
#   MEMCHECK_JOBS=N     programs checked at once (default 1)
#   MEMCHECK_KEEP=1     keep the valgrind logs in $BUILD_ROOT/memcheck-logs
#   MEMCHECK_ALL=1      leave nothing out (tests/soak/memcheck_all.sh)
set -uo pipefail
source "$(cd "$(dirname "$0")" && pwd)/../../scripts/lib/common.sh"
unset GTEST_OUTPUT

X87_TESTS="Fpu.LoadsTheRuntimeControlWord:Fpu.ExtendedPrecisionHoldsSixtyFourBitIntegersExactly"
X87_TESTS+=":NumberDigits.PowersOfTwoBelowOverestimatedExponentsPrintAtTheirMagnitude"
X87_TESTS+=":NumberDigits.RandomValuesOfEveryMagnitudeMatchTheirExactValue"
X87_TESTS+=":NumberDigits.RandomValuesOfModerateMagnitudeMatchTheirExactValue"
X87_TESTS+=":NumberDigits.WholeNumbersMatchTheirExactValue"
X87_TESTS+=":NumberDigits.NeighboursOfPowersOfTenMatchTheirExactValue"
X87_TESTS+=":NumberText.EdgeCasesOfTheDoubleForm:NumberText.OddBitPatternsGetDefinedTexts"
X87_TESTS+=":NumberText.DigitCountsOutsideOneToSeventeenMeanEighteen"
X87_TESTS+=":NumberText.LongestTextFitsItsBuffer:NumberTextAllocation.TheResultIsTheOnlyAllocation"
X87_TESTS+=":PowerOfTen.LargeEntriesAreTheNearestExtendedValues:PowerOfTen.ScalingByExactPowersIsExact"
X87_TESTS+=":PowerOfTen.ScalingIsAccurateAcrossTheRange:PowerOfTen.ScalingFarOutsideTheRangeSaturates"
X87_TESTS+=":Startup.ProgramMainRunsInAPreparedRuntimeAndItsResultIsTheExitCode"
X87_TESTS+=":TextToNumberTest.Exponents:TextToNumberTest.MagnitudesBeyondTheRangeSaturate"
X87_TESTS+=":TextToNumberTest.SmallestNormalsDoNotReadAsZero:TextToNumberTest.BasedIntegers"
X87_TESTS+=":TextToNumberTest.ExactPowersGiveCorrectlyRoundedValues"
HEAVY_TESTS="IntervalProperty.EveryPairOfDatesFromDecember2019ToJanuary2023"
HEAVY_TESTS+=":DayArithmetic.AgreesWithTheModelOverTheWholeRange"
[ -z "${MEMCHECK_ALL:-}" ] || HEAVY_TESTS="NoSuchTest.LeftOut"

BUILD="$BUILD_ROOT/memcheck"
LOGS="$BUILD_ROOT/memcheck-logs"
source "$ROOT/tests/support/tally.sh"

if ! command -v valgrind >/dev/null; then
  skip "valgrind is not installed"
  finish
  exit 0
fi

start=$SECONDS
say "building preset memcheck in $BUILD"
# The build log goes into $BUILD_ROOT before cmake has made any folder there.
mkdir -p "$BUILD" || give_up "cannot make $BUILD"
if ! { cmake --preset memcheck -B "$BUILD" && nice cmake --build "$BUILD" -j "${JOBS:-$(nproc)}"; } \
  >"$BUILD_ROOT/memcheck-build.log" 2>&1; then
  give_up "$(tail -30 "$BUILD_ROOT/memcheck-build.log")"
fi
say "built in $((SECONDS - start)) s"

rm -rf "$LOGS" && mkdir -p "$LOGS"
# name<TAB>command<TAB>working folder of every test ctest knows, so new programs join by
# themselves; the command's words apart by the unit separator, as a path may hold a blank.
mapfile -t programs < <(ctest --test-dir "$BUILD" --show-only=json-v1 | python3 -c '
import json, sys
for t in json.load(sys.stdin)["tests"]:
    wd = next((p["value"] for p in t.get("properties", []) if p["name"] == "WORKING_DIRECTORY"), ".")
    print(t["name"], "\x1f".join(t["command"]), wd, sep="\t")
')
[ ${#programs[@]} -gt 0 ] || give_up "no test programs in $BUILD"

VALGRIND=(valgrind --leak-check=full --errors-for-leak-kinds=definite --num-callers=30)


# joined_filter OWN POSITIVE NEGATIVE: one --gtest_filter of a program's own filter (ctest's, which
# leaves out the cases only a script can prepare) and a pass's. GoogleTest obeys only the last
# filter it is given, so a second one would run, under valgrind, cases meant to stay out; those
# skip themselves there and would count as passes. Prints nothing when the two cannot be joined
# (both name the cases to run).
joined_filter() {
  local own=$1 positive=$2 negative=$3 own_positive own_negative=""
  own_positive=${own%%-*}
  [[ "$own" != *-* ]] || own_negative=${own#*-}
  [ -z "$own_positive" ] || [ -z "$positive" ] || return 0
  positive=${positive:-$own_positive}
  negative=$own_negative${own_negative:+${negative:+:}}$negative
  echo "--gtest_filter=$positive${negative:+-$negative}"
}

# check_pass NAME COMMAND FOLDER PASS: prints one result line "ok|FAIL|skip label detail".
check_pass() {
  local name=$1 command=$2 folder=$3 pass=$4 filter errorcode log rc word words own="" program=()
  log="$LOGS/$name-$pass.log"
  IFS=$'\x1f' read -ra words <<<"$command"
  for word in "${words[@]}"; do
    case "$word" in --gtest_filter=*) own=${word#--gtest_filter=} ;; *) program+=("$word") ;; esac
  done
  if [ "$pass" = strict ]; then
    filter=$(joined_filter "$own" "" "$X87_TESTS:$HEAVY_TESTS") errorcode=1
  else
    filter=$(joined_filter "$own" "$X87_TESTS" "") errorcode=99
  fi
  if [ -z "$filter" ]; then
    echo "FAIL $name: its own filter ($own) and the $pass pass's cannot be joined"
    return
  fi
  local listing listed
  listing=$("${program[@]}" "$filter" --gtest_list_tests 2>/dev/null)
  rc=$?
  if [ $rc -ne 0 ]; then
    echo "FAIL $name: it could not list its tests for the $pass pass (exit $rc)"
    return
  fi
  listed=$(grep -c '^  ' <<<"$listing" || true)
  if [ "$listed" -eq 0 ]; then
    echo "--   $name: no tests for the $pass pass"
    return
  fi
  local t0=$SECONDS
  (cd "$folder" && timeout 600 "${VALGRIND[@]}" --error-exitcode=$errorcode --log-file="$log" \
    "${program[@]}" "$filter" >"$log.out" 2>&1)
  rc=$?
  local took=$((SECONDS - t0)) summary ended=1 cut=""
  grep -q '^\[==========\] .* ran\.' "$log.out" || { ended=0 cut=" before its tests ended"; }
  summary=$(grep -h 'ERROR SUMMARY' "$log" | head -1 | sed -E 's/^==[0-9]+== //; s/ \(suppressed.*//')
  if [ "$pass" = strict ]; then
    if [ $rc -eq 0 ] && [ $ended -eq 1 ]; then
      echo "ok   $name: $listed tests pass under memcheck, $summary (${took} s)"
    else
      echo "FAIL $name: exit $rc$cut, $summary"
      grep -E '^\[  FAILED|^==[0-9]+== (Invalid|Conditional|Use of|[0-9,]+ bytes in .* definitely)' \
        "$log.out" "$log" | head -20
    fi
  else
    local wrong
    wrong=$(grep -c '^\[  FAILED  \] .*ms)$' "$log.out" || true)
    # GoogleTest's own ends: 0, or 1 when an assertion failed, after its closing line.
    if [ $rc -le 1 ] && [ $ended -eq 1 ] && grep -q 'ERROR SUMMARY: 0 errors' "$log"; then
      echo "ok   $name: memory of $listed x87 tests clean, $summary;" \
        "$wrong of them see valgrind's 64-bit x87 (${took} s)"
    else
      echo "FAIL $name: x87 tests exit $rc$cut, $summary"
      grep -E '^==[0-9]+== (Invalid|Conditional|Use of|[0-9,]+ bytes in .* definitely)' "$log" | head -20
    fi
  fi
}

results="$LOGS/results"
: >"$results"
jobs_at_once=${MEMCHECK_JOBS:-1}
for entry in "${programs[@]}"; do
  IFS=$'\t' read -r name command folder <<<"$entry"
  for pass in strict x87; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs_at_once" ]; do wait -n; done
    check_pass "$name" "$command" "$folder" "$pass" >>"$results" &
  done
done
wait
cat "$results"
passed=$(grep -c '^ok ' "$results")
failed=$(grep -c '^FAIL ' "$results")
skipped=$(grep -c '^skip ' "$results")
say "memcheck took $((SECONDS - start)) s in all"
[ -n "${MEMCHECK_KEEP:-}" ] || rm -rf "$LOGS"
finish
