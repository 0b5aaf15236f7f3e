#include "platform/thread_storage.h"

#include <atomic>

#include "platform/thread_storage_backend.h"

namespace platform {
namespace {

std::atomic<std::uint32_t> failuresToInject{0};

bool InjectFailure() {
  std::uint32_t pending = failuresToInject.load();
  while (pending != 0) {
    if (failuresToInject.compare_exchange_weak(pending, pending - 1)) return true;
  }
  return false;
}

}  // namespace

void* GlobalAllocZeroed(std::size_t bytes) {
  if (InjectFailure()) return nullptr;
  return backend::GlobalAllocZeroed(bytes);
}

void FailNextGlobalAllocations(std::uint32_t count) {
  failuresToInject.store(count);
}

}  // namespace platform
