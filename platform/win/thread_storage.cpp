#include <windows.h>

#include "platform/thread_storage.h"
#include "platform/thread_storage_backend.h"
#include "platform/win/call.h"

namespace platform {

std::uint32_t TlsAlloc() {
  return AfterCall(::TlsAlloc());
}

void* TlsGetValue(std::uint32_t slot) {
  return AfterCall(::TlsGetValue(slot));
}

bool TlsSetValue(std::uint32_t slot, void* value) {
  return AfterCall(::TlsSetValue(slot, value)) != FALSE;
}

bool TlsFree(std::uint32_t slot) {
  return AfterCall(::TlsFree(slot)) != FALSE;
}

void GlobalFree(void* block) {
  if (block == nullptr) return;
  AfterCall(::GlobalFree(block));
}

void* backend::GlobalAllocZeroed(std::size_t bytes) {
  return AfterCall(::GlobalAlloc(GPTR, bytes));
}

}  // namespace platform
