#include "platform/time.h"

#include <windows.h>

#include "platform/win/call.h"

namespace platform {

BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, FILETIME* fileTime) {
  return AfterCall(::SystemTimeToFileTime(systemTime, fileTime));
}

BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime) {
  return AfterCall(::FileTimeToSystemTime(fileTime, systemTime));
}

}  // namespace platform
