#include "fileio/file_contents.h"

#include <algorithm>

#include "fileio/file_system_calls.h"
#include "fileio/guarded_system_call.h"
#include "runtime/error_numbers.h"

namespace fileio {

int WriteAll(HANDLE file, const std::uint8_t* bytes, std::uint64_t count) {
  DWORD written = 0;
  const auto asked = static_cast<DWORD>(count);
  const FileSystemCalls& calls = CurrentFileSystemCalls();
  auto wrote =
      GuardedSystemCall([&] { return calls.writeFile(file, bytes, asked, &written, nullptr); });
  if (int error = ErrorOf(wrote); error != 0) return error;
  return written < asked ? runtime::error::kDiskFull : 0;
}

std::uint64_t Contents::Length() const {
  std::uint64_t length = 0;
  for (const FileBlock& block : blocks_) length += block.size();
  return length;
}

int Contents::Write(HANDLE file, std::uint64_t begin, std::uint64_t end) const {
  std::uint64_t start = 0;  // of the block in the contents
  for (const FileBlock& block : blocks_) {
    const std::uint64_t from = std::max(begin, start);
    const std::uint64_t to = std::min<std::uint64_t>(end, start + block.size());
    if (from < to) {
      if (int error = WriteAll(file, block.data() + (from - start), to - from); error != 0) {
        return error;
      }
    }
    start += block.size();
  }
  return 0;
}

}  // namespace fileio
