#pragma once
// The x87 control word all numeric work runs under: 64-bit significands, round to nearest
// (ties to even), every exception masked.

#include <cstdint>

namespace platform {

inline constexpr std::uint16_t kRuntimeFpuControlWord = 0x133F;

// Loads kRuntimeFpuControlWord. Windows calls may leave another mode behind (printer and
// graphics drivers are known to), so the Windows backend calls this after each of them.
void LoadFpuControlWord();

std::uint16_t CurrentFpuControlWord();

}  // namespace platform
