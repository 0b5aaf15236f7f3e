#include <time.h>
#include <unistd.h>

#include "platform/process.h"

namespace platform {

void ExitProcess(unsigned exitCode) {
  _exit(static_cast<int>(exitCode & 0xFF));
}

void Sleep(unsigned milliseconds) {
  timespec delay{static_cast<time_t>(milliseconds / 1000),
                 static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&delay, &delay) != 0) {
  }
}

DWORD GetCurrentProcessId() {
  return static_cast<DWORD>(getpid());
}

DWORD GetTickCount() {
  timespec now{};
  if (clock_gettime(CLOCK_MONOTONIC, &now) != 0) return 0;  // Linux always has this clock
  return static_cast<DWORD>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

}  // namespace platform
