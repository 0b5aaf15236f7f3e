#include "platform/ole_strings.h"

#include <atomic>

#include "platform/injected_failures.h"
#include "platform/ole_strings_backend.h"

namespace platform {
namespace {

std::atomic<std::uint64_t> byteAllocations{0};
std::atomic<std::uint64_t> unitAllocations{0};
std::atomic<std::uint64_t> failures{0};
std::atomic<std::uint64_t> frees{0};
InjectedFailures failuresToInject;

}  // namespace

char* SysAllocStringByteLen(const char* source, std::uint32_t length) {
  ++byteAllocations;
  char* text =
      failuresToInject.Consume() ? nullptr : backend::SysAllocStringByteLen(source, length);
  if (text == nullptr) ++failures;
  return text;
}

char16_t* SysAllocStringLen(const char16_t* source, std::uint32_t length) {
  ++unitAllocations;
  char16_t* text =
      failuresToInject.Consume() ? nullptr : backend::SysAllocStringLen(source, length);
  if (text == nullptr) ++failures;
  return text;
}

void SysFreeString(void* text) {
  if (text == nullptr) return;
  ++frees;
  backend::SysFreeString(text);
}

OleStringCounts CurrentOleStringCounts() {
  return {byteAllocations.load(), unitAllocations.load(), failures.load(), frees.load()};
}

void FailNextStringAllocations(std::uint32_t count) {
  failuresToInject.Arm(count);
}

}  // namespace platform
