#include "platform/ole_strings.h"

#include <atomic>

#include "platform/ole_strings_backend.h"

namespace platform {
namespace {

std::atomic<std::uint64_t> byteAllocations{0};
std::atomic<std::uint64_t> unitAllocations{0};
std::atomic<std::uint64_t> failures{0};
std::atomic<std::uint64_t> frees{0};
std::atomic<std::uint32_t> failuresToInject{0};

// Consumes one injected failure if any is pending.
bool InjectFailure() {
  std::uint32_t pending = failuresToInject.load();
  while (pending != 0) {
    if (failuresToInject.compare_exchange_weak(pending, pending - 1)) return true;
  }
  return false;
}

}  // namespace

char* SysAllocStringByteLen(const char* source, std::uint32_t length) {
  ++byteAllocations;
  char* text = InjectFailure() ? nullptr : backend::SysAllocStringByteLen(source, length);
  if (text == nullptr) ++failures;
  return text;
}

char16_t* SysAllocStringLen(const char16_t* source, std::uint32_t length) {
  ++unitAllocations;
  char16_t* text = InjectFailure() ? nullptr : backend::SysAllocStringLen(source, length);
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
  failuresToInject.store(count);
}

}  // namespace platform
