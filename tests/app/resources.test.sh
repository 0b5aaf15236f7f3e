#!/usr/bin/env bash
# The program's resources: the committed icon is exactly what resources/make_icon.py draws, it
# holds a 32x32 and a 16x16 image of 32 bits, the manifest asks for common controls 6 and system
# DPI awareness, and the built program carries icon group 200, the manifest and a version block.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
BUILD_ROOT="${BUILD_ROOT:-$ROOT/build}"
source "$ROOT/tests/support/tally.sh"
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT

python3 "$ROOT/resources/make_icon.py" -o "$tmp/fresh.ico"
check "committed icon equals the generated one" quiet cmp "$tmp/fresh.ico" "$ROOT/resources/app.ico"
python3 "$ROOT/resources/make_icon.py" -o - >"$tmp/again.ico"
check "the generator is deterministic" quiet cmp "$tmp/fresh.ico" "$tmp/again.ico"

icon_shape() {
  python3 - "$ROOT/resources/app.ico" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
reserved, kind, count = struct.unpack_from("<HHH", data, 0)
assert (reserved, kind, count) == (0, 1, 2), (reserved, kind, count)
sizes = []
for i in range(count):
    w, h, colours, _, planes, bits, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
    assert offset + length <= len(data)
    hsize, dw, dh, dplanes, dbits = struct.unpack_from("<IiiHH", data, offset)
    assert (hsize, dw, dh, dplanes, dbits) == (40, w, 2 * h, 1, 32)
    assert length == 40 + w * h * 4 + h * ((w + 31) // 32) * 4
    sizes.append((w, h, bits))
assert sizes == [(32, 32, 32), (16, 16, 32)], sizes
PY
}
check "icon holds 32x32 and 16x16 images of 32 bits" quiet icon_shape

manifest="$ROOT/resources/app.manifest"
check "manifest asks for common controls 6.0" quiet \
  grep -q 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' "$manifest"
check "manifest declares system DPI awareness" quiet grep -q '<dpiAware[^>]*>true</dpiAware>' "$manifest"
check "manifest is well-formed XML" quiet python3 -c "import sys, xml.dom.minidom as m; m.parse(sys.argv[1])" "$manifest"

exe="$BUILD_ROOT/win64/datecalc.exe"
if [ -f "$exe" ] && command -v x86_64-w64-mingw32-windres >/dev/null; then
  x86_64-w64-mingw32-windres --input "$exe" --output "$tmp/res.rc" --output-format=rc 2>/dev/null
  check "program carries icon group 200" quiet grep -q '^200 14' "$tmp/res.rc"
  check "program carries the manifest as resource 1 of type 24" quiet grep -q '^1 24' "$tmp/res.rc"
  check "program carries a version block" quiet grep -q 'VERSIONINFO' "$tmp/res.rc"
else
  skip "resources of the built program (no win64 build)" 3
fi
finish
