#include "platform/fpu.h"

namespace platform {

void LoadFpuControlWord() {
  std::uint16_t word = kRuntimeFpuControlWord;
  asm volatile("fldcw %0" : : "m"(word));
}

std::uint16_t CurrentFpuControlWord() {
  std::uint16_t word = 0;
  asm volatile("fnstcw %0" : "=m"(word));
  return word;
}

void SaveFloatingPointState(FloatingPointState& state) {
  asm volatile("fxsave %0" : "=m"(state.area));
}

void RestoreFloatingPointState(const FloatingPointState& state) {
  asm volatile("fxrstor %0" : : "m"(state.area));
}

}  // namespace platform
