#pragma once
// The run-time error number for a Windows error code as GetLastError reports it.

#include <array>
#include <cstdint>

namespace runtime {

// Codes 0 to 39 by index; code 0 means success and maps to no error.
inline constexpr std::array<std::uint8_t, 40> kSystemErrorNumbers = {
    0,   75, 53, 76, 67, 70, 57, 241, 7,  241,  // 0-9: ... 7 arena trashed, 9 invalid block
    241, 51, 51, 51, 7,  68, 75, 74,  53, 70,   // 10-19: 10 bad environment, 14 out of memory
    68,  71, 51, 72, 51, 72, 72, 72,  72, 72,   // 20-29: bad unit, not ready, ..., write fault
    72,  72, 70, 70, 72, 72, 70, 75,  62, 61,   // 30-39: ..., sharing, lock, ..., handle EOF
};

inline constexpr std::uint32_t kErrorInvalidParameter = 87;
inline constexpr std::uint32_t kErrorDiskFull = 112;

constexpr std::uint8_t SystemErrorTable(std::uint32_t code) {
  if (code < kSystemErrorNumbers.size()) return kSystemErrorNumbers[code];
  if (code == kErrorInvalidParameter) return 5;
  if (code == kErrorDiskFull) return 61;
  return 75;
}

}  // namespace runtime
