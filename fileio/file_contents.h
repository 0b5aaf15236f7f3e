#pragma once
// A file's new contents, given as blocks, written to an open file: one write per block, or per
// part of a block when only a stretch of the contents is written.

#include <cstdint>
#include <span>

#include "fileio/file_replacement.h"
#include "platform/win_types.h"

namespace fileio {

// Writes `count` bytes at the file's position in one call: 0, the write's run-time error, or
// 61 when fewer bytes were taken.
int WriteAll(HANDLE file, const std::uint8_t* bytes, std::uint64_t count);

class Contents {
 public:
  explicit Contents(std::span<const FileBlock> blocks) : blocks_(blocks) {}

  std::uint64_t Length() const;
  // Writes the bytes of the contents from `begin` up to `end` at the file's position.
  int Write(HANDLE file, std::uint64_t begin, std::uint64_t end) const;
  int WriteWhole(HANDLE file) const { return Write(file, 0, Length()); }

 private:
  std::span<const FileBlock> blocks_;
};

}  // namespace fileio
