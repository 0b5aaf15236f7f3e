#pragma once
// Whether the snapshot file on disk is a whole bitmap of about the expected size.

#include <string>

namespace monkey {

// Empty when `path` holds a whole 24-bit bitmap within a few pixels of width x height (the
// window's rectangle goes through dialog units and back); else what is wrong.
std::string CheckSnapshotFile(const std::wstring& path, long width, long height);

}  // namespace monkey
