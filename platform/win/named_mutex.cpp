#include "platform/named_mutex.h"

#include <windows.h>

#include "platform/win/call.h"

namespace platform {

HANDLE CreateMutexW(void* security, BOOL initialOwner, const char16_t* name) {
  return AfterCall(::CreateMutexW(static_cast<LPSECURITY_ATTRIBUTES>(security), initialOwner,
                                  reinterpret_cast<LPCWSTR>(name)));
}

DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) {
  return AfterCall(::WaitForSingleObject(object, milliseconds));
}

BOOL ReleaseMutex(HANDLE mutex) {
  return AfterCall(::ReleaseMutex(mutex));
}

}  // namespace platform
