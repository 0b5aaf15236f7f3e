# What the snapshot scripts look for in a folder the calculator worked in. Source it.

# bitmap_whole FILE: a bitmap exactly as long as its header says.
bitmap_whole() {
  python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
assert data[:2] == b"BM" and struct.unpack_from("<I", data, 2)[0] == len(data) > 54
PY
}
