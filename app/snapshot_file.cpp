#include "app/snapshot_file.h"

#include "fileio/file_replacement.h"

namespace app {

bool WriteSnapshotFile(runtime::ErrorSlot& slot, const runtime::DynString& fileName,
                       const FileHeader& fileHeader, const InfoHeader& infoHeader,
                       const std::uint8_t* pixels, std::uint32_t pixelBytes) {
  if (pixels == nullptr || pixelBytes == 0) return false;
  const fileio::FileBlock blocks[] = {fileHeader, infoHeader, {pixels, pixelBytes}};
  return fileio::ReplaceFileContents(slot, fileName, blocks);
}

}  // namespace app
