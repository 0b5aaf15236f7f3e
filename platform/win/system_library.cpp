#include "platform/win/system_library.h"

#include <cwchar>

#include "platform/startup.h"
#include "platform/win/call.h"

namespace platform {
namespace {

using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD);

// SetDefaultDllDirectories came with the LOAD_LIBRARY_SEARCH_* flags (Windows 8, and Windows 7
// with its 2011 loader update); where it is missing, LoadLibraryExW refuses the flags with
// ERROR_INVALID_PARAMETER. Looked up, so that the program still starts without it.
SetDefaultDllDirectoriesCall FindSetDefaultDllDirectories() {
  HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  if (kernel == nullptr) return nullptr;
  // Through the plain function-pointer type, which any other converts to and from.
  return reinterpret_cast<SetDefaultDllDirectoriesCall>(
      reinterpret_cast<void (*)()>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
}

// The system folder and `name` in `path`; false when they do not fit.
bool SystemFolderPath(const wchar_t* name, wchar_t (&path)[MAX_PATH]) {
  const UINT folder = ::GetSystemDirectoryW(path, MAX_PATH);
  const std::size_t length = std::wcslen(name);
  if (folder == 0 || folder + 1 + length >= MAX_PATH) return false;
  path[folder] = L'\\';
  std::wmemcpy(path + folder + 1, name, length + 1);
  return true;
}

}  // namespace

// From here on a load by name, the program's or a system DLL's on its behalf, looks in the
// system folder only: never in the program's folder (a Downloads folder, an unpacked zip), the
// current folder or PATH, where anyone may have put a DLL of the same name.
void RestrictDllSearchToSystem() {
  const SetDefaultDllDirectoriesCall restrict = FindSetDefaultDllDirectories();
  if (restrict != nullptr) restrict(LOAD_LIBRARY_SEARCH_SYSTEM32);
  AfterCall();
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
  if (FindSetDefaultDllDirectories() == nullptr) return LoadSystemLibraryByPath(name);
  return AfterCall(::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
}

// A full path loads that very file; the altered search looks for its own imports beside it.
HMODULE LoadSystemLibraryByPath(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  if (!SystemFolderPath(name, path)) return nullptr;
  return AfterCall(::LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

}  // namespace platform
