#pragma once
// Whole-file operations beside the channels, for writing a file safely: write a temporary
// file, then put it in place of the target only when every write succeeded. Both go through
// GuardedSystemCall; a failure raises its run-time error (64 for an empty name or one with
// "*", "?" or a zero byte) and leaves the files as they were.

#include "runtime/dyn_string.h"
#include "runtime/error_slot.h"

namespace fileio {

// Renames `source` to `target`, replacing a file of that name.
void MoveFileReplacing(runtime::ErrorSlot& slot, const runtime::DynString& source,
                       const runtime::DynString& target);

void RemoveFile(runtime::ErrorSlot& slot, const runtime::DynString& fileName);

}  // namespace fileio
