#include "platform/process.h"

#include <windows.h>

#include "platform/call_win.h"

namespace platform {

void ExitProcess(unsigned exitCode) {
  ::ExitProcess(exitCode);
}

void Sleep(unsigned milliseconds) {
  ::Sleep(milliseconds);
  AfterCall();
}

}  // namespace platform
