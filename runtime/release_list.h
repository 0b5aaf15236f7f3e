#pragma once
// The program's global release list: each global variable that holds a resource, with the
// kind of release it needs. Shutdown walks it; the list ends with a kEnd entry.

namespace runtime {

enum class ReleaseKind {
  kEnd = 0,
  kDynString,        // a runtime::DynString: freed
  kObjectReference,  // a COM interface pointer: Release called when not null, then cleared
  kVariant,          // a VARIANT: VariantClear
};

struct ReleaseEntry {
  ReleaseKind kind;
  void* variable;
};

// A program main with globals to release records where its list lies; null means there is none.
void SetGlobalReleaseList(const ReleaseEntry* list);

// Releases every variable of the recorded list (once; the list is forgotten afterwards).
void ReleaseGlobals();

}  // namespace runtime
