#pragma once
// Releasing the variables of a release list when their procedure returns (or, for the global
// list, at shutdown).

#include "runtime/release_list.h"

namespace runtime {

// Walks `list` in order up to its kEnd entry: frees each string (FreeString), calls Release
// on each object reference that is not null and clears it, applies VariantClear to each
// variant. A null list releases nothing.
void ReleaseLocals(const ReleaseEntry* list);

}  // namespace runtime
