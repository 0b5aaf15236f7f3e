#!/usr/bin/env bash
# The calculator's performance figures, each against its goal:
#  - start-up: process start to a visible window that answers, against a minimal dialog program
#    built by the same toolchain (the floor for a Win32 program under Wine), alternating the two
#    in one run; goal: at most 1.2 times the minimal dialog;
#  - click to result: "Tiempo total" pressed to its text in the band, over 1000 clicks, measured
#    by the end-to-end driver; goal: p99 under 5 ms;
#  - the stripped 32-bit release program: goal under 100 KB, importing system DLLs only.
# Usage: bench/startup/startup_bench.sh [RUNS]   (builds win64 and win32 first)
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib/common.sh"
cd "$ROOT"
runs="${1:-15}"
for preset in win64 win32; do
  cmake --preset "$preset" -B "$BUILD_ROOT/$preset" >/dev/null
done
cmake --build "$BUILD_ROOT/win64" --target datecalc minimal_dialog minimal_platform_dialog e2e_driver click_timing -j "$(nproc)" >/dev/null
cmake --build "$BUILD_ROOT/win32" --target datecalc -j "$(nproc)" >/dev/null

start_xvfb
wine_prefix_ready
trap 'stop_wine; stop_xvfb' EXIT
work=$(mktemp -d "$BUILD_ROOT/bench.XXXXXX")
trap 'rm -rf "$work"; stop_wine; stop_xvfb' EXIT
cd "$work"
w64="$BUILD_ROOT/win64"
# One warm-up start of each, so that neither pays for loading Wine's own libraries first.
"$ROOT/scripts/wine-exec" "$w64/e2e_driver.exe" --startup 1 "$w64/datecalc.exe" "$w64/minimal_dialog.exe" >/dev/null
"$ROOT/scripts/wine-exec" "$w64/e2e_driver.exe" --startup "$runs" "$w64/datecalc.exe" "$w64/minimal_dialog.exe" | tr -d '\r'
# The share of the gap that the platform libraries the design requires account for.
"$ROOT/scripts/wine-exec" "$w64/e2e_driver.exe" --startup "$runs" "$w64/minimal_platform_dialog.exe" "$w64/minimal_dialog.exe" | tr -d '\r' | sed 's/calculator/minimal dialog with COM, common controls 6 and a picker/'
"$ROOT/scripts/wine-exec" "$w64/e2e_driver.exe" --clicks 1000 "$w64/datecalc.exe" | tr -d '\r'
"$ROOT/scripts/wine-exec" "$w64/click_timing.exe" 1000 | tr -d '\r'

exe="$BUILD_ROOT/win32/datecalc.exe"
size=$(stat -c %s "$exe")
echo "release program $exe: $size bytes ($((size / 1024)) KB)"
echo "imports: $(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name/ {print $3}' | tr '\n' ' ')"
