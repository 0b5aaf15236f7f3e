#pragma once
// The calculator under test: started in a working folder, its window found, closed again.

#include <windows.h>

#include <string>

#include "calculator_ids.h"
#include "process_windows.h"

namespace support {

struct Calculator {
  PROCESS_INFORMATION process{};
  HWND window = nullptr;
  double millisecondsToVisible = 0;

  HWND Item(int id) const { return GetDlgItem(window, id); }
  HANDLE Handle() const { return process.hProcess; }
};

// Starts `exe` in `folder` and waits until its window is visible and answers messages.
bool Launch(const std::wstring& exe, const std::wstring& folder, const wchar_t* caption,
            Calculator& calculator);
// Asks the window to close as its close box does; returns the exit code, or -1 on a timeout.
long CloseAndWait(Calculator& calculator);
void Kill(Calculator& calculator);

}  // namespace support
