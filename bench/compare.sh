#!/usr/bin/env bash
# One benchmark program at two commits, side by side:
#   bench/compare.sh [options] BENCH OLD NEW
#     BENCH   a program of bench/ (number_text_bench)
#     OLD NEW commits (anything git rev-parse takes: abaeb17, HEAD~3, main)
#   --filter REGEX   only the benchmarks matching REGEX (--benchmark_filter)
#   --rounds N       runs of each program, alternating OLD and NEW (default 5)
#   --min-time S     seconds each benchmark runs per round (default 0.3)
#   --limit R        exit 1 when a benchmark's NEW/OLD ratio of fastest rounds is above R
# Each commit is checked out into a temporary git worktree and built with the bench preset
# there, so the working tree is untouched and both programs get the same flags. Rounds
# alternate so a machine that gets busier or cooler during the run weighs on both alike.
# Prints per benchmark the median (and range) of each side's CPU time per iteration in ns, and
# the ratios NEW/OLD of the medians and of the fastest rounds. CPU time, not wall time: on a
# shared machine the wall clock also counts the time other processes had the core. The limit
# looks at the fastest rounds: a busy machine only ever adds time, so they are the steadiest.
set -uo pipefail
source "$(cd "$(dirname "$0")" && pwd)/../scripts/lib/common.sh"

usage() { sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }

filter="" rounds=5 min_time=0.3 limit=""
while [ $# -gt 0 ]; do
  case $1 in
    --filter) filter=$2; shift 2 ;;
    --rounds) rounds=$2; shift 2 ;;
    --min-time) min_time=$2; shift 2 ;;
    --limit) limit=$2; shift 2 ;;
    -h | --help) usage ;;
    -*) echo "unknown option $1" >&2; usage ;;
    *) break ;;
  esac
done
[ $# -eq 3 ] || usage
bench=$1
[ -f "$ROOT/bench/$bench.cpp" ] || { echo "no benchmark bench/$bench.cpp" >&2; exit 2; }
[[ "$rounds" =~ ^[1-9][0-9]*$ ]] || { echo "--rounds takes a positive number" >&2; exit 2; }

commits=() labels=("$2" "$3")
for ref in "$2" "$3"; do
  commit=$(git -C "$ROOT" rev-parse --verify --quiet "$ref^{commit}") ||
    { echo "$ref names no commit" >&2; exit 2; }
  commits+=("$commit")
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/bench-compare.XXXXXX")
trees=()
cleanup() {
  local tree
  for tree in "${trees[@]}"; do git -C "$ROOT" worktree remove --force "$tree" >/dev/null 2>&1; done
  git -C "$ROOT" worktree prune
  rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

programs=()
for side in 0 1; do
  tree="$WORK/tree$side" build="$WORK/build$side" log="$WORK/build$side.log"
  say "building $bench at ${labels[$side]} (${commits[$side]:0:12})"
  git -C "$ROOT" worktree add --detach --quiet "$tree" "${commits[$side]}" >"$log" 2>&1 ||
    { cat "$log" >&2; exit 1; }
  trees+=("$tree")
  (cd "$tree" && cmake --preset bench -B "$build" && cmake --build "$build" --target "$bench" -j "${JOBS:-2}") \
    >>"$log" 2>&1 || { tail -30 "$log" >&2; echo "$bench did not build at ${labels[$side]}" >&2; exit 1; }
  programs+=("$build/bench/$bench")
done

args=(--benchmark_format=json "--benchmark_min_time=$min_time")
[ -z "$filter" ] || args+=("--benchmark_filter=$filter")
for round in $(seq "$rounds"); do
  say "round $round of $rounds"
  for side in 0 1; do
    "${programs[$side]}" "${args[@]}" >"$WORK/side$side-round$round.json" 2>"$WORK/side$side.err" ||
      { cat "$WORK/side$side.err" >&2; echo "$bench failed at ${labels[$side]}" >&2; exit 1; }
  done
done

python3 - "$WORK" "$rounds" "${labels[0]}" "${labels[1]}" "$limit" <<'EOF'
import json, statistics, sys

work, rounds, old, new, limit = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4], sys.argv[5]
times = [{}, {}]  # side -> benchmark -> ns per iteration, one per round
order = []
for side in (0, 1):
    for r in range(1, rounds + 1):
        with open(f"{work}/side{side}-round{r}.json") as fh:
            for b in json.load(fh)["benchmarks"]:
                scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[b.get("time_unit", "ns")]
                times[side].setdefault(b["name"], []).append(b["cpu_time"] * scale)
                if b["name"] not in order:
                    order.append(b["name"])

def cell(values):
    return f"{statistics.median(values):9.1f} ({min(values):.1f}-{max(values):.1f})"

width = max(len(name) for name in order + ['benchmark (CPU ns)'])
print(f"{'benchmark (CPU ns)':<{width}}  {old:>24}  {new:>24}  new/old  fastest")
over = []
for name in order:
    a, b = times[0].get(name), times[1].get(name)
    if not a or not b:
        print(f"{name:<{width}}  only at {old if a else new}")
        continue
    ratio = statistics.median(b) / statistics.median(a)
    fastest = min(b) / min(a)
    print(f"{name:<{width}}  {cell(a):>24}  {cell(b):>24}  {ratio:7.3f}  {fastest:7.3f}")
    if limit and fastest > float(limit):
        over.append(name)
if over:
    print(f"above {limit}: {', '.join(over)}")
    sys.exit(1)
EOF
