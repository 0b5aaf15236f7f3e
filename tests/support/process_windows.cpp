#include "process_windows.h"

namespace support {

namespace {

struct Search {
  DWORD processId;
  bool visibleOnly;
  std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && (!search->visibleOnly || IsWindowVisible(window))) {
    search->found.push_back(window);
  }
  return TRUE;
}

}  // namespace

std::vector<HWND> ProcessWindows(DWORD processId, bool visibleOnly) {
  Search search{processId, visibleOnly, {}};
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool WindowIs(HWND window, const wchar_t* className, const wchar_t* title) {
  wchar_t text[256] = {};
  if (className != nullptr) {
    GetClassNameW(window, text, 256);
    if (lstrcmpiW(text, className) != 0) return false;
  }
  if (title != nullptr) {
    GetWindowTextW(window, text, 256);
    if (lstrcmpW(text, title) != 0) return false;
  }
  return true;
}

HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title) {
  for (HWND window : ProcessWindows(processId)) {
    if (WindowIs(window, className, title)) return window;
  }
  return nullptr;
}

int CountVisibleWindows(DWORD processId) {
  return static_cast<int>(ProcessWindows(processId).size());
}

}  // namespace support
