#pragma once
// The one walk over a release list: a procedure's variables when it returns, and the global
// list when ReleaseGlobals runs at shutdown.

#include "runtime/release_list.h"

namespace runtime {

// Walks `list` in order up to its kEnd entry: frees each string (FreeString), calls Release
// on each object reference that is not null and clears it, applies VariantClear to each
// variant. Entries without a variable are skipped; a null list releases nothing.
void ReleaseLocals(const ReleaseEntry* list);

}  // namespace runtime
