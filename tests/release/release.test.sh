#!/usr/bin/env bash
# The release package (scripts/release): what it holds, that its program is the 32-bit release
# with VERSION in its version block and the hardening of a system program, and that it is
# reproducible: a second build of the same sources, copied to another folder and built later,
# gives byte-identical datecalc.exe and zip.
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
# The program is about 64 KB; a table or buffer that lands in the file instead of in memory
# shows here first.
RELEASE_SIZE_LIMIT=102400
small_enough() {
  local size
  size=$(stat -c %s "$1") || return 1
  echo "  (datecalc.exe: $size bytes, limit $RELEASE_SIZE_LIMIT)"
  [ "$size" -le "$RELEASE_SIZE_LIMIT" ]
}

# The hardening of a system program, as the rules of Microsoft's binary analyser (BinSkim) name
# it, where this toolchain can give it; docs/hardening.md says why it cannot give the others.
facts="$tmp/pe-facts.txt"
code="$tmp/code.txt"
has() { grep -qx "$1" "$facts"; }
flag() { grep -q "^dll_characteristics.* $1\b" "$facts"; }
relocatable() { flag DYNAMIC_BASE && ! has 'relocations 0'; }
imports_not_executable() {
  ! grep -q "^section $(awk '$1 == "imports_section" {print $2}' "$facts") ..x" "$facts"
}
no_section() { ! grep -qE "^section [^ ]+ $1" "$facts"; }
# gcc's canary check as a function returns, on i686: the guard subtracted from the frame's
# copy, then the jump to the failure ("sub 0x40f044,%eax" "je ..."); counted for the address
# that most functions check.
canary_checks() {
  awk '$NF ~ /^0x[0-9a-f]+,%e[a-d]x$/ && $(NF-1) == "sub" {
         guard = substr($NF, 1, index($NF, ",")); next
       }
       guard && $(NF-1) ~ /^j(e|ne)$/ {n[guard]++} {guard = ""}
       END {m = 0; for (g in n) if (n[g] > m) m = n[g]; print m}' "$code"
}
checks_canaries() { local n; n=$(canary_checks); echo "  ($n functions check a canary)"; [ "$n" -gt 0 ]; }
seeds_canary() {
  grep -qE '^import [^ ]+ (CryptGenRandom|SystemFunction036|rand_s|BCryptGenRandom|ProcessPrng)$' \
    "$facts"
}
# NO_SEH is true only if nothing puts a handler on the SEH chain at fs:0.
declares_no_seh() { flag NO_SEH && ! grep -qE '%fs:0x0($|[^0-9a-fx])' "$code"; }
# Windows' known DLLs, and COMCTL32, which the manifest binds to its side-by-side assembly:
# none of them is looked for beside the program.
SYSTEM_DLLS=(advapi32 comctl32 gdi32 kernel32 msvcrt ole32 oleaut32 user32)
imports_only_system_dlls() {
  local dll others=""
  for dll in $(awk '$1 == "import" {print tolower($2)}' "$facts" | sort -u); do
    printf '%s.dll\n' "${SYSTEM_DLLS[@]}" | grep -qxF "$dll" || others+=" $dll"
  done
  [ -z "$others" ] || echo "  (imports from$others)"
  [ -z "$others" ]
}
HARDENING_RULES=(
  "BA2009 address space layout randomisation: DYNAMIC_BASE, relocations kept|relocatable"
  "BA2010 the imports lie in no executable section|imports_not_executable"
  "BA2011 stack protection: functions check a canary before they return|checks_canaries"
  "BA2013 the canary is seeded at start from the system's random numbers|seeds_canary"
  "BA2016 data execution prevention: NX_COMPAT|flag NX_COMPAT"
  "BA2018 no SEH handler in the program, and it says so: NO_SEH|declares_no_seh"
  "BA2019 no section both writable and shared|no_section .w.s"
  "BA2021 no section both writable and executable|no_section .wx"
  "terminal-server aware: TERMINAL_SERVER_AWARE|flag TERMINAL_SERVER_AWARE"
  "imports only from system DLLs (no libssp, libgcc or libstdc++ DLL)|imports_only_system_dlls"
)

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
python3 "$ROOT/scripts/lib/pe_info.py" "$tmp/unpacked/datecalc.exe" >"$facts"
i686-w64-mingw32-objdump -d "$tmp/unpacked/datecalc.exe" >"$code"
for rule in "${HARDENING_RULES[@]}"; do
  # shellcheck disable=SC2086  # the command and its arguments
  check "hardened: ${rule%%|*}" ${rule#*|}
done

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
