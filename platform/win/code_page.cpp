#include "platform/code_page.h"

#include <windows.h>

#include "platform/win/call.h"

namespace platform {

int MultiByteToWideChar(std::uint32_t codePage, std::uint32_t flags, const char* source,
                        int sourceLength, char16_t* target, int targetLength) {
  return AfterCall(::MultiByteToWideChar(codePage, flags, source, sourceLength,
                                         reinterpret_cast<LPWSTR>(target), targetLength));
}

int WideCharToMultiByte(std::uint32_t codePage, std::uint32_t flags, const char16_t* source,
                        int sourceLength, char* target, int targetLength, const char* defaultChar,
                        int* usedDefaultChar) {
  BOOL usedDefault = FALSE;
  int written = AfterCall(::WideCharToMultiByte(
      codePage, flags, reinterpret_cast<LPCWCH>(source), sourceLength, target, targetLength,
      defaultChar, usedDefaultChar != nullptr ? &usedDefault : nullptr));
  if (usedDefaultChar != nullptr) *usedDefaultChar = usedDefault;
  return written;
}

std::uint32_t GetACP() {
  return AfterCall(::GetACP());
}

}  // namespace platform
