#pragma once
// Message parameters and window data carry handles and addresses as integers.

#include <cstdint>

namespace dialogs {

template <typename Handle>
Handle HandleFrom(std::intptr_t value) {
  return reinterpret_cast<Handle>(value);  // NOLINT(performance-no-int-to-ptr)
}

template <typename Handle>
Handle HandleFrom(std::uintptr_t value) {
  return reinterpret_cast<Handle>(value);  // NOLINT(performance-no-int-to-ptr)
}

}  // namespace dialogs
