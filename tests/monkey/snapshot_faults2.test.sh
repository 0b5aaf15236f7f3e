#!/usr/bin/env bash
# The snapshot command against the real window while the file system refuses the file, in the
# cases tests/e2e/snapshot_faults.test.sh leaves out (that one: a full disk reached through
# Z:, a read-only mounted folder):
#   read-only flag    the snapshot file without write bits (Wine's read-only attribute)
#   read-only file    the snapshot file itself mounted read-only, in a writable folder
#   held              another process holds the snapshot file open without sharing
#   drive full        a tiny file system as Wine drive T: (or the next free letter), the
#                     calculator working in its root
#   long name         a working folder so deep that the snapshot's full name passes 255
#   no permission     a folder the user may not write, calculator run as user nobody (its own
#                     Wine prefix and copies of the programs, all in a scratch folder under
#                     /tmp it can reach wherever the project was cloned);
#                     MONKEY_FAULTS_UNPRIVILEGED=0 leaves it out
#   create denied     as user nobody, a folder that takes no new file around a snapshot file
#                     that user may write: the file is rewritten where it is
#   sticky folder     as user nobody, root's snapshot file (mode 666) in a root-owned folder of
#                     mode 1777: the file may be written but not renamed, so the rename is
#                     denied and the file is rewritten where it is
# Each case: no message box or other window, the window answers "Hay" afterwards, exit code 0,
# the old snapshot file byte for byte as it was (create denied, sticky folder: a whole new
# bitmap), and no other file left beside it.
# The file's name is SNAPSHOT_NAME (tests/support/snapshot.sh).
set -uo pipefail
source "$(cd "$(dirname "$0")" && pwd)/../../scripts/lib/common.sh"
source "$ROOT/scripts/lib/fault_fs.sh"
source "$ROOT/tests/support/tally.sh"
source "$ROOT/tests/support/snapshot.sh" || give_up "no snapshot name in tests/support/calculator_ids.h"
exe="$BUILD_ROOT/win64/datecalc.exe"
driver="$BUILD_ROOT/win64/abuse_driver.exe"

if [ ! -f "$exe" ] || [ ! -f "$driver" ]; then
  give_up "no win64 build of the calculator and abuse_driver in $BUILD_ROOT/win64"
fi
begin_wine_session || give_up "no Wine session"
cleanup() {
  fault_fs_cleanup_all
  end_wine_session
}
trap cleanup EXIT
fault_fs_unprivileged_scratch snapshot-faults2 "$exe" "$driver" || give_up "no scratch folder"
base=$FAULT_FS_SCRATCH
# User nobody runs these copies: the build may sit where that user cannot go.
user_exe="$base/bin/${exe##*/}"
user_driver="$base/bin/${driver##*/}"

head -c 40960 /dev/urandom >"$base/old.bmp"

# The driver's own checks (no window, "Hay" answers, exit code 0) count one by one.
run_driver() {  # label runner folder [driver options...]; runner: wine or nobody
  local label=$1 runner=$2 folder=$3 log="$base/driver.log"
  shift 3
  if [ "$runner" = nobody ]; then
    (cd "$folder" && WINE_TIMEOUT=120 fault_fs_unprivileged_wine "$user_driver" --snapshot-fault \
      "$label" "$@" "$(fault_fs_windows_path "$user_exe")") >"$log" 2>&1
  else
    (cd "$folder" && WINE_TIMEOUT=120 "$ROOT/scripts/wine-exec" "$driver" --snapshot-fault \
      "$label" "$@" "$exe") >"$log" 2>&1
  fi
  local rc=$? bad
  tr -d '\r' <"$log" | grep -E '^(ok|FAIL) ' | tee "$log.checks"
  passed=$((passed + $(grep -c '^ok ' "$log.checks")))
  bad=$(grep -c '^FAIL ' "$log.checks")
  if ! grep -q ' passed, ' "$log"; then
    echo "FAIL $label: the driver did not finish"
    tail -5 "$log"
    bad=$((bad + 1))
  elif [ $rc -ne 0 ] && [ "$bad" -eq 0 ]; then
    echo "FAIL $label: the driver ended with exit code $rc after its summary"
    bad=1
  fi
  failed=$((failed + bad))
}
unchanged() { cmp -s "$base/old.bmp" "$1/$SNAPSHOT_NAME"; }
nothing_beside() { [ "$(find "$1" -mindepth 1 -maxdepth 1 ! -name "$SNAPSHOT_NAME" | wc -l)" -eq 0 ]; }
whole_bitmap() {  # folder: the snapshot exactly as long as its header says, and not the old one
  ! unchanged "$1" && bitmap_whole "$1/$SNAPSHOT_NAME"
}
expect_kept() {  # label folder
  check "$1: the old $SNAPSHOT_NAME is unchanged" unchanged "$2"
  check "$1: no other file is left beside it" nothing_beside "$2"
}

# Read-only flag: Wine shows a file without write bits as FILE_ATTRIBUTE_READONLY, whoever
# runs it; the program must honour the flag even where root could write the bytes.
folder="$base/flag"
mkdir -p "$folder" && cp "$base/old.bmp" "$folder/$SNAPSHOT_NAME" && chmod 444 "$folder/$SNAPSHOT_NAME"
run_driver "read-only flag" wine "$folder"
expect_kept "read-only flag" "$folder"

