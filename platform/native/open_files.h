#pragma once
// The native stand-in's record of the files its handles hold open, with the access each handle
// took and what it lets others do, so that an open, a rename or a delete is answered within the
// process as Windows answers it: a sharing violation against a handle that does not share, access
// denied for a rename onto a file that is open at all, and a deleted file that keeps its name
// until its last handle closes.

#include <string>

#include "platform/files.h"

namespace platform::posix {

// 0 when a handle on `descriptor` asking `access` and sharing `share` may join the handles that
// hold its file; else ERROR_SHARING_VIOLATION, or ERROR_ACCESS_DENIED for a file being deleted.
// Joined, it is counted until Forget.
DWORD Admit(int descriptor, DWORD access, DWORD share);

// The handle on `descriptor` is closing. When it was the last of a file being deleted, the name
// the file had when it was deleted, to be removed now; else empty.
std::string Forget(int descriptor);

// The access the handle on `descriptor` was opened with; 0 for one not counted.
DWORD AccessOf(int descriptor);

enum class Holders { kNone, kAllShareDelete, kSomeDenyDelete };

// Who holds the file `path` names (following links, as an open would).
Holders HoldersOf(const std::string& path);

// True when `path` names a file deleted while held: it keeps its name, and opens are refused.
bool IsDeletePending(const std::string& path);

// Marks the held file `path` as deleted, to be removed when its last handle closes.
void MarkDeletePending(const std::string& path);

}  // namespace platform::posix
