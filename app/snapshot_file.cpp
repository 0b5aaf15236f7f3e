#include "app/snapshot_file.h"

#include <string_view>

#include "fileio/file_channels.h"
#include "fileio/file_moves.h"

namespace app {

namespace {

constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr std::uint8_t kErrorBadFileName = 64;

// Runs one runtime step with a slot of its own, so its failure is seen even when an earlier
// step left the same error number; the failure is then also recorded in `slot`.
template <typename Step>
bool Succeeds(runtime::ErrorSlot& slot, Step step) {
  runtime::ErrorSlot own;
  step(own);
  if (own.number() == 0) return true;
  slot.Record(own.number(), own.flags());
  return false;
}

// One block, one write. A block that could not be copied counts as failed, not as empty.
bool WriteBlock(runtime::ErrorSlot& slot, std::int16_t channel, const std::uint8_t* bytes,
                std::uint32_t length) {
  if (length == 0) return true;
  runtime::DynString block =
      runtime::DynString::Copy({reinterpret_cast<const char*>(bytes), length});
  if (block.Length() != length) {
    slot.Record(runtime::kErrorOutOfMemory, 0);
    return false;
  }
  return Succeeds(slot, [&](runtime::ErrorSlot& own) {
    fileio::WriteChannelText(own, channel, std::move(block));
  });
}

bool WriteBlocks(runtime::ErrorSlot& slot, const runtime::DynString& name,
                 const FileHeader& fileHeader, const InfoHeader& infoHeader,
                 const std::uint8_t* pixels, std::uint32_t pixelBytes) {
  std::int16_t channel = fileio::FreeChannelNumber();
  bool opened =
      Succeeds(slot, [&](runtime::ErrorSlot& own) { fileio::OpenChannel(own, name, channel); });
  if (!opened) return false;
  // Every block is tried, as with any channel; only the outcome decides the replacement.
  bool written = WriteBlock(slot, channel, fileHeader.data(), kFileHeaderSize);
  written = WriteBlock(slot, channel, infoHeader.data(), kInfoHeaderSize) && written;
  written = WriteBlock(slot, channel, pixels, pixelBytes) && written;
  bool closed =
      Succeeds(slot, [&](runtime::ErrorSlot& own) { fileio::CloseChannel(own, channel); });
  return written && closed;
}

}  // namespace

runtime::DynString SnapshotTemporaryName(const runtime::DynString& fileName) {
  std::string_view name = fileName.View();
  runtime::DynString joined = runtime::DynString::Allocate(
      static_cast<std::uint32_t>(name.size() + kTemporarySuffix.size()));
  char* out = joined.MutableText();
  if (out == nullptr) return joined;
  name.copy(out, name.size());
  kTemporarySuffix.copy(out + name.size(), kTemporarySuffix.size());
  return joined;
}

bool WriteSnapshotFile(runtime::ErrorSlot& slot, const runtime::DynString& fileName,
                       const FileHeader& fileHeader, const InfoHeader& infoHeader,
                       const std::uint8_t* pixels, std::uint32_t pixelBytes) {
  if (fileName.IsEmpty()) {
    slot.Record(kErrorBadFileName, 0);
    return false;
  }
  runtime::DynString temporary = SnapshotTemporaryName(fileName);
  if (temporary.IsEmpty()) {
    slot.Record(runtime::kErrorOutOfMemory, 0);
    return false;
  }
  // A read-only or locked snapshot refuses the replacement and so stays as it was.
  bool replaced = WriteBlocks(slot, temporary, fileHeader, infoHeader, pixels, pixelBytes) &&
                  Succeeds(slot, [&](runtime::ErrorSlot& own) {
                    fileio::MoveFileReplacing(own, temporary, fileName);
                  });
  if (!replaced) {
    runtime::ErrorSlot ignored;  // the temporary may never have been created
    fileio::RemoveFile(ignored, temporary);
  }
  return replaced;
}

}  // namespace app
