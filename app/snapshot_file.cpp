#include "app/snapshot_file.h"

#include <cstring>
#include <string_view>

#include "fileio/file_channels.h"
#include "fileio/file_moves.h"
#include "fileio/guarded_system_call.h"
#include "platform/files.h"
#include "platform/snapshot_file_attributes.h"
#include "runtime/wide_string.h"

namespace app {

namespace {

constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr std::uint8_t kErrorBadFileName = 64;
constexpr std::uint8_t kErrorFileNotFound = 53;
constexpr std::uint8_t kErrorPermissionDenied = 70;

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

// Whether `fileName` may be replaced: absent, or open to writing by us alone. A rename does not
// look at the target's read-only flag or at other programs holding it open on every system, so
// this asks the way opening it for output would, without emptying it.
bool TargetReplaceable(runtime::ErrorSlot& slot, const runtime::DynString& fileName) {
  runtime::WideString name = runtime::WidenText(fileName.View());
  if (name.IsEmpty()) {
    slot.Record(runtime::kErrorOutOfMemory, 0);
    return false;
  }
  auto attributes =
      fileio::GuardedSystemCall([&] { return platform::GetFileAttributesW(name.Text()); });
  if (attributes.value != INVALID_FILE_ATTRIBUTES &&
      (attributes.value & FILE_ATTRIBUTE_READONLY) != 0) {
    slot.Record(kErrorPermissionDenied, 0);
    return false;
  }
  auto opened = fileio::GuardedSystemCall([&] {
    return platform::CreateFileW(name.Text(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
  });
  if (opened.value != INVALID_HANDLE_VALUE) {
    fileio::GuardedSystemCall([&] { return platform::CloseHandle(opened.value); });
    return true;
  }
  if (opened.error == kErrorFileNotFound) return true;
  slot.Record(opened.error != 0 ? opened.error : kErrorPermissionDenied, 0);
  return false;
}

}  // namespace

runtime::DynString SnapshotTemporaryName(const runtime::DynString& fileName) {
  std::string_view name = fileName.View();
  runtime::DynString joined = runtime::DynString::Allocate(
      static_cast<std::uint32_t>(name.size() + kTemporarySuffix.size()));
  char* out = joined.MutableText();
  if (out == nullptr) return joined;
  // memcpy rather than string_view::copy, whose range check drags exceptions into the program.
  std::memcpy(out, name.data(), name.size());
  std::memcpy(out + name.size(), kTemporarySuffix.data(), kTemporarySuffix.size());
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
  // A read-only or locked snapshot is not replaced and so stays as it was.
  bool replaced = TargetReplaceable(slot, fileName) &&
                  WriteBlocks(slot, temporary, fileHeader, infoHeader, pixels, pixelBytes) &&
                  Succeeds(slot, [&](runtime::ErrorSlot& own) {
                    fileio::MoveFileReplacing(own, temporary, fileName);
                  });
  if (!replaced) {
    runtime::ErrorSlot ignored;  // the temporary may not have been created
    fileio::RemoveFile(ignored, temporary);
  }
  return replaced;
}

}  // namespace app
