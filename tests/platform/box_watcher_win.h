#pragma once
// Finds a real message box by its title from a second thread, reads it and presses OK, with
// a bounded wait: the box under test blocks the thread that showed it.

#include <windows.h>

#include <string>
#include <thread>

#include "support/process_windows.h"

namespace box_watcher {

struct Observed {
  bool found = false;
  std::wstring text;
  bool hasOkButton = false;
  bool hasCancelButton = false;
  int buttons = 0;
  HWND owner = nullptr;
};

inline BOOL CALLBACK CountButton(HWND child, LPARAM counter) {
  wchar_t className[32] = {};
  GetClassNameW(child, className, 32);
  if (lstrcmpiW(className, L"Button") == 0 && IsWindowVisible(child)) {
    ++*reinterpret_cast<int*>(counter);
  }
  return TRUE;
}

// Waits up to ten seconds for a dialog titled `title`, records what it shows and closes it.
inline void ReadAndClose(const std::wstring& title, Observed& observed) {
  HWND box = nullptr;
  const bool shown = support::WaitFor([&] {
    box = FindWindowW(L"#32770", title.c_str());
    return box != nullptr && IsWindowVisible(box);
  });
  if (!shown) return;
  observed.found = true;
  wchar_t text[256] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 256);  // the message text of a box
  observed.text = text;
  observed.hasOkButton = GetDlgItem(box, IDOK) != nullptr;
  observed.hasCancelButton = GetDlgItem(box, IDCANCEL) != nullptr;
  EnumChildWindows(box, CountButton, reinterpret_cast<LPARAM>(&observed.buttons));
  observed.owner = GetWindow(box, GW_OWNER);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// Runs `show` on this thread while a watcher reads and closes the box titled `title`.
template <typename Show>
Observed WatchWhile(const std::wstring& title, Show show) {
  Observed observed;
  std::thread watcher(ReadAndClose, title, std::ref(observed));
  show();
  watcher.join();
  return observed;
}

}  // namespace box_watcher
