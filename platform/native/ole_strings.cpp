#include <cstdlib>
#include <cstring>

#include "platform/ole_strings_backend.h"

namespace platform::backend {
namespace {

constexpr std::size_t kPrefix = sizeof(std::uint32_t);
constexpr std::size_t kTerminator = sizeof(char16_t);

// One block: [32-bit byte count][bytes][16-bit zero]; the caller sees the first byte.
char* AllocateBlock(std::uint32_t bytes) {
  auto* block = static_cast<char*>(std::malloc(kPrefix + bytes + kTerminator));
  if (block == nullptr) return nullptr;
  std::memcpy(block, &bytes, kPrefix);
  std::memset(block + kPrefix + bytes, 0, kTerminator);
  return block + kPrefix;
}

}  // namespace

char* SysAllocStringByteLen(const char* source, std::uint32_t length) {
  char* text = AllocateBlock(length);
  if (text != nullptr && source != nullptr) std::memcpy(text, source, length);
  return text;
}

char16_t* SysAllocStringLen(const char16_t* source, std::uint32_t length) {
  if (length > UINT32_MAX / 2) return nullptr;
  char* text = AllocateBlock(length * 2);
  if (text == nullptr) return nullptr;
  if (source != nullptr) std::memcpy(text, source, length * std::size_t{2});
  return reinterpret_cast<char16_t*>(text);
}

void SysFreeString(void* text) {
  if (text != nullptr) std::free(static_cast<char*>(text) - kPrefix);
}

}  // namespace platform::backend
