#include "fileio/in_place_rewrite.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>

#include "fileio/file_contents.h"
#include "fileio/file_system_calls.h"
#include "fileio/guarded_system_call.h"
#include "runtime/error_numbers.h"

namespace fileio {
namespace {

const FileSystemCalls& Calls() {
  return CurrentFileSystemCalls();
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

int CutAt(HANDLE file, std::uint64_t length) {
  if (int error = Seek(file, length, FILE_BEGIN); error != 0) return error;
  auto cut = GuardedSystemCall([&] { return Calls().setEndOfFile(file); });
  return ErrorOf(cut);
}

// The old bytes the new contents cover, read before any is overwritten.
struct OldBytes {
  std::unique_ptr<std::uint8_t[]> bytes;
  std::uint64_t count = 0;
  std::uint64_t length = 0;  // of the whole old file
};

int Keep(HANDLE file, std::uint64_t count, OldBytes& old) {
  if (count > 0xFFFFFFFF) return runtime::error::kOutOfMemory;  // one read takes 32 bits
  old.count = count;
  old.bytes.reset(new (std::nothrow) std::uint8_t[count]);
  if (old.bytes == nullptr) return runtime::error::kOutOfMemory;
  if (int error = Seek(file, 0, FILE_BEGIN); error != 0) return error;
  DWORD got = 0;
  const auto asked = static_cast<DWORD>(count);
  auto read = GuardedSystemCall(
      [&] { return Calls().readFile(file, old.bytes.get(), asked, &got, nullptr); });
  if (int error = ErrorOf(read); error != 0) return error;
  return got == asked ? 0 : runtime::error::kInputPastEndOfFile;
}

// The old picture back after `failure`: its bytes, then its length. The failure, or the error
// that kept the old picture from coming back.
int PutBack(HANDLE file, const OldBytes& old, int failure) {
  int error = Seek(file, 0, FILE_BEGIN);
  if (error == 0) error = WriteAll(file, old.bytes.get(), old.count);
  if (error == 0) error = CutAt(file, old.length);
  return error != 0 ? error : failure;
}

// The part past the old end goes first: on storage that reserves nothing for a file's length
// (compressed, deduplicated, copy-on-write) only real bytes find a full disk, and these are
// written while the old picture is still whole. Then the rest over the old bytes, then the cut,
// then the flush: a write the system could not complete on the medium is still found while the
// old bytes can be put back.
int RewriteDiskFile(HANDLE file, const Contents& contents) {
  OldBytes old;
  if (int error = Seek(file, 0, FILE_END, &old.length); error != 0) return error;
  const std::uint64_t length = contents.Length();
  const std::uint64_t covered = std::min(old.length, length);
  if (int error = Keep(file, covered, old); error != 0) return error;
  if (length > old.length) {
    int error = Seek(file, old.length, FILE_BEGIN);
    if (error == 0) error = contents.Write(file, old.length, length);
    if (error != 0) return PutBack(file, old, error);
  }
  int error = Seek(file, 0, FILE_BEGIN);
  if (error == 0) error = contents.Write(file, 0, covered);
  if (error == 0 && length < old.length) error = CutAt(file, length);
  if (error == 0) {
    auto flushed = GuardedSystemCall([&] { return Calls().flushFileBuffers(file); });
    error = ErrorOf(flushed);
  }
  return error != 0 ? PutBack(file, old, error) : 0;
}

// A disk file is rewritten with its old picture kept; a device or a pipe only takes the blocks.
// A file of no known kind is not written: no cut could follow the write.
int RewriteOpenFile(HANDLE file, std::span<const FileBlock> blocks) {
  const Contents contents(blocks);
  auto type = GuardedSystemCall([&] { return Calls().getFileType(file); });
  if (type.error != 0) return type.error;
  switch (type.value) {
    case FILE_TYPE_DISK:
      return RewriteDiskFile(file, contents);
    case FILE_TYPE_CHAR:
    case FILE_TYPE_PIPE:
      return contents.WriteWhole(file);
    default:
      return runtime::error::kPathFileAccessError;
  }
}

}  // namespace

Rewrite RewriteInPlace(const char16_t* name, std::span<const FileBlock> blocks) {
  // Unshared: no one reads a half-written picture, and a file another program holds is refused.
  auto opened = GuardedSystemCall([&] {
    return Calls().createFile(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  });
  if (!Succeeded(opened.value)) return {false, ErrorOf(opened)};
  const int error = RewriteOpenFile(opened.value, blocks);
  // The contents are on the medium by now, or the old ones back: a close that reports a failure
  // changes neither, and the answer stays what the file holds.
  GuardedSystemCall([&] { return Calls().closeHandle(opened.value); });
  return {error == 0, error};
}

}  // namespace fileio
