#!/usr/bin/env bash
# Real file-system faults for the file channels, natively and under Wine:
#   full disk       a 64 KiB tmpfs (a drive letter for Wine): a write is refused with 61, and
#                   a replacement that does not fit keeps the old file whole
#   read-only       a read-only bind mount: opening, creating, removing, renaming give 70
#   no permission   a 0444 file in a 0555 folder, tests run as user nobody: 70
#   create denied   a 0666 file in a 0555 folder, as user nobody: a replacement rewrites the
#                   file in place, and nothing else appears in the folder
#   full, denied    the same on a 64 KiB tmpfs with no room for the new contents: the old file
#                   stays byte for byte (it is not emptied before the room is found)
#   sticky          root's 0666 file in a root-owned folder of mode 1777, as user nobody: the
#                   file may be written but not renamed, so the rename is denied and the file
#                   is rewritten in place; nothing is left beside it
#   held            a file another process holds open without sharing: 70, bytes unchanged
# Each case runs the matching FileFaults test of fileio_tests with the paths in DATECALC_FAULT_*
# variables. Cases that cannot be prepared here (no root for mounts, a build missing) are
# reported as skipped with the reason. Everything happens in a scratch folder under /tmp that
# the unprivileged user can reach wherever the project was cloned, with copies of the test
# programs it runs; the folder, every mount and drive letter are removed on exit.
set -uo pipefail
source "$(cd "$(dirname "$0")" && pwd)/../../scripts/lib/common.sh"
source "$ROOT/scripts/lib/fault_fs.sh"
source "$ROOT/tests/support/tally.sh"

NATIVE_TESTS="$BUILD_ROOT/native/fileio_tests"
NATIVE_HOLDER="$BUILD_ROOT/native/fileio_holder"
WIN_TESTS="$BUILD_ROOT/win64/fileio_tests.exe"
WIN_HOLDER="$BUILD_ROOT/win64/fileio_holder.exe"
unset GTEST_OUTPUT

WORK="" HOLDER_PID="" STARTED_WINE=0

release_holder() {
  [ -n "$HOLDER_PID" ] || return 0
  touch "$WORK/release"
  wait "$HOLDER_PID" 2>/dev/null
  HOLDER_PID=""
}

cleanup() {
  release_holder
  fault_fs_cleanup_all
  if [ "$STARTED_WINE" -eq 1 ]; then
    stop_wine
    stop_xvfb
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM


# run_case LABEL RUNNER TEST [VAR=VALUE...]; RUNNER: native, unprivileged or wine.
run_case() {
  local label=$1 runner=$2 test=$3
  shift 3
  local log="$WORK/$label.log" filter="--gtest_filter=FileFaults.$test"
  # shellcheck disable=SC2163  # export takes the VAR=VALUE words themselves
  case $runner in
    native) (cd / && env "$@" timeout 300 "$NATIVE_TESTS" "$filter") >"$log" 2>&1 ;;
    unprivileged) (cd / && fault_fs_unprivileged env "$@" timeout 300 "$USER_NATIVE_TESTS" \
      "$filter") >"$log" 2>&1 ;;
    wine) env "$@" DATECALC_FAULT_UNDER_WINE=1 WINE_TIMEOUT=300 "$ROOT/scripts/wine-exec" \
      "$WIN_TESTS" "$filter" >"$log" 2>&1 ;;
    unprivileged-wine) (cd / && export "$@" DATECALC_FAULT_UNDER_WINE=1 &&
      fault_fs_unprivileged_wine "$USER_WIN_TESTS" "$filter") >"$log" 2>&1 ;;
  esac
  local rc=$?
  if [ $rc -eq 0 ] && grep -q '^\[  PASSED  \] 1 test' "$log"; then
    return 0
  elif grep -q '^\[  SKIPPED \] 1 test' "$log"; then
    echo "the test skipped itself: $(grep -m1 -i 'skipped' "$log")" >>"$log"
    return 2
  fi
  return 1
}

# A case's outcome, with the test's notes when it passed and the end of its log when not. A
# self-skip counts as a failure here: the script set the variable, so it was lost on the way.
report() {
  if [ "$2" -eq 0 ]; then
    pass "$1"
    [ -f "$WORK/$1.log" ] && grep -a '^note:' "$WORK/$1.log" | tr -d '\r' | sed 's/^/    /'
  else
    fail "$1"
    [ -f "$WORK/$1.log" ] && tail -25 "$WORK/$1.log"
  fi
  return 0
}

