#pragma once
// Thread-local storage slots and zero-filled blocks from the global heap, under their Windows
// names.

#include <cstddef>
#include <cstdint>

#include "platform/win_types.h"

PLATFORM_WINDOWS_CONSTANT(DWORD, TLS_OUT_OF_INDEXES, 0xFFFFFFFF)

namespace platform {

// A new slot, empty on every thread; TLS_OUT_OF_INDEXES when none is left.
std::uint32_t TlsAlloc();
void* TlsGetValue(std::uint32_t slot);
bool TlsSetValue(std::uint32_t slot, void* value);
bool TlsFree(std::uint32_t slot);

// GlobalAlloc with GPTR: a fixed, zero-filled block; null when memory runs out.
void* GlobalAllocZeroed(std::size_t bytes);
// GlobalFree; null is ignored.
void GlobalFree(void* block);

// The next `count` GlobalAllocZeroed calls fail, for the out-of-memory paths in tests.
void FailNextGlobalAllocations(std::uint32_t count);

}  // namespace platform
