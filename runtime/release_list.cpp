#include "runtime/release_list.h"

#include "platform/startup.h"
#include "runtime/dyn_string.h"

namespace runtime {
namespace {

const ReleaseEntry* globalReleaseList = nullptr;

void ReleaseVariable(const ReleaseEntry& entry) {
  switch (entry.kind) {
    case ReleaseKind::kDynString:
      static_cast<DynString*>(entry.variable)->Free();
      break;
    case ReleaseKind::kObjectReference: {
      auto* reference = static_cast<void**>(entry.variable);
      void* object = *reference;
      *reference = nullptr;  // a second shutdown step must not release it again
      if (object != nullptr) platform::ReleaseObject(object);
      break;
    }
    case ReleaseKind::kVariant:
      platform::VariantClear(entry.variable);
      break;
    case ReleaseKind::kEnd:
      break;
  }
}

}  // namespace

void SetGlobalReleaseList(const ReleaseEntry* list) {
  globalReleaseList = list;
}

void ReleaseGlobals() {
  const ReleaseEntry* entry = globalReleaseList;
  globalReleaseList = nullptr;
  for (; entry != nullptr && entry->kind != ReleaseKind::kEnd; ++entry) {
    if (entry->variable != nullptr) ReleaseVariable(*entry);
  }
}

}  // namespace runtime
