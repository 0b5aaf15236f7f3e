#!/usr/bin/env bash
# The release package (scripts/release): what it holds, that its program is the 32-bit release
# with VERSION in its version block, and that it is reproducible: a second build of the same
# sources, copied to another folder and built later, gives byte-identical datecalc.exe and zip.
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib/common.sh"
source "$ROOT/tests/support/tally.sh"
source "$ROOT/tests/support/snapshot.sh" || give_up "no snapshot name in tests/support/calculator_ids.h"
tmp=$(mktemp -d /tmp/release-test.XXXXXX)
trap 'rm -rf "$tmp"' EXIT

version=$(head -1 "$ROOT/VERSION")
name="fechas-$version-win32.zip"
here="$BUILD_ROOT/dist/$name"
if ! DIST_DIR="$BUILD_ROOT/dist" "$ROOT/scripts/release" >"$tmp/here.log" 2>&1; then
  give_up "$(cat "$tmp/here.log")"
fi

entries() {  # the zip's entries: name, time, attributes, one a line, in their order
  python3 - "$1" <<'PY'
import sys, zipfile
for i in zipfile.ZipFile(sys.argv[1]).infolist():
    print(i.filename, "%04d-%02d-%02d %02d:%02d:%02d" % i.date_time, oct(i.external_attr >> 16))
PY
}
expected_names() {
  printf '%s\n' datecalc.exe LEEME.txt
  [ ! -f "$ROOT/LICENSE" ] || echo LICENSE.txt
  echo SHA256SUMS
}
same_names() { diff <(entries "$here" | cut -d' ' -f1) <(expected_names); }
fixed_times() { ! entries "$here" | grep -v ' 1980-01-01 00:00:00 0o100644$'; }
sums_hold() { (cd "$tmp/unpacked" && sha256sum --quiet -c SHA256SUMS); }
readme_is_1252_crlf() {
  local text="$tmp/unpacked/LEEME.txt"
  iconv -f CP1252 -t UTF-8 "$text" >"$tmp/leeme.utf8" &&
    ! grep -q $'[^\r]$' "$tmp/leeme.utf8" && [ -n "$SNAPSHOT_NAME" ] && grep -qF "$SNAPSHOT_NAME" "$tmp/leeme.utf8" &&
    grep -q "Fechas $version" "$tmp/leeme.utf8" && grep -q 'carpeta de trabajo' "$tmp/leeme.utf8" &&
    ! grep -q '@VERSION@' "$tmp/leeme.utf8"
}
headers() { python3 "$ROOT/scripts/lib/pe_info.py" "$1" | tr '\n' ' '; }
is_release_program() {
  cmp -s "$tmp/unpacked/datecalc.exe" "$BUILD_ROOT/win32/datecalc.exe" &&
    headers "$tmp/unpacked/datecalc.exe" | grep -q '^machine 014c subsystem 2 timestamp 0 '
}
version_block() {  # FILEVERSION and the version texts of the program, as windres reads them back
  i686-w64-mingw32-windres --input "$1" --output "$tmp/resources.rc" --output-format=rc &&
    grep -E 'FILEVERSION|PRODUCTVERSION|"(File|Product)Version"' "$tmp/resources.rc" | tr -d ' '
}
carries_version() {
  local numbers
  numbers="$(echo "$version" | tr . ,),0"
  [ "$(version_block "$1")" = "$(printf 'FILEVERSION%s\nPRODUCTVERSION%s\nVALUE"FileVersion","%s"\nVALUE"ProductVersion","%s"' \
    "$numbers" "$numbers" "$version" "$version")" ]
}
no_build_paths() { ! grep -qaF -e "$ROOT" -e "$BUILD_ROOT" -e /tmp/ "$1"; }
# The program is about 60 KB; a table or buffer that lands in the file instead of in memory
# shows here first.
RELEASE_SIZE_LIMIT=102400
small_enough() {
  local size
  size=$(stat -c %s "$1") || return 1
  echo "  (datecalc.exe: $size bytes, limit $RELEASE_SIZE_LIMIT)"
  [ "$size" -le "$RELEASE_SIZE_LIMIT" ]
}

python3 -m zipfile -e "$here" "$tmp/unpacked"
check "the package is named after VERSION ($name)" test -f "$here"
check "the package holds datecalc.exe, LEEME.txt, the licence if any and SHA256SUMS, in order" same_names
check "every entry has the same fixed time and attributes" fixed_times
check "SHA256SUMS holds for the files beside it" sums_hold
check "LEEME.txt is Windows-1252 with CRLF, names the version and where the snapshot goes" readme_is_1252_crlf
check "the packaged program is the win32 build: i386, GUI, no link time" is_release_program
check "the program's version block carries VERSION" carries_version "$tmp/unpacked/datecalc.exe"
check "the program names no build folder" no_build_paths "$tmp/unpacked/datecalc.exe"
check "the packaged program is no larger than 100 KB" small_enough "$tmp/unpacked/datecalc.exe"

# The same sources (the work tree's, committed or not) elsewhere, built later from nothing.
copy="$tmp/another/folder/with-a-longer-name"
mkdir -p "$copy"
(cd "$ROOT" && git ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
  xargs -0 cp --parents -t "$copy")
sleep 2
say "building the release again in $copy"
if BUILD_ROOT="$copy/build" DIST_DIR="$copy/dist" "$copy/scripts/release" >"$tmp/there.log" 2>&1; then
  there="$copy/dist/$name"
  echo "program sha256: $(sha256sum <"$BUILD_ROOT/win32/datecalc.exe" | cut -d' ' -f1) here, $(sha256sum <"$copy/build/win32/datecalc.exe" | cut -d' ' -f1) there"
  echo "package sha256: $(sha256sum <"$here" | cut -d' ' -f1) here, $(sha256sum <"$there" | cut -d' ' -f1) there"
  check "a build elsewhere and later gives the same datecalc.exe" \
    cmp "$BUILD_ROOT/win32/datecalc.exe" "$copy/build/win32/datecalc.exe"
  check "a build elsewhere and later gives the same package" cmp "$here" "$there"
else
  tail -20 "$tmp/there.log"
  check "the release builds in another folder" false
fi
finish
