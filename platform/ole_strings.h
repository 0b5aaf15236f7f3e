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

}  // namespace platform
