#pragma once
// Writing a file whole in place of the file of that name: a failure never costs the old
// contents, and a success keeps what makes the file itself (its attributes, its security
// settings, its creation time and short name) and marks it changed (ARCHIVE).

#include <cstdint>
#include <span>

#include "runtime/dyn_string.h"
#include "runtime/error_slot.h"

namespace fileio {

using FileBlock = std::span<const std::uint8_t>;

// Writes `blocks`, one write each, as the whole new contents of `fileName`. They go to a file
// of a fresh name beside it, created by this call and flushed to the medium, which then takes
// the place of `fileName` (ReplaceFileW when it exists, a rename otherwise); after any failure
// that file is removed and `fileName` keeps its contents. A read-only `fileName`, or one
// another program holds open, is left as it is. No file this call did not create is ever
// removed, and one it created but could not use is removed.
//
// Where `fileName` exists and may be written but cannot be replaced (the folder takes no new
// file, the fresh name would pass the path limit, or ReplaceFileW is refused while the old
// file keeps its name), `fileName` is rewritten where it is instead. On that path:
// - it is first made as long as the new contents by writing past its old end, so a full disk
//   or quota is found before a byte of the old contents is touched; the file then gets its old
//   length back and holds the old contents, and the call fails (61);
// - the blocks are then written over it from the start and it is cut to their exact length;
// - a write that fails after the room was had (a device error) leaves the file at least as
//   long as the new contents, holding the blocks written before the failure followed by old
//   or zero bytes: whole in length, but neither the old picture nor the new one;
// - nothing is flushed: after a power cut the file may hold any mix of the old and the new.
// Failures raise their run-time error: 64 for a name that is empty, does not convert, or holds
// "*", "?" or a zero byte; 70 for a read-only or held file or a folder that refuses the file;
// the system's error otherwise. True when `fileName` now holds exactly the blocks.
bool ReplaceFileContents(runtime::ErrorSlot& slot, const runtime::DynString& fileName,
                         std::span<const FileBlock> blocks);

}  // namespace fileio
