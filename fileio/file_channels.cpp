#include "fileio/file_channels.h"

#include <algorithm>
#include <bitset>
#include <cstring>
#include <new>
#include <string_view>

#include "fileio/channel_steps.h"
#include "fileio/file_names.h"
#include "fileio/file_system_calls.h"
#include "fileio/guarded_system_call.h"
#include "runtime/busy_wait_lock.h"
#include "runtime/error_numbers.h"
#include "runtime/wide_string.h"

namespace fileio {
namespace {

constexpr std::int16_t kHighestChannelNumber = 32767;

runtime::BusyWaitLock fileOperationLock;
std::int16_t lastHandedOut = 0;

// The name as the system will see it: the first 255 units, zero-terminated.
struct CutName {
  char16_t units[kMaxChannelNameUnits + 1] = {};
  std::size_t length = 0;

  // memcpy rather than u16string_view::copy (see cmake/flags.cmake).
  explicit CutName(std::u16string_view name)
      : length(std::min<std::size_t>(name.size(), kMaxChannelNameUnits)) {
    std::memcpy(units, name.data(), length * sizeof(char16_t));
  }
  std::u16string_view View() const { return {units, length}; }
};

int ErrorOrUnknown(std::uint8_t error) {
  return error != 0 ? error : runtime::error::kInternalError;
}

SECURITY_ATTRIBUTES InheritableHandle() {
  SECURITY_ATTRIBUTES security{};
  security.nLength = sizeof security;
  security.lpSecurityDescriptor = nullptr;
  security.bInheritHandle = TRUE;
  return security;
}

// Empties an existing disk file, so that every channel starts on an empty file.
int EmptyDiskFile(HANDLE handle) {
  const FileSystemCalls& calls = CurrentFileSystemCalls();
  LONG high = 0;
  auto seek = GuardedSystemCall([&] { return calls.setFilePointer(handle, 0, &high, FILE_BEGIN); });
  if (seek.error != 0) return seek.error;
  auto cut = GuardedSystemCall([&] { return calls.setEndOfFile(handle); });
  return cut.error;
}

// Steps from the creation of the file on; `channel` is linked and still empty.
int OpenFileOnChannel(FileChannel& channel, const CutName& name) {
  const FileSystemCalls& calls = CurrentFileSystemCalls();
  SECURITY_ATTRIBUTES security = InheritableHandle();
  auto created = GuardedSystemCall([&] {
    return calls.createFile(name.units, GENERIC_WRITE, 0, &security, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  });
  // An existing file is opened with "already exists" as the last error: the handle decides.
  if (created.value == INVALID_HANDLE_VALUE) return ErrorOrUnknown(created.error);

  channel.handle = created.value;
  channel.fileType = kDiskFile;
  channel.mode = ChannelMode::kOutput;
  channel.access = kOutputAccess;
  auto type = GuardedSystemCall([&] { return calls.getFileType(channel.handle); });
  if (type.value != FILE_TYPE_DISK) channel.fileType = kOtherFile;

  int error = channel.fileType == kDiskFile ? EmptyDiskFile(channel.handle) : 0;
  if (error == 0) {
    channel.name = runtime::WideString::Copy(name.View());
    if (channel.name.IsEmpty()) error = runtime::error::kOutOfMemory;
  }
  if (error != 0) {
    // The channel is discarded, so nothing would ever close this handle.
    GuardedSystemCall([&] { return calls.closeHandle(channel.handle); });
  }
  return error;
}

int OpenUnderLock(const CutName& name, std::int16_t number) {
  if (number < 0) return runtime::error::kBadFileNameOrNumber;
  if (FindChannel(number) != nullptr) return runtime::error::kFileAlreadyOpen;
  auto* channel = new (std::nothrow) FileChannel;
  if (channel == nullptr) return runtime::error::kOutOfMemory;
  channel->number = number;
  LinkChannel(channel);
  int error = OpenFileOnChannel(*channel, name);
  if (error != 0) {
    UnlinkChannel(channel);
    delete channel;
  }
  return error;
}

// A refused write may still have put part of its bytes on the disk. The file pointer goes
// back to the end of the last whole write, so later writes do not follow a torn fragment and
// the close cuts it off.
void ReturnToLastWholeWrite(const FileChannel& channel) {
  const FileSystemCalls& calls = CurrentFileSystemCalls();
  auto low = static_cast<LONG>(static_cast<DWORD>(channel.position));
  auto high = static_cast<LONG>(channel.position >> 32);
  GuardedSystemCall([&] { return calls.setFilePointer(channel.handle, low, &high, FILE_BEGIN); });
}

int WriteAllBytes(FileChannel& channel, std::string_view bytes) {
  const FileSystemCalls& calls = CurrentFileSystemCalls();
  const auto count = static_cast<DWORD>(bytes.size());
  DWORD written = 0;
  auto wrote = GuardedSystemCall(
      [&] { return calls.writeFile(channel.handle, bytes.data(), count, &written, nullptr); });
  bool disk = channel.fileType == kDiskFile;
  int error = wrote.error;
  if (error == 0 && written < count) {
    error = disk ? runtime::error::kDiskFull : runtime::error::kDeviceIoError;
  }
  if (error != 0 && disk) ReturnToLastWholeWrite(channel);
  if (error == 0 && disk) channel.position += written;
  return error;
}

std::int16_t Following(std::int16_t number) {
  return static_cast<std::int16_t>(number >= kHighestChannelNumber ? 1 : number + 1);
}

}  // namespace

// One full cycle at most: with every number open the search would never end, and it holds the
// file-operation lock while it runs. The list is walked once, not once for every number tried.
int TakeFreeChannelNumber(std::int16_t& number) {
  runtime::BusyWaitGuard guard(fileOperationLock);
  std::bitset<32768> open;
  MarkOpenNumbers(open);
  for (int tried = 0; tried < kHighestChannelNumber; ++tried) {
    lastHandedOut = Following(lastHandedOut);
    if (!open[static_cast<std::size_t>(lastHandedOut)]) {
      number = lastHandedOut;
      return 0;
    }
  }
  number = kNoChannelNumber;
  return runtime::error::kTooManyFiles;
}

int OpenWideChannel(std::u16string_view name, std::int16_t number) {
  const CutName cut(name);
  runtime::BusyWaitGuard guard(fileOperationLock);
  return OpenUnderLock(cut, number);
}

int WriteChannelBytes(std::int16_t number, std::string_view bytes) {
  FileChannel* channel = FindChannel(number);
  if (channel == nullptr) return runtime::error::kBadFileNameOrNumber;
  if (bytes.empty()) return 0;
  if (channel->mode != ChannelMode::kOutput) return runtime::error::kBadFileMode;
  return WriteAllBytes(*channel, bytes);
}

int CloseChannelNumber(std::int16_t number) {
  FileChannel* channel = TakeChannel(number);
  if (channel == nullptr) return 0;
  const FileSystemCalls& calls = CurrentFileSystemCalls();
  int error = 0;
  if (channel->mode == ChannelMode::kOutput && channel->fileType == kDiskFile) {
    error = GuardedSystemCall([&] { return calls.setEndOfFile(channel->handle); }).error;
  }
  std::uint8_t closeError =
      GuardedSystemCall([&] { return calls.closeHandle(channel->handle); }).error;
  if (error == 0) error = closeError;
  delete channel;
  return error;
}

std::int16_t FreeChannelNumber(runtime::ErrorSlot& slot) {
  std::int16_t number = kNoChannelNumber;
  // Raised once the lock is free again; the caller's next step may need it.
  if (int error = TakeFreeChannelNumber(number); error != 0) {
    runtime::RaiseRuntimeError(slot, error, RUNTIME_RETURN_ADDRESS());
  }
  return number;
}

void OpenChannel(runtime::ErrorSlot& slot, const runtime::DynString& fileName,
                 std::int16_t number) {
  int error = 0;
  {
    // The whole name is checked before it is cut: a wildcard past unit 255 still refuses it.
    runtime::WideString wide;
    error = WidenFileName(fileName, wide);
    if (error == 0) error = OpenWideChannel(wide.View(), number);
  }
  if (error != 0) runtime::RaiseRuntimeError(slot, error, RUNTIME_RETURN_ADDRESS());
}

void WriteChannelText(runtime::ErrorSlot& slot, std::int16_t number, runtime::DynString text) {
  int error = WriteChannelBytes(number, text.View());
  text.Free();
  if (error != 0) runtime::RaiseRuntimeError(slot, error, RUNTIME_RETURN_ADDRESS());
}

void CloseChannel(runtime::ErrorSlot& slot, std::int16_t number) {
  int error = CloseChannelNumber(number);
  if (error != 0) runtime::RaiseRuntimeError(slot, error, RUNTIME_RETURN_ADDRESS());
}

const FileChannel* FindOpenChannel(std::int16_t number) {
  return FindChannel(number);
}

}  // namespace fileio
