#include "real_window.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "../e2e/remote.h"
#include "civil_days.h"

namespace monkey {

namespace {

// One record's room in the calculator for the whole run: thousands of reads and writes.
e2e::RemoteBuffer& Scratch(const e2e::Calculator& c) {
  static HANDLE owner = nullptr;
  static std::unique_ptr<e2e::RemoteBuffer> buffer;
  if (owner != c.Handle() || buffer == nullptr) {
    buffer = std::make_unique<e2e::RemoteBuffer>(c.Handle(), sizeof(SYSTEMTIME));
    owner = c.Handle();
  }
  return *buffer;
}

}  // namespace

Moment ReadPicker(const e2e::Calculator& c, int id) {
  SYSTEMTIME date{};
  e2e::RemoteBuffer& remote = Scratch(c);
  remote.Write(&date, sizeof date);
  SendMessageW(c.Item(id), DTM_GETSYSTEMTIME, 0, remote.address());
  remote.Read(&date, sizeof date);
  Moment moment;
  if (date.wMonth >= 1 && date.wMonth <= 12) {
    moment.day = DaysFromCivil(date.wYear, date.wMonth, date.wDay);
  }
  moment.hour = date.wHour;
  moment.minute = date.wMinute;
  moment.second = date.wSecond;
  return moment;
}

void WritePicker(const e2e::Calculator& c, int id, const Moment& moment) {
  const Civil civil = CivilFromDays(moment.day);
  SYSTEMTIME date{};
  date.wYear = static_cast<WORD>(civil.year);
  date.wMonth = static_cast<WORD>(civil.month);
  date.wDay = static_cast<WORD>(civil.day);
  date.wHour = static_cast<WORD>(moment.hour);
  date.wMinute = static_cast<WORD>(moment.minute);
  date.wSecond = static_cast<WORD>(moment.second);
  e2e::RemoteBuffer& remote = Scratch(c);
  remote.Write(&date, sizeof date);
  SendMessageW(c.Item(id), DTM_SETSYSTEMTIME, GDT_VALID, remote.address());
}

std::wstring Text(const e2e::Calculator& c, int id) {
  return e2e::WindowText(c.Item(id));
}

void SetText(const e2e::Calculator& c, int id, const std::wstring& text) {
  SendMessageW(c.Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

namespace {

struct Search {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectVisible(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsWindowVisible(window)) search->found.push_back(window);
  return TRUE;
}

std::vector<HWND> VisibleWindows(DWORD processId) {
  Search search{processId, {}};
  EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool IsDateOrderBox(HWND window) {
  wchar_t text[64] = {};
  GetClassNameW(window, text, 64);
  if (lstrcmpW(text, L"#32770") != 0) return false;
  GetWindowTextW(window, text, 64);
  return lstrcmpW(text, L"Programador") == 0;
}

}  // namespace

std::vector<HWND> DateOrderBoxes(const e2e::Calculator& c) {
  std::vector<HWND> boxes;
  for (HWND window : VisibleWindows(c.process.dwProcessId)) {
    if (IsDateOrderBox(window)) boxes.push_back(window);
  }
  return boxes;
}

int StrangeWindows(const e2e::Calculator& c, const std::vector<HWND>& boxes) {
  int strange = 0;
  for (HWND window : VisibleWindows(c.process.dwProcessId)) {
    if (window == c.window || std::find(boxes.begin(), boxes.end(), window) != boxes.end()) {
      continue;
    }
    // A picker's drop-down calendar is a top-level pop-up of the process while it is open.
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (lstrcmpW(name, L"SysMonthCal32") == 0) continue;
    ++strange;
  }
  return strange;
}

}  // namespace monkey
