#pragma once
// Writing a file whole in place of the file of that name: a failure never costs the old
// contents, and a success keeps what makes the file itself (its attributes, its security
// settings, its creation time and short name).

#include <cstdint>
#include <span>

#include "runtime/dyn_string.h"
#include "runtime/error_slot.h"

namespace fileio {

using FileBlock = std::span<const std::uint8_t>;

// Writes `blocks`, one write each, as the whole new contents of `fileName`. They go to a file
// of a fresh name beside it, created by this call, which then takes the place of `fileName`
// (ReplaceFileW when it exists, a rename otherwise); after any failure that file is removed and
// `fileName` keeps its contents. Where the folder lets no new file be created but `fileName`
// itself may be written, `fileName` is emptied and rewritten through a file channel instead.
// A read-only `fileName`, or one another program holds open, is left as it is. No file this
// call did not create is ever removed.
// Failures raise their run-time error: 64 for a name that is empty, does not convert, or holds
// "*", "?" or a zero byte; 70 for a read-only or held file or a folder that refuses the file;
// the system's error otherwise. True when `fileName` now holds exactly the blocks.
bool ReplaceFileContents(runtime::ErrorSlot& slot, const runtime::DynString& fileName,
                         std::span<const FileBlock> blocks);

}  // namespace fileio
