#include "fileio/file_channels.h"

#include <algorithm>
#include <new>
#include <string_view>

#include "fileio/file_system_calls.h"
#include "fileio/guarded_system_call.h"
#include "runtime/busy_wait_lock.h"
#include "runtime/wide_string.h"

namespace fileio {
namespace {

constexpr int kErrorNotOpen = 52;
constexpr int kErrorNotOutput = 54;
constexpr int kErrorAlreadyOpen = 55;
constexpr int kErrorShortDeviceWrite = 57;
constexpr int kErrorShortDiskWrite = 61;
constexpr int kErrorBadFileName = 64;
constexpr int kErrorFailedWithoutCode = 51;  // what a raise of number 0 records

constexpr std::int16_t kHighestChannelNumber = 32767;

runtime::BusyWaitLock fileOperationLock;
std::int16_t lastHandedOut = 0;

// The name as the system will see it: the first 255 units, zero-terminated.
struct CutName {
  char16_t units[kMaxChannelNameUnits + 1] = {};
  std::size_t length = 0;

  std::u16string_view View() const { return {units, length}; }
};

// Wildcards are refused; so is a zero unit, which would make the system open a shorter name
// than the one given.
bool IsUsableName(std::u16string_view name) {
  return !name.empty() && name.find_first_of(u"*?") == std::u16string_view::npos &&
         name.find(u'\0') == std::u16string_view::npos;
}

int ErrorOrUnknown(std::uint8_t error) {
  return error != 0 ? error : kErrorFailedWithoutCode;
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
    if (channel.name.IsEmpty()) error = runtime::kErrorOutOfMemory;
  }
  if (error != 0) {
    // The channel is discarded, so nothing would ever close this handle.
    GuardedSystemCall([&] { return calls.closeHandle(channel.handle); });
  }
  return error;
}

int OpenUnderLock(const CutName& name, std::int16_t number) {
  if (!IsUsableName(name.View())) return kErrorBadFileName;
  if (number < 0) return kErrorNotOpen;
  if (FindChannel(number) != nullptr) return kErrorAlreadyOpen;
  auto* channel = new (std::nothrow) FileChannel;
  if (channel == nullptr) return runtime::kErrorOutOfMemory;
  channel->number = number;
  LinkChannel(channel);
  int error = OpenFileOnChannel(*channel, name);
  if (error != 0) {
    UnlinkChannel(channel);
    delete channel;
  }
  return error;
}

}  // namespace

std::int16_t FreeChannelNumber() {
  runtime::BusyWaitGuard guard(fileOperationLock);
  do {
    lastHandedOut =
        static_cast<std::int16_t>(lastHandedOut >= kHighestChannelNumber ? 1 : lastHandedOut + 1);
  } while (FindChannel(lastHandedOut) != nullptr);
  return lastHandedOut;
}

void OpenChannel(runtime::ErrorSlot& slot, const runtime::DynString& fileName,
                 std::int16_t number) {
  int error = 0;
  {
    runtime::WideString wide = runtime::WidenText(fileName.View());
    if (wide.IsEmpty() && !fileName.IsEmpty()) error = runtime::kErrorOutOfMemory;
    CutName name;
    name.length = std::min<std::size_t>(wide.Length(), kMaxChannelNameUnits);
    wide.View().copy(name.units, name.length);
    wide.Free();
    if (error == 0) {
      runtime::BusyWaitGuard guard(fileOperationLock);
      error = OpenUnderLock(name, number);
    }
  }
  if (error != 0) runtime::RaiseRuntimeError(slot, error, RUNTIME_RETURN_ADDRESS());
}

namespace {

// A refused write may still have put part of its bytes on the disk. The file pointer goes
// back to the end of the last whole write, so later writes do not follow a torn fragment and
// the close cuts it off.
void ReturnToLastWholeWrite(const FileChannel& channel) {
  const FileSystemCalls& calls = CurrentFileSystemCalls();
  auto low = static_cast<LONG>(static_cast<DWORD>(channel.position));
  auto high = static_cast<LONG>(channel.position >> 32);
  GuardedSystemCall([&] { return calls.setFilePointer(channel.handle, low, &high, FILE_BEGIN); });
}

int WriteAllBytes(FileChannel& channel, const runtime::DynString& text) {
  const FileSystemCalls& calls = CurrentFileSystemCalls();
  DWORD written = 0;
  auto wrote = GuardedSystemCall([&] {
    return calls.writeFile(channel.handle, text.Text(), text.Length(), &written, nullptr);
  });
  bool disk = channel.fileType == kDiskFile;
  int error = wrote.error;
  if (error == 0 && written < text.Length()) {
    error = disk ? kErrorShortDiskWrite : kErrorShortDeviceWrite;
  }
  if (error != 0 && disk) ReturnToLastWholeWrite(channel);
  if (error == 0 && disk) channel.position += written;
  return error;
}

}  // namespace

void WriteChannelText(runtime::ErrorSlot& slot, std::int16_t number, runtime::DynString text) {
  int error = 0;
  FileChannel* channel = FindChannel(number);
  if (channel == nullptr) {
    error = kErrorNotOpen;
  } else if (text.IsEmpty()) {
    return;
  } else if (channel->mode != ChannelMode::kOutput) {
    error = kErrorNotOutput;
  } else {
    error = WriteAllBytes(*channel, text);
  }
  text.Free();
  if (error != 0) runtime::RaiseRuntimeError(slot, error, RUNTIME_RETURN_ADDRESS());
}

void CloseChannel(runtime::ErrorSlot& slot, std::int16_t number) {
  FileChannel* channel = TakeChannel(number);
  if (channel == nullptr) return;
  const FileSystemCalls& calls = CurrentFileSystemCalls();
  int error = 0;
  if (channel->mode == ChannelMode::kOutput && channel->fileType == kDiskFile) {
    error = GuardedSystemCall([&] { return calls.setEndOfFile(channel->handle); }).error;
  }
  std::uint8_t closeError =
      GuardedSystemCall([&] { return calls.closeHandle(channel->handle); }).error;
  if (error == 0) error = closeError;
  delete channel;
  if (error != 0) runtime::RaiseRuntimeError(slot, error, RUNTIME_RETURN_ADDRESS());
}

const FileChannel* FindOpenChannel(std::int16_t number) {
  return FindChannel(number);
}

}  // namespace fileio
