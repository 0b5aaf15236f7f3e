#pragma once
// A file's contents rewritten where it is, for a file that may be written but not replaced:
// the same file, with its name, links, attributes and security, takes the new contents.

#include <span>

#include "fileio/file_replacement.h"

namespace fileio {

struct Rewrite {
  bool written = false;  // the file holds exactly the blocks
  int error = 0;         // the first failure; no step follows it but putting the old back
};

// Opens the existing `name` without emptying it and without sharing, keeps the old bytes the
// blocks will cover, writes the part of the blocks that lies past the old end first, then the
// rest from the start, and cuts the file to their length. After a failed write or cut the old
// bytes and the old length are put back. A device or pipe only takes the blocks; a file of no
// known kind is refused (75).
Rewrite RewriteInPlace(const char16_t* name, std::span<const FileBlock> blocks);

}  // namespace fileio