# The file itself on a read-only mount: no write and no rename onto it can succeed.
folder="$base/rofile"
mkdir -p "$folder" && cp "$base/old.bmp" "$folder/$SNAPSHOT_NAME"
if mount --bind "$folder/$SNAPSHOT_NAME" "$folder/$SNAPSHOT_NAME" 2>/dev/null &&
  FAULT_FS_UNDO+=("umount -l '$folder/$SNAPSHOT_NAME'") &&
  mount -o remount,bind,ro "$folder/$SNAPSHOT_NAME" 2>/dev/null &&
  ! (: >>"$folder/$SNAPSHOT_NAME") 2>/dev/null; then
  run_driver "read-only file" wine "$folder"
  expect_kept "read-only file" "$folder"
else
  skip "read-only file: cannot mount a single file read-only" 5
fi

# Held open without sharing by another process (the driver) while the command runs.
folder="$base/held"
mkdir -p "$folder" && cp "$base/old.bmp" "$folder/$SNAPSHOT_NAME"
run_driver "held open" wine "$folder" --hold
expect_kept "held open" "$folder"

# A full disk reached through a drive letter, the calculator's working folder its root.
folder="$base/tiny"
letter=""
if fault_fs_tiny_tmpfs "$folder" 96k && letter=$(fault_fs_free_wine_drive) &&
  fault_fs_map_wine_drive "$letter" "$folder"; then
  cp "$base/old.bmp" "$folder/$SNAPSHOT_NAME"
  run_driver "full drive ${letter^^}:" wine "$base" --folder "${letter^^}:\\"
  expect_kept "full drive ${letter^^}:" "$folder"
else
  skip "full drive: cannot map a tiny file system as a drive" 5
fi

# A working folder whose Windows path (Z:\...) is so long that with "\" and the snapshot's name
# the full name has 260 units, past the 255 a channel name keeps. No file of a cut name may appear.
deep="$base/long"
deep_units=$((260 - 1 - ${#SNAPSHOT_NAME}))
while [ $((${#deep} + 2 + 41)) -lt $((deep_units - 1)) ]; do deep="$deep/$(printf 'd%.0s' {1..40})"; done
deep="$deep/$(printf 'e%.0s' $(seq $((deep_units - 2 - ${#deep} - 1))))"
mkdir -p "$deep" && cp "$base/old.bmp" "$deep/$SNAPSHOT_NAME"
echo "long name: working folder of $((${#deep} + 2)) units"
run_driver "long name" wine "$deep"
# Wine takes full names past 255 units, so the snapshot may also succeed; what must never
# happen is a damaged file or one under a cut name.
kept_or_whole() {
  unchanged "$1" && echo "  (the old file was kept)" && return 0
  bitmap_whole "$1/$SNAPSHOT_NAME" && echo "  (a whole new snapshot replaced it)"
}
check "long name: the old $SNAPSHOT_NAME is kept or replaced whole" kept_or_whole "$deep"
check "long name: no other file is left beside it" nothing_beside "$deep"
check "long name: no file of a cut name anywhere above" \
  test "$(find "$base/long" -type f ! -path "$deep/$SNAPSHOT_NAME" | wc -l)" -eq 0

# No write permission in the folder, as an unprivileged user (root would ignore the bits).
if [ "${MONKEY_FAULTS_UNPRIVILEGED:-1}" = 0 ]; then
  skip "no permission, create denied, sticky folder: left out by MONKEY_FAULTS_UNPRIVILEGED=0" 21
else
  folder="$base/locked"
  mkdir -p "$folder" && cp "$base/old.bmp" "$folder/$SNAPSHOT_NAME"
  chmod 755 "$folder" && chmod 644 "$folder/$SNAPSHOT_NAME"
  if [ "$(id -u)" -ne 0 ]; then
    skip "no permission, create denied, sticky folder: needs root to run the calculator as another user" 21
  elif fault_fs_unprivileged_wine_prefix "$base/nobody/prefix"; then
    chmod 755 "$base/nobody"
    run_driver "no permission" nobody "$folder"
    expect_kept "no permission" "$folder"
    # Only the file itself may be written: the new picture goes into it.
    folder="$base/create-denied"
    mkdir -p "$folder" && cp "$base/old.bmp" "$folder/$SNAPSHOT_NAME"
    chmod 666 "$folder/$SNAPSHOT_NAME" && chmod 555 "$folder"
    run_driver "create denied" nobody "$folder"
    check "create denied: $SNAPSHOT_NAME holds a whole new bitmap" whole_bitmap "$folder"
    check "create denied: no other file is left beside it" nothing_beside "$folder"
    chmod 755 "$folder"
    # The file may be written but not renamed or removed: it is rewritten where it is.
    folder="$base/sticky"
    mkdir -p "$folder" && cp "$base/old.bmp" "$folder/$SNAPSHOT_NAME"
    chmod 666 "$folder/$SNAPSHOT_NAME" && chmod 1777 "$folder"
    run_driver "sticky folder" nobody "$folder"
    check "sticky folder: $SNAPSHOT_NAME holds a whole new bitmap" whole_bitmap "$folder"
    check "sticky folder: no other file is left beside it" nothing_beside "$folder"
  else
    skip "no permission, create denied, sticky folder: cannot prepare a Wine prefix for user nobody" 21
  fi
fi
finish
