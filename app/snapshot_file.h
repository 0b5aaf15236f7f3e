#pragma once
// Writing a snapshot's bitmap file so that a failure never costs the previous file.

#include <cstdint>

#include "app/snapshot_layout.h"
#include "runtime/dyn_string.h"
#include "runtime/error_slot.h"

namespace app {

// The three blocks (file header, info header, `pixelBytes` bytes at `pixels`) become the whole
// contents of `fileName`, one write each, by the file replacement of fileio/file_replacement.h:
// a failure leaves an existing file as it was, a success keeps its identity, and a read-only
// file, or one another program holds open, is left alone. A failed step's run-time error is
// left in `slot`. True when `fileName` holds the new picture.
bool WriteSnapshotFile(runtime::ErrorSlot& slot, const runtime::DynString& fileName,
                       const FileHeader& fileHeader, const InfoHeader& infoHeader,
                       const std::uint8_t* pixels, std::uint32_t pixelBytes);

}  // namespace app
