#pragma once
// Counts the string allocator's calls made since construction.

#include "platform/ole_strings.h"

namespace runtime_test {

class StringAllocations {
 public:
  StringAllocations() : start_(platform::CurrentOleStringCounts()) {}
  std::uint64_t Bytes() const {
    return platform::CurrentOleStringCounts().byteAllocations - start_.byteAllocations;
  }
  std::uint64_t Units() const {
    return platform::CurrentOleStringCounts().unitAllocations - start_.unitAllocations;
  }
  std::uint64_t Failures() const {
    return platform::CurrentOleStringCounts().failures - start_.failures;
  }
  // Strings allocated and not yet freed.
  std::uint64_t Live() const { return Bytes() + Units() - Failures() - Frees(); }
  std::uint64_t Frees() const { return platform::CurrentOleStringCounts().frees - start_.frees; }

 private:
  platform::OleStringCounts start_;
};

}  // namespace runtime_test
