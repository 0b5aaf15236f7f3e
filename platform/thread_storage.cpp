#include "platform/thread_storage.h"

#include <atomic>

#include "platform/injected_failures.h"
#include "platform/thread_storage_backend.h"

namespace platform {
namespace {

InjectedFailures failuresToInject;

}  // namespace

void* GlobalAllocZeroed(std::size_t bytes) {
  if (failuresToInject.Consume()) return nullptr;
  return backend::GlobalAllocZeroed(bytes);
}

void FailNextGlobalAllocations(std::uint32_t count) {
  failuresToInject.Arm(count);
}

}  // namespace platform
