#pragma once
// Every Windows call of the backend goes through AfterCall, which restores the runtime's
// floating-point mode before the result reaches portable code.

#include "platform/fpu.h"

namespace platform {

template <typename Result>
inline Result AfterCall(Result result) {
  LoadFpuControlWord();
  return result;
}

inline void AfterCall() {
  LoadFpuControlWord();
}

}  // namespace platform
