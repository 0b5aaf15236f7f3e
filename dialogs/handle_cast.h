#pragma once
// Message parameters and window data carry handles and addresses as integers.

#include <cstdint>
#include <type_traits>

namespace dialogs {

template <typename Handle, typename Integer>
Handle HandleFrom(Integer value) {
  static_assert(std::is_integral_v<Integer> && sizeof(Integer) == sizeof(void*),
                "only pointer-sized integers carry handles");
  return reinterpret_cast<Handle>(value);  // NOLINT(performance-no-int-to-ptr)
}

}  // namespace dialogs
