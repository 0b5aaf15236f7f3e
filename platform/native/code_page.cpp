// The native stand-in converts Windows-1252 itself (CP_ACP counts as 1252 here), following
// Windows' rules: the same units, the same best fit, the same size queries and failures.

#include "platform/code_page.h"
#include "platform/code_page_1252.h"

namespace platform {
namespace {

bool IsWestern(std::uint32_t codePage) {
  return codePage == CP_ACP || codePage == kCodePageWestern;
}

// A length of -1 means "up to and including the terminator".
template <typename Unit>
int EffectiveLength(const Unit* source, int length) {
  if (length >= 0) return length;
  int n = 0;
  while (source[n] != 0) ++n;
  return n + 1;
}

}  // namespace

int MultiByteToWideChar(std::uint32_t codePage, std::uint32_t, const char* source, int sourceLength,
                        char16_t* target, int targetLength) {
  if (!IsWestern(codePage) || source == nullptr || sourceLength == 0 || sourceLength < -1 ||
      targetLength < 0) {
    return 0;
  }
  int length = EffectiveLength(source, sourceLength);
  if (target == nullptr || targetLength == 0) return length;
  if (targetLength < length) return 0;
  for (int i = 0; i < length; ++i) {
    target[i] = WesternByteToUnit(static_cast<std::uint8_t>(source[i]));
  }
  return length;
}

int WideCharToMultiByte(std::uint32_t codePage, std::uint32_t, const char16_t* source,
                        int sourceLength, char* target, int targetLength, const char* defaultChar,
                        int* usedDefaultChar) {
  if (!IsWestern(codePage) || source == nullptr || sourceLength == 0 || sourceLength < -1 ||
      targetLength < 0) {
    return 0;
  }
  int length = EffectiveLength(source, sourceLength);
  bool usedDefault = false;
  if (target != nullptr && targetLength != 0) {
    if (targetLength < length) return 0;
    for (int i = 0; i < length; ++i) {
      NarrowedUnit narrowed = WesternUnitToByte(source[i]);
      usedDefault = usedDefault || narrowed.usedDefault;
      target[i] = narrowed.usedDefault && defaultChar != nullptr ? *defaultChar
                                                                 : static_cast<char>(narrowed.byte);
    }
  } else {
    for (int i = 0; i < length; ++i) {
      usedDefault = usedDefault || WesternUnitToByte(source[i]).usedDefault;
    }
  }
  if (usedDefaultChar != nullptr) *usedDefaultChar = usedDefault ? 1 : 0;
  return length;
}

std::uint32_t GetACP() {
  return kCodePageWestern;
}

}  // namespace platform
