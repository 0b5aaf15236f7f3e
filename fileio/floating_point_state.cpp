#include "fileio/floating_point_state.h"

namespace fileio {

void SaveFloatingPointState(FloatingPointState& state) {
  asm volatile("fxsave %0" : "=m"(state.area));
}

void RestoreFloatingPointState(const FloatingPointState& state) {
  asm volatile("fxrstor %0" : : "m"(state.area));
}

}  // namespace fileio
