#pragma once
// The string allocator: counted storage with a 32-bit byte length before the text and a 16-bit
// zero after it (the OLE string layout). The returned address is that of the first text byte.

#include <cstdint>

namespace platform {

// Allocates `length` bytes (plus prefix and terminator), copying them from `source` when it
// is not null. Null when memory runs out.
char* SysAllocStringByteLen(const char* source, std::uint32_t length);

// The same for `length` 16-bit units; the prefix counts bytes (2 x length).
char16_t* SysAllocStringLen(const char16_t* source, std::uint32_t length);

// Frees what the two above returned; null is ignored.
void SysFreeString(void* text);

// Every call of the three above is counted (process-wide), so tests can check which string
// operations allocate, and can make allocations fail to reach the out-of-memory paths.
struct OleStringCounts {
  std::uint64_t byteAllocations;  // SysAllocStringByteLen calls, failed ones included
  std::uint64_t unitAllocations;  // SysAllocStringLen calls, failed ones included
  std::uint64_t failures;         // allocations of either kind that returned null
  std::uint64_t frees;            // SysFreeString calls with a string
};
OleStringCounts CurrentOleStringCounts();

// The next `count` allocations of either kind return null without allocating.
void FailNextStringAllocations(std::uint32_t count);

}  // namespace platform
