#pragma once
// The system heap behind platform::GlobalAllocZeroed; only thread_storage.cpp calls it.

#include <cstddef>

namespace platform::backend {

void* GlobalAllocZeroed(std::size_t bytes);

}  // namespace platform::backend
