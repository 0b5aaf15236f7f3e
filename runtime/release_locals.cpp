#include "runtime/release_locals.h"

#include "platform/startup.h"
#include "runtime/dyn_string.h"

namespace runtime {
namespace {

void ReleaseObjectReference(void* variable) {
  auto** reference = static_cast<void**>(variable);
  void* object = *reference;
  *reference = nullptr;  // a second walk must not release it again
  if (object != nullptr) platform::ReleaseObject(object);
}

}  // namespace

void ReleaseLocals(const ReleaseEntry* list) {
  if (list == nullptr) return;
  for (const ReleaseEntry* entry = list; entry->kind != ReleaseKind::kEnd; ++entry) {
    if (entry->variable == nullptr) continue;
    switch (entry->kind) {
      case ReleaseKind::kDynString:
        FreeString(*static_cast<DynString*>(entry->variable));
        break;
      case ReleaseKind::kObjectReference:
        ReleaseObjectReference(entry->variable);
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
