// Native stand-ins: a POSIX thread key per slot and the C heap.
#include <pthread.h>

#include <cstdlib>

#include "platform/thread_storage.h"
#include "platform/thread_storage_backend.h"

namespace platform {

std::uint32_t TlsAlloc() {
  pthread_key_t key;
  if (pthread_key_create(&key, nullptr) != 0) return TLS_OUT_OF_INDEXES;
  static_assert(sizeof key <= sizeof(std::uint32_t), "a key fits a slot number");
  return static_cast<std::uint32_t>(key);
}

void* TlsGetValue(std::uint32_t slot) {
  return pthread_getspecific(static_cast<pthread_key_t>(slot));
}

bool TlsSetValue(std::uint32_t slot, void* value) {
  return pthread_setspecific(static_cast<pthread_key_t>(slot), value) == 0;
}

bool TlsFree(std::uint32_t slot) {
  return pthread_key_delete(static_cast<pthread_key_t>(slot)) == 0;
}

void GlobalFree(void* block) {
  std::free(block);
}

void* backend::GlobalAllocZeroed(std::size_t bytes) {
  return std::calloc(1, bytes);
}

}  // namespace platform
