#pragma once
// The system allocator behind platform/ole_strings.h, given by platform/win/ and
// platform/native/; only platform/ole_strings.cpp calls it.

#include <cstdint>

namespace platform::backend {

char* SysAllocStringByteLen(const char* source, std::uint32_t length);
char16_t* SysAllocStringLen(const char16_t* source, std::uint32_t length);
void SysFreeString(void* text);

}  // namespace platform::backend
