#pragma once
// Another process's top-level windows, found from outside, and waiting for them without a fixed
// sleep: shared by every test program that runs the calculator or a child as its own process.

#include <windows.h>

#include <vector>

namespace support {

// Waits (polling, never a fixed sleep) until `ready` holds or `milliseconds` pass.
template <typename Ready>
bool WaitFor(Ready ready, DWORD milliseconds = 10000) {
  DWORD start = GetTickCount();
  while (!ready()) {
    if (GetTickCount() - start > milliseconds) return false;
    Sleep(1);
  }
  return true;
}

// Top-level windows of `processId` in the system's order; hidden ones too unless `visibleOnly`.
std::vector<HWND> ProcessWindows(DWORD processId, bool visibleOnly = true);
// Whether `window` has this class (any case) and title; a null one matches anything.
bool WindowIs(HWND window, const wchar_t* className, const wchar_t* title);
// The first visible top-level window of `processId` with this class and title (either may be
// null), or null.
HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title);
int CountVisibleWindows(DWORD processId);

}  // namespace support
