#pragma once
// A file's contents rewritten where it is, for a file that may be written but not replaced:
// the same file, with its name, links, attributes and security, takes the new contents.

#include <span>

#include "fileio/file_replacement.h"

namespace fileio {

struct Rewrite {
  bool written = false;  // the file holds exactly the blocks
  int error = 0;         // the first failure; no step follows it
};

// Opens the existing `name` without emptying it, makes it as long as the blocks together
// (given back its old length if the room cannot be had), writes the blocks from its start, one
// write each, and cuts it to their length.
Rewrite RewriteInPlace(const char16_t* name, std::span<const FileBlock> blocks);

}  // namespace fileio
