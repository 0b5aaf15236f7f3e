#include "fileio/in_place_rewrite.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "fileio/file_system_calls.h"
#include "fileio/guarded_system_call.h"
#include "runtime/error_numbers.h"

namespace fileio {
namespace {

// What is written past the old end. Never changed; not const, so that it takes no room in the
// program file.
std::array<std::uint8_t, 65536> zeros{};

const FileSystemCalls& Calls() {
  return CurrentFileSystemCalls();
}

int ErrorOf(BOOL succeeded, std::uint8_t error) {
  if (error != 0) return error;
  return succeeded ? 0 : runtime::error::kInternalError;
}

// The low part INVALID_SET_FILE_POINTER is also a valid position: the last error decides.
int Seek(HANDLE file, std::uint64_t offset, DWORD method, std::uint64_t* reached = nullptr) {
  auto high = static_cast<LONG>(offset >> 32);
  const auto low = static_cast<LONG>(static_cast<DWORD>(offset));
  auto moved = GuardedSystemCall([&] { return Calls().setFilePointer(file, low, &high, method); });
  if (moved.error != 0) return moved.error;
  if (reached != nullptr) {
    *reached = static_cast<std::uint64_t>(static_cast<DWORD>(high)) << 32 | moved.value;
  }
  return 0;
}

int WriteAll(HANDLE file, const void* bytes, DWORD count) {
  DWORD written = 0;
  auto wrote =
      GuardedSystemCall([&] { return Calls().writeFile(file, bytes, count, &written, nullptr); });
  if (wrote.error != 0) return wrote.error;
  return written < count ? runtime::error::kDiskFull : 0;
}

int CutAt(HANDLE file, std::uint64_t length) {
  if (int error = Seek(file, length, FILE_BEGIN); error != 0) return error;
  auto cut = GuardedSystemCall([&] { return Calls().setEndOfFile(file); });
  return ErrorOf(cut.value, cut.error);
}

// The bytes past the old end are written, not just declared: a file whose end is moved out
// may be left sparse and promise room the disk does not have. Without the room the file gets
// its old length back, its old contents untouched.
int MakeRoom(HANDLE file, std::uint64_t length) {
  std::uint64_t oldLength = 0;
  if (int error = Seek(file, 0, FILE_END, &oldLength); error != 0) return error;
  int error = 0;
  for (std::uint64_t end = oldLength; end < length && error == 0;) {
    const auto count = static_cast<DWORD>(std::min<std::uint64_t>(length - end, zeros.size()));
    error = WriteAll(file, zeros.data(), count);
    end += count;
  }
  if (error != 0) CutAt(file, oldLength);
  return error;
}

int WriteBlocks(HANDLE file, std::span<const FileBlock> blocks) {
  for (const FileBlock& block : blocks) {
    if (block.empty()) continue;
    if (int error = WriteAll(file, block.data(), static_cast<DWORD>(block.size())); error != 0) {
      return error;
    }
  }
  return 0;
}

// A disk file gets its room first and is cut after; any other kind of file only takes the
// blocks.
int RewriteOpenFile(HANDLE file, std::span<const FileBlock> blocks) {
  auto type = GuardedSystemCall([&] { return Calls().getFileType(file); });
  if (type.value != FILE_TYPE_DISK) return WriteBlocks(file, blocks);
  std::uint64_t length = 0;
  for (const FileBlock& block : blocks) length += block.size();
  if (int error = MakeRoom(file, length); error != 0) return error;
  if (int error = Seek(file, 0, FILE_BEGIN); error != 0) return error;
  if (int error = WriteBlocks(file, blocks); error != 0) return error;
  return CutAt(file, length);
}

}  // namespace

Rewrite RewriteInPlace(const char16_t* name, std::span<const FileBlock> blocks) {
  auto opened = GuardedSystemCall([&] {
    return Calls().createFile(name, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
  });
  if (opened.value == INVALID_HANDLE_VALUE) {
    return {false, opened.error != 0 ? opened.error : runtime::error::kInternalError};
  }
  int error = RewriteOpenFile(opened.value, blocks);
  auto closed = GuardedSystemCall([&] { return Calls().closeHandle(opened.value); });
  if (error == 0) error = ErrorOf(closed.value, closed.error);
  return {error == 0, error};
}

}  // namespace fileio
