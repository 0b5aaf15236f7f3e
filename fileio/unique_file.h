#pragma once
// A file of a fresh name beside another, created for one operation only: no file that was
// there before is opened, emptied or taken over, whatever its name.

#include "platform/win_types.h"
#include "runtime/wide_string.h"

namespace fileio {

struct UniqueFile {
  runtime::WideString name;
  HANDLE handle = nullptr;  // open for writing and deleting, unshared
  // After a failure: the system refused the longer name itself, not this folder's files
  // (a name past the path limit where `name` still fits).
  bool nameRefused = false;
};

// Creates `<name>.<number>.tmp` with CREATE_NEW and the right to delete it, the numbers starting
// at a value of this process's own and spread apart, trying further numbers while a name is taken,
// also by a file that is being deleted and still holds its name, and trying a free name again
// while it is refused for a moment. 0, or the error of the first lasting refusal that is not a
// taken name (70 where the folder lets no file be created; `nameRefused` where the name itself
// cannot be made); 7 without memory for the name; 70 when every name tried was refused both at
// its creation and at the look that would tell it is being deleted (a folder that refuses even
// that look takes no new file); 75 when every name tried was taken. A folder that takes new files
// but refuses their deletion refuses the creation too (70).
int CreateUniqueFileBeside(const runtime::WideString& name, UniqueFile& file);

}  // namespace fileio
