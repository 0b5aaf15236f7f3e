#include <windows.h>

#include "time_host.h"

namespace time_host {

bool AcceptsSomeNonexistentDates() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace time_host
