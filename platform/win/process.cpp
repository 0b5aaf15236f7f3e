#include "platform/process.h"

#include <windows.h>

#include "platform/win/call.h"

namespace platform {

void ExitProcess(unsigned exitCode) {
  ::ExitProcess(exitCode);
}

void Sleep(unsigned milliseconds) {
  ::Sleep(milliseconds);
  AfterCall();
}

DWORD GetCurrentProcessId() {
  return AfterCall(::GetCurrentProcessId());
}

DWORD GetTickCount() {
  return AfterCall(::GetTickCount());
}

}  // namespace platform
