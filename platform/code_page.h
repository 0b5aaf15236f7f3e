#pragma once
// Conversions between 8-bit text in a code page and UTF-16, under their Windows names and
// with their Windows contracts: a null output (or size 0) asks for the needed size; the
// result is the number of units written (or needed), 0 on failure.

#include <cstdint>

#include "platform/win_types.h"

PLATFORM_WINDOWS_CONSTANT(UINT, CP_ACP, 0)  // the system's ANSI code page
PLATFORM_WINDOWS_CONSTANT(DWORD, MB_PRECOMPOSED, 0x00000001)

namespace platform {

inline constexpr std::uint32_t kCodePageWestern = 1252;

int MultiByteToWideChar(std::uint32_t codePage, std::uint32_t flags, const char* source,
                        int sourceLength, char16_t* target, int targetLength);

int WideCharToMultiByte(std::uint32_t codePage, std::uint32_t flags, const char16_t* source,
                        int sourceLength, char* target, int targetLength, const char* defaultChar,
                        int* usedDefaultChar);

// The code page CP_ACP stands for on this system (GetACP).
std::uint32_t GetACP();

}  // namespace platform
