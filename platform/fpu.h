#pragma once
// The x87 control word all numeric work runs under: 64-bit significands, round to nearest
// (ties to even), every exception masked; and the thread's whole floating-point state, kept
// across calls that may change it.

#include <cstdint>

namespace platform {

inline constexpr std::uint16_t kRuntimeFpuControlWord = 0x133F;

// Loads kRuntimeFpuControlWord. Windows calls may leave another mode behind (printer and
// graphics drivers are known to), so the Windows backend calls this after each of them.
void LoadFpuControlWord();

std::uint16_t CurrentFpuControlWord();

// The complete floating-point state of the calling thread: x87 registers, control and status
// words, and the SSE state with MXCSR, in the 512-byte FXSAVE layout.
struct alignas(16) FloatingPointState {
  unsigned char area[512];
};

void SaveFloatingPointState(FloatingPointState& state);
void RestoreFloatingPointState(const FloatingPointState& state);

}  // namespace platform
