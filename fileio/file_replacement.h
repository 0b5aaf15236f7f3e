#pragma once
// Writing a file whole in place of the file of that name: a failure never costs the old
// contents, an interruption at any moment leaves the name holding the old picture or the new
// one (but for the rewrite in place below), and a success keeps the old file's attributes and
// creation time and marks it changed (ARCHIVE).

#include <cstdint>
#include <span>

#include "runtime/dyn_string.h"
#include "runtime/error_slot.h"

namespace fileio {

using FileBlock = std::span<const std::uint8_t>;

// Writes `blocks`, one write each, as the whole new contents of `fileName`.
//
// The usual way: under a turn that other writers of the same file wait for, the blocks go to a
// file of a fresh name beside it, created by this call with the right to delete it, given the old
// file's attributes and creation time and flushed to the medium; one rename that replaces then
// puts it in place of `fileName` (by handle with POSIX semantics where the system offers them,
// else MoveFileExW). Until that rename the name holds the old file, untouched and open to
// readers; after it, the new one. A fresh file that cannot take the old attributes does not
// take the name. A rename or delete refused for a moment is tried again after short delays; a
// rename onto a file another program holds open, for about half a second, and then the old
// picture stays (70). After any failure the fresh file is removed. A read-only `fileName` is
// left as it is. No file this call did not create is ever removed. A symbolic link named
// `fileName` stays a link, and the file it leads to takes the new contents. What the rename does
// not carry (an explicit security descriptor, the file's id, its other names) is described in
// docs/snapshot-file.md.
//
// Where `fileName` exists and may be written but cannot be replaced (the folder takes no new
// file, or no file's deletion, or lets its files be renamed by their owners only, and no other
// program holds it; or the fresh name would pass a limit the name itself fits), `fileName` is
// rewritten where it is instead, opened without sharing (so one held by another program is
// refused, 70, untouched). On that path:
// - the old bytes the new contents will cover are read and kept first;
// - the part of the new contents that lies past the old end is written first, so that a full
//   disk or quota is found before a byte of the old contents is touched;
// - the rest is then written from the start, the file cut to the new length and flushed;
// - after any failed write, cut or flush the kept bytes are written back and the old length
//   restored: the file holds the old picture and the call fails with that error; if putting
//   the old picture back fails too, the file may hold a mix and the call fails with that error;
// - the rewrite is not one step: ended midway (a crash, a power cut) the file may hold any mix
//   of the old and the new.
// Failures raise their run-time error: 64 for a name that is empty, does not convert, or holds
// "*", "?" or a zero byte; 70 for a read-only or held file, a folder of that name, or a folder
// that refuses the file; the system's error otherwise (76 a missing folder, 61 a full disk).
// True exactly when `fileName` now holds the blocks; no error is raised then.
bool ReplaceFileContents(runtime::ErrorSlot& slot, const runtime::DynString& fileName,
                         std::span<const FileBlock> blocks);

}  // namespace fileio
