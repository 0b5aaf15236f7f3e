#include "runtime/release_locals.h"

#include "platform/ole_strings.h"
#include "runtime/dyn_string.h"

namespace runtime {
namespace {

void ReleaseObject(void* variable) {
  auto** reference = static_cast<ObjectReference**>(variable);
  if (*reference == nullptr) return;
  (*reference)->Release();
  *reference = nullptr;
}

}  // namespace

void ReleaseLocals(const ReleaseEntry* list) {
  if (list == nullptr) return;
  for (const ReleaseEntry* entry = list; entry->kind != ReleaseKind::kEnd; ++entry) {
    switch (entry->kind) {
      case ReleaseKind::kDynString:
        FreeString(*static_cast<DynString*>(entry->variable));
        break;
      case ReleaseKind::kObjectReference:
        ReleaseObject(entry->variable);
        break;
      case ReleaseKind::kVariant:
        platform::VariantClear(entry->variable);
        break;
      case ReleaseKind::kEnd:
        break;
    }
  }
}

}  // namespace runtime
