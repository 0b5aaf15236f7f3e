# shellcheck shell=bash
# Real file-system faults for script tests: a tiny filesystem that fills up, a read-only
# mount, an unprivileged user, and Windows drive letters for them under Wine. Source it (after
# common.sh when Wine is used); do not run it.
#
#   fault_fs_can_mount                  true when this shell may mount (root, mounts allowed)
#   fault_fs_tiny_tmpfs DIR [SIZE]      mounts a tmpfs of SIZE (default 64k) on DIR (created),
#                                       writable by everyone: writes fail with ENOSPC when full
#   fault_fs_readonly_bind SOURCE DIR   shows folder SOURCE read-only at DIR (created): every
#                                       change fails with EROFS, whoever asks
#   fault_fs_free_wine_drive            prints a drive letter (t..y) unused in $WINEPREFIX
#   fault_fs_map_wine_drive LETTER DIR  makes LETTER: (e.g. t) show DIR to Wine programs
#   fault_fs_windows_path PATH          prints PATH as Wine sees it through Z: (Z:\tmp\x)
#   fault_fs_unprivileged CMD...        runs CMD as user nobody when root (permission bits then
#                                       apply), else as the current user
#   fault_fs_unprivileged_scratch NAME PROGRAM...
#                                       makes FAULT_FS_SCRATCH, a folder /tmp/NAME.XXXXXX (mode
#                                       0755) that user can reach wherever the project was cloned
#                                       (a home folder may be 0700), with copies of the PROGRAMs
#                                       it is to run in FAULT_FS_SCRATCH/bin; keep its Wine prefix
#                                       and working folders there too (fault_fs_cleanup_all
#                                       removes it with them)
#   fault_fs_unprivileged_wine_prefix DIR
#                                       creates a Wine prefix at DIR for that user (Wine refuses
#                                       a prefix another user owns; ~15 s), needs DISPLAY; the
#                                       folder above DIR becomes that user's HOME
#   fault_fs_unprivileged_wine PROGRAM ARGS...
#                                       runs a Windows program as that user in that prefix,
#                                       with the environment of the caller (and a time limit)
#   fault_fs_cleanup_all                undoes everything above, newest first; safe to call
#                                       twice. Call it from your EXIT trap:
#                                           trap fault_fs_cleanup_all EXIT
#
# Each function returns non-zero (and prints why on stderr) when it cannot do its part, so a
# caller can report the case as skipped instead of failed.

FAULT_FS_UNDO=()

_fault_fs_note_undo() { FAULT_FS_UNDO+=("$*"); }

fault_fs_can_mount() {
  [ "$(id -u)" -eq 0 ] || return 1
  local probe
  probe=$(mktemp -d /tmp/fault-fs-probe.XXXXXX) || return 1
  if mount -t tmpfs -o size=16k tmpfs "$probe" 2>/dev/null; then
    umount "$probe"
    rmdir "$probe"
    return 0
  fi
  rmdir "$probe"
  return 1
}

fault_fs_tiny_tmpfs() {
  local dir=$1 size=${2:-64k}
  mkdir -p "$dir" || return 1
  if ! mount -t tmpfs -o "size=$size,mode=0777" tmpfs "$dir"; then
    echo "fault_fs: cannot mount a tmpfs on $dir" >&2
    return 1
  fi
  _fault_fs_note_undo "umount -l '$dir'"
}

fault_fs_readonly_bind() {
  local source=$1 dir=$2
  mkdir -p "$dir" || return 1
  if ! mount --bind "$source" "$dir"; then
    echo "fault_fs: cannot bind $source on $dir" >&2
    return 1
  fi
  _fault_fs_note_undo "umount -l '$dir'"
  if ! mount -o remount,bind,ro "$dir"; then
    echo "fault_fs: cannot make $dir read-only" >&2
    return 1
  fi
  if touch "$dir/.fault-fs-probe" 2>/dev/null; then
    rm -f "$dir/.fault-fs-probe"
    echo "fault_fs: $dir is still writable" >&2
    return 1
  fi
}

fault_fs_free_wine_drive() {
  local letter
  for letter in t u v w x y; do
    if [ ! -e "$WINEPREFIX/dosdevices/$letter:" ] && [ ! -L "$WINEPREFIX/dosdevices/$letter:" ]; then
      echo "$letter"
      return 0
    fi
  done
  echo "fault_fs: no free drive letter in $WINEPREFIX" >&2
  return 1
}

