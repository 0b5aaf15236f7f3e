#pragma once
// The system's own DLLs that the program loads while it runs, from the system folder only.

#include <windows.h>

namespace platform {

// Loads the system DLL `name` ("dwmapi.dll") from the system folder, never from the program's
// folder or the current one; null when it is not there.
HMODULE LoadSystemLibrary(const wchar_t* name);
// The same by the file's full path: what LoadSystemLibrary does where the system lacks the
// search flags (Windows 7 without its 2011 loader update).
HMODULE LoadSystemLibraryByPath(const wchar_t* name);

}  // namespace platform
