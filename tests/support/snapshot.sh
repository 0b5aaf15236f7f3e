# What the snapshot scripts look for in a folder the calculator worked in. Source it and check its
# status: it fails, saying so, when calculator_ids.h holds no snapshot name.

# The snapshot's file name, as the C++ tests have it in calculator_ids.h, the one place it is
# written down.
SNAPSHOT_NAME=$(sed -n 's/.*kSnapshotFile16\[\] = u"\([^"]*\)";.*/\1/p' \
  "$(dirname "${BASH_SOURCE[0]}")/calculator_ids.h")
[ -n "$SNAPSHOT_NAME" ] || { echo "snapshot.sh: no kSnapshotFile16 in calculator_ids.h" >&2; return 1; }

# bitmap_whole FILE: a bitmap exactly as long as its header says.
bitmap_whole() {
  python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
assert data[:2] == b"BM" and struct.unpack_from("<I", data, 2)[0] == len(data) > 54
PY
}
