# Pass/fail counting for the test scripts, ending in the line scripts/test counts:
# "N passed, M failed, K skipped". Source it; do not run it.
#   check NAME COMMAND...   runs COMMAND and counts it: "ok   NAME" or "FAIL NAME"
#   pass NAME, fail NAME    count an outcome found some other way
#   skip WHAT [N]           counts N (default 1) checks that could not run here, and why
#   finish                  prints the last line; its status is 0 when nothing failed
#   give_up WHY             the script cannot test at all: WHY, "0 passed, 1 failed", exit 1
passed=0 failed=0 skipped=0

pass() {
  passed=$((passed + 1))
  echo "ok   $1"
}
fail() {
  failed=$((failed + 1))
  echo "FAIL $1"
}
check() {
  local name=$1
  shift
  if "$@"; then pass "$name"; else fail "$name"; fi
}
# For check: COMMAND's own output is not the script's.
quiet() { "$@" >/dev/null 2>&1; }
skip() {
  skipped=$((skipped + ${2:-1}))
  echo "skip $1"
}
finish() {
  echo "$passed passed, $failed failed, $skipped skipped"
  [ "$failed" -eq 0 ]
}
give_up() {
  echo "$*"
  echo "0 passed, 1 failed"
  exit 1
}
