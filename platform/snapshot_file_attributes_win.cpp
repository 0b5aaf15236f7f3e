#include "platform/snapshot_file_attributes.h"

#include <windows.h>

#include "platform/call_win.h"

namespace platform {

DWORD GetFileAttributesW(const char16_t* fileName) {
  return AfterCall(::GetFileAttributesW(reinterpret_cast<const wchar_t*>(fileName)));
}

}  // namespace platform
