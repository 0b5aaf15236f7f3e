#pragma once
// The system heap behind platform::GlobalAllocZeroed, given by platform/win/ and
// platform/native/; only platform/thread_storage.cpp calls it.

#include <cstddef>

namespace platform::backend {

void* GlobalAllocZeroed(std::size_t bytes);

}  // namespace platform::backend
