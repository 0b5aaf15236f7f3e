#!/usr/bin/env bash
# The snapshot against real file-system faults: a disk that fills up part way through the
# picture and a folder mounted read-only must leave an existing snapshot file exactly as it was
# and no temporary file beside it; with room to spare the same setup writes a whole bitmap.
# What a user keeps beside the snapshot is not the snapshot's: a read-only file of its name plus
# ".tmp" survives byte for byte and does not block it, and a hidden snapshot file stays hidden.
# The file's name is SNAPSHOT_NAME (tests/support/snapshot.sh).
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib/common.sh"
source "$ROOT/scripts/lib/fault_fs.sh"
exe="$BUILD_ROOT/win64/datecalc.exe"
driver="$BUILD_ROOT/win64/e2e_driver.exe"
source "$ROOT/tests/support/tally.sh"
source "$ROOT/tests/support/snapshot.sh" || give_up "no snapshot name in tests/support/calculator_ids.h"

if [ ! -f "$exe" ] || [ ! -f "$driver" ]; then
  give_up "no win64 build in $BUILD_ROOT/win64"
fi
begin_wine_session || give_up "no Wine session"
base=$(mktemp -d /tmp/snapshot-faults.XXXXXX)
cleanup() {
  fault_fs_cleanup_all
  rm -rf "$base"
  end_wine_session
}
trap cleanup EXIT

snapshot_in() {  # folder: takes one snapshot with the calculator working there
  (cd "$1" && WINE_TIMEOUT=120 "$ROOT/scripts/wine-exec" "$driver" --snapshot "$exe" >/dev/null 2>&1)
}
no_temporary() { [ -z "$(find "$1" -name "${SNAPSHOT_NAME%.*}*" ! -name "$SNAPSHOT_NAME")" ]; }

# The old snapshot: 40 KB that must survive byte for byte.
head -c 40960 /dev/urandom >"$base/old.bmp"

roomy="$base/roomy"
if fault_fs_tiny_tmpfs "$roomy" 4m; then
  cp "$base/old.bmp" "$roomy/$SNAPSHOT_NAME"
  check "with room to spare the process ends normally" snapshot_in "$roomy"
  check "with room to spare the old file is replaced by a whole bitmap" bitmap_whole "$roomy/$SNAPSHOT_NAME"
else
  skip "room to spare: cannot mount a small tmpfs" 2
fi

full="$base/full"
if fault_fs_tiny_tmpfs "$full" 96k; then
  cp "$base/old.bmp" "$full/$SNAPSHOT_NAME"
  check "on a full disk the process still ends normally" snapshot_in "$full"
  check "on a full disk the old snapshot is unchanged" cmp -s "$base/old.bmp" "$full/$SNAPSHOT_NAME"
  check "on a full disk no temporary file is left" no_temporary "$full"
else
  skip "full disk: cannot mount a tiny tmpfs" 3
fi

# A user's own snapshot name plus ".tmp", read-only, beside an old snapshot.
own="$base/own-temporary"
mkdir -p "$own" && cp "$base/old.bmp" "$own/$SNAPSHOT_NAME"
head -c 5000 /dev/urandom >"$base/own.tmp" && cp "$base/own.tmp" "$own/$SNAPSHOT_NAME.tmp"
chmod 444 "$own/$SNAPSHOT_NAME.tmp"
only_the_two() { [ "$(find "$1" -mindepth 1 | wc -l)" -eq 2 ]; }
check "beside a user's read-only $SNAPSHOT_NAME.tmp the process ends normally" snapshot_in "$own"
check "beside a user's $SNAPSHOT_NAME.tmp a whole bitmap is written" bitmap_whole "$own/$SNAPSHOT_NAME"
check "the user's $SNAPSHOT_NAME.tmp is unchanged" cmp -s "$base/own.tmp" "$own/$SNAPSHOT_NAME.tmp"
check "nothing else is left beside the two" only_the_two "$own"

# A hidden old snapshot, as Windows programs see it (attrib).
hidden="$base/hidden"
mkdir -p "$hidden" && cp "$base/old.bmp" "$hidden/$SNAPSHOT_NAME"
attributes_of() { "$ROOT/scripts/wine-exec" attrib "$(fault_fs_windows_path "$1")" 2>/dev/null | tr -d '\r' | cut -c1-12; }
is_hidden() { [[ "$(attributes_of "$1")" == *H* ]]; }
"$ROOT/scripts/wine-exec" attrib +h "$(fault_fs_windows_path "$hidden/$SNAPSHOT_NAME")" >/dev/null 2>&1
if is_hidden "$hidden/$SNAPSHOT_NAME"; then
  check "over a hidden snapshot the process ends normally" snapshot_in "$hidden"
  check "over a hidden snapshot a whole bitmap is written" bitmap_whole "$hidden/$SNAPSHOT_NAME"
  check "the new snapshot is hidden as the old one was" is_hidden "$hidden/$SNAPSHOT_NAME"
  check "nothing else is left beside the hidden snapshot" no_temporary "$hidden"
else
  skip "hidden snapshot: this file system keeps no hidden attribute for Wine" 4
fi

mkdir -p "$base/source"
cp "$base/old.bmp" "$base/source/$SNAPSHOT_NAME"
if fault_fs_readonly_bind "$base/source" "$base/readonly"; then
  check "in a read-only folder the process ends normally" snapshot_in "$base/readonly"
  check "in a read-only folder the old snapshot is unchanged" cmp -s "$base/old.bmp" "$base/readonly/$SNAPSHOT_NAME"
else
  skip "read-only folder: cannot bind-mount a folder read-only" 2
fi
finish
