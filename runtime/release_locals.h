#pragma once
// Releasing the variables of a release list when their procedure returns (or, for the global
// list, at shutdown).

#include "platform/win_types.h"
#include "runtime/release_list.h"

namespace runtime {

// What an object reference points at: the first three operations of every COM interface.
// (Declared here, not privately: a class no other file may derive from could never be called.)
struct ObjectReference {
  virtual long WINAPI QueryInterface(const void* interfaceId, void** object) = 0;
  virtual unsigned long WINAPI AddRef() = 0;
  virtual unsigned long WINAPI Release() = 0;

 protected:
  ~ObjectReference() = default;
};

// Walks `list` in order up to its kEnd entry: frees each string (FreeString), calls Release
// on each object reference that is not null and clears it, applies VariantClear to each
// variant. A null list releases nothing.
void ReleaseLocals(const ReleaseEntry* list);

}  // namespace runtime
