// The native stand-in for named mutexes: one process's threads take turns. A handle is a
// descriptor (of an eventfd, so that CloseHandle closes it like any other) that names a record
// of the registry; records stay for the life of the process, as few names are ever used.

#include <errno.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "platform/files.h"
#include "platform/named_mutex.h"
#include "platform/native/files.h"

namespace platform {
namespace {

struct NamedMutex {
  std::mutex guard;
  std::condition_variable released;
  std::thread::id owner;
  unsigned depth = 0;  // the owner may take it again, as on Windows
};

struct Registry {
  std::mutex guard;
  std::map<std::string, NamedMutex> byName;  // a map's records never move
  std::map<int, NamedMutex*> byDescriptor;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

NamedMutex* MutexOf(HANDLE handle) {
  const int fd = static_cast<int>(reinterpret_cast<std::intptr_t>(handle) - 1);
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.guard);
  auto found = registry.byDescriptor.find(fd);
  return found != registry.byDescriptor.end() ? found->second : nullptr;
}

}  // namespace

HANDLE CreateMutexW(void* /*security*/, BOOL initialOwner, const char16_t* name) {
  const int fd = eventfd(0, EFD_CLOEXEC);
  if (fd < 0) {
    posix::Fail(WindowsErrorFromErrno(errno));
    return nullptr;
  }
  Registry& registry = TheRegistry();
  {
    std::lock_guard lock(registry.guard);
    // A reused descriptor names its new mutex.
    registry.byDescriptor[fd] = &registry.byName[posix::PathOf(name)];
  }
  // A handle is a number here, never an address.
  HANDLE handle = reinterpret_cast<HANDLE>(  // NOLINT(performance-no-int-to-ptr)
      static_cast<std::intptr_t>(fd) + 1);
  if (initialOwner != FALSE) WaitForSingleObject(handle, 0);
  return handle;
}

DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) {
  NamedMutex* mutex = MutexOf(object);
  if (mutex == nullptr) {
    posix::Fail(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  std::unique_lock lock(mutex->guard);
  const std::thread::id self = std::this_thread::get_id();
  auto free = [&] { return mutex->depth == 0 || mutex->owner == self; };
  if (!mutex->released.wait_for(lock, std::chrono::milliseconds(milliseconds), free)) {
    return WAIT_TIMEOUT;
  }
  mutex->owner = self;
  ++mutex->depth;
  return WAIT_OBJECT_0;
}

BOOL ReleaseMutex(HANDLE mutex) {
  NamedMutex* named = MutexOf(mutex);
  if (named == nullptr) {
    posix::Fail(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  std::lock_guard lock(named->guard);
  if (named->depth == 0 || named->owner != std::this_thread::get_id()) {
    posix::Fail(ERROR_NOT_OWNER);
    return FALSE;
  }
  if (--named->depth == 0) named->released.notify_one();
  return TRUE;
}

}  // namespace platform
