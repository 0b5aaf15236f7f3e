#include "platform/ole_strings_backend.h"

#include <windows.h>
// after windows.h, which it needs
#include <oleauto.h>

#include "platform/win/call.h"

namespace platform::backend {

char* SysAllocStringByteLen(const char* source, std::uint32_t length) {
  return reinterpret_cast<char*>(AfterCall(::SysAllocStringByteLen(source, length)));
}

char16_t* SysAllocStringLen(const char16_t* source, std::uint32_t length) {
  return reinterpret_cast<char16_t*>(
      AfterCall(::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(source), length)));
}

void SysFreeString(void* text) {
  ::SysFreeString(static_cast<BSTR>(text));
  AfterCall();
}

}  // namespace platform::backend