# run_checked_case CHECK LABEL RUNNER TEST [VAR=VALUE...]: run_case, then CHECK looks from
# outside at what the test cannot see from inside.
run_checked_case() {
  local check=$1 label=$2
  shift
  run_case "$@"
  local rc=$?
  [ $rc -eq 0 ] && ! "$check" && rc=1
  report "$label" $rc
}

have_native() { [ -x "$NATIVE_TESTS" ] && [ -x "$NATIVE_HOLDER" ]; }
have_wine() { [ -f "$WIN_TESTS" ] && [ -f "$WIN_HOLDER" ] && [ "$WINE_READY" -eq 1 ]; }

# The unprivileged cases run copies: the build may sit where that user cannot go.
user_programs=()
have_native && user_programs+=("$NATIVE_TESTS")
[ -f "$WIN_TESTS" ] && user_programs+=("$WIN_TESTS")
fault_fs_unprivileged_scratch datecalc-file-faults "${user_programs[@]}" || give_up "no scratch folder"
WORK=$FAULT_FS_SCRATCH
USER_NATIVE_TESTS="$WORK/bin/${NATIVE_TESTS##*/}"
USER_WIN_TESTS="$WORK/bin/${WIN_TESTS##*/}"

WINE_READY=0
if [ -f "$WIN_TESTS" ]; then
  if [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
    STARTED_WINE=1
    start_xvfb && wine_prefix_ready && WINE_READY=1
  else
    wine_env
    WINE_READY=1
  fi
fi
NO_NATIVE="no native build at $NATIVE_TESTS (run scripts/test native first)"
NO_WINE="no win64 build at $WIN_TESTS or no Wine (run scripts/test win64 first)"

CAN_MOUNT=0
fault_fs_can_mount && CAN_MOUNT=1
NO_MOUNT="cannot mount here (needs root with mount permission)"

# --- full disk --------------------------------------------------------------------------
FULL="$WORK/full"
if [ $CAN_MOUNT -eq 1 ] && fault_fs_tiny_tmpfs "$FULL" 64k; then
  full_disk_tests=(AFullDiskRefusesTheWriteWith61AndKeepsWhatCameBefore
    AFullDiskKeepsTheOldFileWhenItsReplacementDoesNotFit)
  labels=(full-disk full-disk-replace)
  for i in 0 1; do
    if have_native; then
      run_case "${labels[$i]}-native" native "${full_disk_tests[$i]}" DATECALC_FAULT_FULL_DIR="$FULL"
      report "${labels[$i]}-native" $?
    else
      skip "${labels[$i]}-native: $NO_NATIVE"
    fi
    rm -f "$FULL"/*
  done
  if have_wine && letter=$(fault_fs_free_wine_drive) && fault_fs_map_wine_drive "$letter" "$FULL"; then
    for i in 0 1; do
      run_case "${labels[$i]}-wine" wine "${full_disk_tests[$i]}" \
        DATECALC_FAULT_FULL_DIR="${letter^^}:\\"
      report "${labels[$i]}-wine" $?
      rm -f "$FULL"/*
    done
  else
    skip "full-disk-wine: $NO_WINE"
    skip "full-disk-replace-wine: $NO_WINE"
  fi
else
  for label in full-disk-native full-disk-wine full-disk-replace-native full-disk-replace-wine; do
    skip "$label: $NO_MOUNT"
  done
fi

# --- read-only medium ---------------------------------------------------------------------
mkdir -p "$WORK/ro-source"
printf 'kept on a read-only medium\r\n' >"$WORK/ro-source/existing.txt"
RO="$WORK/ro"
check_read_only_kept() {
  [ "$(cat "$RO/existing.txt")" = "$(printf 'kept on a read-only medium\r\n')" ] &&
    [ ! -e "$RO/new.txt" ] && [ ! -e "$RO/moved.txt" ]
}
if [ $CAN_MOUNT -eq 1 ] && fault_fs_readonly_bind "$WORK/ro-source" "$RO"; then
  if have_native; then
    run_checked_case check_read_only_kept read-only-native native AReadOnlyMediumRefusesWith70AndStaysUnchanged \
      DATECALC_FAULT_READONLY_DIR="$RO"
  else
    skip "read-only-native: $NO_NATIVE"
  fi
  if have_wine; then
    run_checked_case check_read_only_kept read-only-wine wine AReadOnlyMediumRefusesWith70AndStaysUnchanged \
      DATECALC_FAULT_READONLY_DIR="$(fault_fs_windows_path "$RO")"
  else
    skip "read-only-wine: $NO_WINE"
  fi
else
  skip "read-only-native: $NO_MOUNT"
  skip "read-only-wine: $NO_MOUNT"
fi

# --- no write permission (permission bits bind only an unprivileged user) -----------------
LOCKED="$WORK/noaccess"
mkdir -p "$LOCKED"
printf 'not yours to change\n' >"$LOCKED/readonly.txt"
chmod 0444 "$LOCKED/readonly.txt"
chmod 0555 "$LOCKED"
locked_unchanged() { [ "$(cat "$LOCKED/readonly.txt")" = "not yours to change" ]; }
if have_native; then
  run_checked_case locked_unchanged no-permission-native unprivileged NoWritePermissionRefusesWith70AndChangesNothing \
    DATECALC_FAULT_NOACCESS_DIR="$LOCKED"
else
  skip "no-permission-native: $NO_NATIVE"
fi
# Wine run by root opens a 0444 file for writing, and refuses a prefix another user owns: the
# unprivileged user gets a prefix of its own.
if ! have_wine; then
  skip "no-permission-wine: $NO_WINE"
elif [ "$(id -u)" -ne 0 ]; then
  skip "no-permission-wine: not root: cannot switch to an unprivileged user for Wine"
elif fault_fs_unprivileged_wine_prefix "$WORK/user-home/prefix"; then
  run_checked_case locked_unchanged no-permission-wine unprivileged-wine NoWritePermissionRefusesWith70AndChangesNothing \
    DATECALC_FAULT_NOACCESS_DIR="$(fault_fs_windows_path "$LOCKED")"
else
  skip "no-permission-wine: no Wine prefix for the unprivileged user"
fi
chmod 0755 "$LOCKED"

# --- create denied: the file may be written, its folder takes no new file ------------------
DENIED="$WORK/create-denied"
prepare_denied() {
  chmod 0755 "$DENIED" 2>/dev/null
  rm -rf "$DENIED" && mkdir -p "$DENIED"
  printf 'the old picture\n' >"$DENIED/picture.bmp"
  chmod 0666 "$DENIED/picture.bmp"
  chmod 0555 "$DENIED"
}
# What the test cannot see from inside: the folder holds the one file, no longer the old one.
check_denied() {
  [ "$(find "$DENIED" -mindepth 1 | wc -l)" -eq 1 ] &&
    ! printf 'the old picture\n' | cmp -s - "$DENIED/picture.bmp"
}
prepare_denied
if have_native; then
  run_checked_case check_denied create-denied-native unprivileged AFolderThatTakesNoNewFileGetsItsWritableFileRewrittenInPlace \
    DATECALC_FAULT_CREATE_DENIED_DIR="$DENIED"
else
  skip "create-denied-native: $NO_NATIVE"
fi
prepare_denied
if ! have_wine; then
  skip "create-denied-wine: $NO_WINE"
elif [ -z "$FAULT_FS_USER_PREFIX" ]; then
  skip "create-denied-wine: no Wine prefix for the unprivileged user"
else
  run_checked_case check_denied create-denied-wine unprivileged-wine AFolderThatTakesNoNewFileGetsItsWritableFileRewrittenInPlace \
    DATECALC_FAULT_CREATE_DENIED_DIR="$(fault_fs_windows_path "$DENIED")"
fi
chmod 0755 "$DENIED"

# run_unprivileged_pair LABEL CHECK PREPARE TEST VARIABLE DIR: TEST as user nobody, natively
# and under Wine, each on a freshly PREPAREd DIR passed in VARIABLE; PAIR_SIDE tells CHECK which.
run_unprivileged_pair() {
  local label=$1 check=$2 prepare=$3 test=$4 variable=$5 dir=$6
  PAIR_SIDE=native && "$prepare"
  if have_native; then
    run_checked_case "$check" "$label-native" unprivileged "$test" "$variable=$dir"
  else
    skip "$label-native: $NO_NATIVE"
  fi
  PAIR_SIDE=wine && "$prepare"
  if ! have_wine; then
    skip "$label-wine: $NO_WINE"
  elif [ -z "$FAULT_FS_USER_PREFIX" ]; then
    skip "$label-wine: no Wine prefix for the unprivileged user"
  else
    run_checked_case "$check" "$label-wine" unprivileged-wine "$test" \
      "$variable=$(fault_fs_windows_path "$dir")"
  fi
}

# --- full and create denied: the in-place rewrite finds the full disk first -----------------
FULL_DENIED="$WORK/full-denied"
head -c 15000 /dev/urandom >"$WORK/full-denied-old.bmp"
prepare_full_denied() {
  chmod 0755 "$FULL_DENIED/in" 2>/dev/null
  rm -rf "$FULL_DENIED/in" && mkdir -p "$FULL_DENIED/in"
  cp "$WORK/full-denied-old.bmp" "$FULL_DENIED/in/picture.bmp"
  chmod 0666 "$FULL_DENIED/in/picture.bmp" && chmod 0555 "$FULL_DENIED/in"
}
check_full_denied() {
  [ "$(find "$FULL_DENIED/in" -mindepth 1 | wc -l)" -eq 1 ] &&
    cmp -s "$WORK/full-denied-old.bmp" "$FULL_DENIED/in/picture.bmp"
}
if [ $CAN_MOUNT -eq 1 ] && fault_fs_tiny_tmpfs "$FULL_DENIED" 64k; then
  run_unprivileged_pair full-denied check_full_denied prepare_full_denied \
    AFullDiskKeepsTheOldFileWhenItCannotBeRewrittenInPlace DATECALC_FAULT_FULL_DENIED_DIR "$FULL_DENIED/in"
  chmod 0755 "$FULL_DENIED/in"
else
  skip "full-denied-native: $NO_MOUNT"
  skip "full-denied-wine: $NO_MOUNT"
fi

# --- sticky folder: the file may be written, not renamed or removed -------------------------
STICKY="$WORK/sticky"
prepare_sticky() {
  rm -rf "$STICKY" && mkdir -p "$STICKY"
  head -c 4000 /dev/urandom >"$STICKY/picture.bmp"
  cp "$STICKY/picture.bmp" "$WORK/sticky-old.bmp"
  chmod 0666 "$STICKY/picture.bmp" && chmod 1777 "$STICKY"
}
# From outside: a new picture in the same root-owned file, and nothing beside it.
check_sticky() {
  [ "$(stat -c %u "$STICKY/picture.bmp")" -eq 0 ] &&
    ! cmp -s "$WORK/sticky-old.bmp" "$STICKY/picture.bmp" &&
    [ -z "$(find "$STICKY" -mindepth 1 ! -name picture.bmp)" ]
}
if [ "$(id -u)" -eq 0 ]; then
  run_unprivileged_pair sticky check_sticky prepare_sticky \
    AFileThatMayBeWrittenButNotRenamedIsRewrittenInPlace DATECALC_FAULT_STICKY_DIR "$STICKY"
else
  skip "sticky-native: not root: cannot switch to an unprivileged user"
  skip "sticky-wine: not root: cannot switch to an unprivileged user"
fi

# --- held by another process ----------------------------------------------------------------
HELD="$WORK/held.txt"
holder_ready_or_gone() { [ -e "$WORK/ready" ] || ! kill -0 "$HOLDER_PID" 2>/dev/null; }
# hold_and_run LABEL RUNNER HOLDER FILE_ARG READY_ARG RELEASE_ARG
hold_and_run() {
  local label=$1 runner=$2 holder=$3 file_arg=$4 ready_arg=$5 release_arg=$6
  printf 'held contents\n' >"$HELD"
  rm -f "$WORK/ready" "$WORK/release"
  if [ "$runner" = wine ]; then
    "$ROOT/scripts/wine-exec" "$holder" "$file_arg" "$ready_arg" "$release_arg" >/dev/null 2>&1 &
  else
    "$holder" "$file_arg" "$ready_arg" "$release_arg" >/dev/null 2>&1 &
  fi
  HOLDER_PID=$!
  wait_until 30 holder_ready_or_gone
  if [ ! -e "$WORK/ready" ]; then
    echo "the holder did not take the file" >"$WORK/$label.log"
    release_holder
    report "$label" 1
    return
  fi
  run_case "$label" "$runner" AFileHeldByAnotherProcessIsRefusedWith70 \
    DATECALC_FAULT_HELD_FILE="$file_arg"
  local rc=$?
  release_holder
  [ "$(cat "$HELD")" = "held contents" ] || { echo "the held file changed" >>"$WORK/$label.log"; rc=1; }
  report "$label" $rc
}
if have_native; then
  hold_and_run held-native native "$NATIVE_HOLDER" "$HELD" "$WORK/ready" "$WORK/release"
else
  skip "held-native: $NO_NATIVE"
fi
if have_wine; then
  hold_and_run held-wine wine "$WIN_HOLDER" "$(fault_fs_windows_path "$HELD")" \
    "$(fault_fs_windows_path "$WORK/ready")" "$(fault_fs_windows_path "$WORK/release")"
else
  skip "held-wine: $NO_WINE"
fi

finish
