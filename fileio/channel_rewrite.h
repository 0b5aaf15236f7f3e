#pragma once
// A file's contents rewritten through a file channel: the file is emptied on opening and the
// blocks follow one write each, as every channel writes.

#include <span>
#include <string_view>

#include "fileio/file_replacement.h"

namespace fileio {

struct Rewrite {
  bool written = false;  // the file holds exactly the blocks
  int error = 0;         // the first failure; later steps are still tried, as on any channel
};

// `name` must fit a channel (255 units); a longer one is refused with 64.
Rewrite RewriteThroughChannel(std::u16string_view name, std::span<const FileBlock> blocks);

}  // namespace fileio