fault_fs_map_wine_drive() {
  local letter=${1,,} dir=$2 link
  link="$WINEPREFIX/dosdevices/$letter:"
  if [ -e "$link" ] || [ -L "$link" ]; then
    echo "fault_fs: drive $letter: is already in use" >&2
    return 1
  fi
  ln -s "$dir" "$link" || return 1
  _fault_fs_note_undo "rm -f '$link'"
}

fault_fs_windows_path() {
  local path=$1
  printf 'Z:%s\n' "${path//\//\\}"
}

fault_fs_unprivileged() { _fault_fs_as_user "$@"; }

FAULT_FS_SCRATCH=""

# The build may sit under a folder only its owner can enter: the unprivileged user gets copies
# of what it runs in a folder of its own, while what it is to be refused stays as the caller
# sets it up.
fault_fs_unprivileged_scratch() {
  local name=$1 program copy
  shift
  FAULT_FS_SCRATCH=$(mktemp -d "/tmp/$name.XXXXXX") || return 1
  _fault_fs_note_undo "rm -rf '$FAULT_FS_SCRATCH'"
  chmod 0755 "$FAULT_FS_SCRATCH" && mkdir -m 0755 "$FAULT_FS_SCRATCH/bin" || return 1
  for program in "$@"; do
    copy="$FAULT_FS_SCRATCH/bin/${program##*/}"
    cp "$program" "$copy" && chmod 0755 "$copy" || return 1
    if ! { _fault_fs_as_user test -r "$copy" && _fault_fs_as_user test -x "$copy"; }; then
      echo "fault_fs: the unprivileged user cannot run $copy" >&2
      return 1
    fi
  done
}

FAULT_FS_USER_PREFIX=""

_fault_fs_as_user() {
  if [ "$(id -u)" -eq 0 ]; then
    setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$@"
  else
    "$@"
  fi
}

fault_fs_unprivileged_wine_prefix() {
  local dir=$1 home
  home=$(dirname "$dir")
  mkdir -p "$dir" || return 1
  [ "$(id -u)" -eq 0 ] && chown nobody:nogroup "$home" "$dir"
  FAULT_FS_USER_PREFIX=$dir
  _fault_fs_note_undo "rm -rf '$dir'"
  _fault_fs_note_undo "_fault_fs_as_user env WINEPREFIX='$dir' /usr/lib/wine/wineserver64 -k"
  # The fonts of the main test prefix, in files the unprivileged user can read.
  cp "$ROOT/scripts/lib/wine-fonts.conf" "$home/fonts.conf" || return 1
  if ! _fault_fs_as_user env HOME="$home" WINEPREFIX="$dir" WINEDEBUG=-all \
    FONTCONFIG_FILE="$home/fonts.conf" WINEDLLOVERRIDES="mscoree,mshtml=" \
    timeout 300 /usr/lib/wine/wine64 wineboot -i >"$home/wineboot.log" 2>&1; then
    echo "fault_fs: cannot create a Wine prefix for the unprivileged user" >&2
    return 1
  fi
  _fault_fs_as_user cp /usr/share/wine/fonts/* "$dir/drive_c/windows/Fonts/" || return 1
  # As in the main test prefix: no crash dialog that could hang a run, and no wait for a
  # window manager when a window is hidden.
  WINE_TIMEOUT=60 fault_fs_unprivileged_wine reg add 'HKCU\Software\Wine\WineDbg' \
    /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  WINE_TIMEOUT=60 fault_fs_unprivileged_wine reg add 'HKCU\Software\Wine\X11 Driver' \
    /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  return 0
}

fault_fs_unprivileged_wine() {
  [ -n "$FAULT_FS_USER_PREFIX" ] || return 1
  local home
  home=$(dirname "$FAULT_FS_USER_PREFIX")
  _fault_fs_as_user env HOME="$home" FONTCONFIG_FILE="$home/fonts.conf" \
    WINEPREFIX="$FAULT_FS_USER_PREFIX" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    timeout --kill-after=10 "${WINE_TIMEOUT:-300}" /usr/lib/wine/wine64 "$@"
}

fault_fs_cleanup_all() {
  local i
  for ((i = ${#FAULT_FS_UNDO[@]} - 1; i >= 0; i--)); do
    eval "${FAULT_FS_UNDO[$i]}" 2>/dev/null || true
  done
  FAULT_FS_UNDO=()
}
