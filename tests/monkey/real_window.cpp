#include "real_window.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "support/remote.h"

namespace monkey {

namespace {

// One record's room in the calculator for the whole run: thousands of reads and writes.
support::RemoteBuffer& Scratch(const support::Calculator& c) {
  static HANDLE owner = nullptr;
  static std::unique_ptr<support::RemoteBuffer> buffer;
  if (owner != c.Handle() || buffer == nullptr) {
    buffer = std::make_unique<support::RemoteBuffer>(c.Handle(), sizeof(SYSTEMTIME));
    owner = c.Handle();
  }
  return *buffer;
}

}  // namespace

Moment ReadPicker(const support::Calculator& c, int id) {
  SYSTEMTIME date{};
  support::RemoteBuffer& remote = Scratch(c);
  remote.Write(&date, sizeof date);
  SendMessageW(c.Item(id), DTM_GETSYSTEMTIME, 0, remote.address());
  remote.Read(&date, sizeof date);
  Moment moment;
  if (date.wMonth >= 1 && date.wMonth <= 12) {
    moment.day = civil_model::DaysFrom1601(civil_model::DateOf(date));
  }
  moment.hour = date.wHour;
  moment.minute = date.wMinute;
  moment.second = date.wSecond;
  return moment;
}

void WritePicker(const support::Calculator& c, int id, const Moment& moment) {
  const civil_model::Date civil = civil_model::DateFromDays(moment.day);
  SYSTEMTIME date{};
  date.wYear = static_cast<WORD>(civil.year);
  date.wMonth = static_cast<WORD>(civil.month);
  date.wDay = static_cast<WORD>(civil.day);
  date.wHour = static_cast<WORD>(moment.hour);
  date.wMinute = static_cast<WORD>(moment.minute);
  date.wSecond = static_cast<WORD>(moment.second);
  support::RemoteBuffer& remote = Scratch(c);
  remote.Write(&date, sizeof date);
  SendMessageW(c.Item(id), DTM_SETSYSTEMTIME, GDT_VALID, remote.address());
}

std::wstring Text(const support::Calculator& c, int id) {
  return support::WindowText(c.Item(id));
}

void SetText(const support::Calculator& c, int id, const std::wstring& text) {
  SendMessageW(c.Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::vector<HWND> DateOrderBoxes(const support::Calculator& c) {
  std::vector<HWND> boxes;
  for (HWND window : support::ProcessWindows(c.process.dwProcessId)) {
    if (support::WindowIs(window, L"#32770", kDateOrderTitle)) boxes.push_back(window);
  }
  return boxes;
}

int StrangeWindows(const support::Calculator& c, const std::vector<HWND>& boxes) {
  int strange = 0;
  for (HWND window : support::ProcessWindows(c.process.dwProcessId)) {
    if (window == c.window || std::find(boxes.begin(), boxes.end(), window) != boxes.end()) {
      continue;
    }
    // A picker's drop-down calendar is a top-level pop-up of the process while it is open.
    if (support::WindowIs(window, L"SysMonthCal32", nullptr)) continue;
    ++strange;
  }
  return strange;
}

}  // namespace monkey
