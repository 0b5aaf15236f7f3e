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

}  // namespace platform
