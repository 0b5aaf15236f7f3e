#pragma once
// Writing a snapshot's bitmap file so that a failure never costs the previous file.

#include <cstdint>

#include "app/snapshot_layout.h"
#include "runtime/dyn_string.h"
#include "runtime/error_slot.h"

namespace app {

// The three blocks (file header, info header, `pixelBytes` bytes at `pixels`) become the whole
// contents of `fileName`, one write each, by the file replacement of fileio/file_replacement.h:
// a failure leaves an existing file as it was; a success keeps its attributes and creation time
// (a new file takes the name, so links to the old one keep the old picture); a read-only file
// is left alone, and one another program keeps open past about half a second too. Without
// pixels (the capture failed) nothing is written: a file of headers alone would cost the user
// the picture that is there. A failed step's run-time error is left in `slot`. True when
// `fileName` holds the new picture.
bool WriteSnapshotFile(runtime::ErrorSlot& slot, const runtime::DynString& fileName,
                       const FileHeader& fileHeader, const InfoHeader& infoHeader,
                       const std::uint8_t* pixels, std::uint32_t pixelBytes);

}  // namespace app
