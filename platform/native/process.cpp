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

}  // namespace platform
