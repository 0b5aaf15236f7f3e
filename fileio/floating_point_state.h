#pragma once
// The complete floating-point state of the calling thread: x87 registers, control and status
// words, and the SSE state with MXCSR, in the 512-byte FXSAVE layout.

namespace fileio {

struct alignas(16) FloatingPointState {
  unsigned char area[512];
};

void SaveFloatingPointState(FloatingPointState& state);
void RestoreFloatingPointState(const FloatingPointState& state);

}  // namespace fileio
