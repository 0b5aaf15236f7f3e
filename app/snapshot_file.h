#pragma once
// Writing a snapshot's bitmap file so that a failure never costs the previous file.

#include <cstdint>

#include "app/snapshot_layout.h"
#include "runtime/dyn_string.h"
#include "runtime/error_slot.h"

namespace app {

// The three blocks (file header, info header, `pixelBytes` bytes at `pixels`) go, one write
// each, through a file channel to a temporary file beside `fileName`, which replaces
// `fileName` only when every step succeeded; otherwise it is removed and `fileName` stays as it
// was. A read-only `fileName`, or one another program holds open, is not replaced. A failed
// step's run-time error is left in `slot`. True when `fileName` was replaced.
bool WriteSnapshotFile(runtime::ErrorSlot& slot, const runtime::DynString& fileName,
                       const FileHeader& fileHeader, const InfoHeader& infoHeader,
                       const std::uint8_t* pixels, std::uint32_t pixelBytes);

// The temporary file's name: `fileName` with ".tmp" appended, so it shares its directory.
runtime::DynString SnapshotTemporaryName(const runtime::DynString& fileName);

}  // namespace app
