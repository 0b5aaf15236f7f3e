#pragma once
// Conversions between 8-bit text in a code page and UTF-16, under their Windows names and
// with their Windows contracts: a null output (or size 0) asks for the needed size; the
// result is the number of units written (or needed), 0 on failure.

#include <cstdint>

namespace platform {

inline constexpr std::uint32_t kCodePageAnsi = 0;  // CP_ACP: the system's ANSI code page
inline constexpr std::uint32_t kCodePageWestern = 1252;
inline constexpr std::uint32_t kMbPrecomposed = 0x00000001;  // MB_PRECOMPOSED

int MultiByteToWideChar(std::uint32_t codePage, std::uint32_t flags, const char* source,
                        int sourceLength, char16_t* target, int targetLength);

int WideCharToMultiByte(std::uint32_t codePage, std::uint32_t flags, const char16_t* source,
                        int sourceLength, char* target, int targetLength, const char* defaultChar,
                        int* usedDefaultChar);

// The code page CP_ACP stands for on this system (GetACP).
std::uint32_t GetACP();

}  // namespace platform
