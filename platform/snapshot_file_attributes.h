#pragma once
// File attributes, to leave a read-only snapshot alone also where the rename would replace it.

#include "platform/win_types.h"

#ifndef _WIN32
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x1;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
#endif

namespace platform {

// INVALID_FILE_ATTRIBUTES when the file cannot be looked at (for instance when it is absent).
DWORD GetFileAttributesW(const char16_t* fileName);

}  // namespace platform
