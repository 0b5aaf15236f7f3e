#pragma once
// The one step that changes what a name holds: a fresh file takes the name of the file it
// replaces. A target another program holds open is waited for; one that may not be replaced at
// all is told apart from it, so the caller can write it in place instead.

#include <array>
#include <cstddef>

#include "platform/win_types.h"

namespace fileio {

// Waited before each further try of a rename onto a file another program holds: the brief
// delays of any refusal, then 15 ms at a time up to about half a second in all, as scanners,
// thumbnailers and viewers hold a fresh picture for tens to hundreds of milliseconds.
inline constexpr std::size_t kHeldTries = 33;
inline constexpr std::array<unsigned, kHeldTries> kHeldRetryDelays = [] {
  std::array<unsigned, kHeldTries> delays = {0, 1, 10, 20, 40};
  for (std::size_t i = 5; i < kHeldTries; ++i) delays[i] = 15;
  return delays;
}();

struct Renamed {
  bool done = false;
  // The target may be written but not replaced: no one holds it, and the rename is refused all
  // the same (no right to delete it, or a folder that lets only a file's owner rename it).
  bool forbidden = false;
  int error = 0;  // run-time error, when not done
};

// Renames `fresh` to `target`, replacing it: by handle with POSIX semantics where the system
// offers them, so readers that share delete keep reading the old picture and stand in no one's
// way; else with MoveFileExW. A refusal is told apart by opening the target for delete, sharing
// nothing: a sharing violation means another program holds it (the rename is tried again over
// kHeldRetryDelays, then given up: 70), access denied that it may not be replaced; an open that
// succeeds twice around a refused rename means nothing holds it and the rename is refused all
// the same (where the system, as Wine does, grants the open whatever the folder allows).
Renamed RenameReplacing(const char16_t* fresh, const char16_t* target);

}  // namespace fileio
