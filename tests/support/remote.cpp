#include "remote.h"

#include <commctrl.h>

#include <cstdio>

namespace support {

RemoteBuffer::RemoteBuffer(HANDLE process, SIZE_T size)
    : process_(process),
      memory_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}

RemoteBuffer::~RemoteBuffer() {
  if (memory_ != nullptr) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
}

bool RemoteBuffer::Write(const void* bytes, SIZE_T size) {
  SIZE_T done = 0;
  return WriteProcessMemory(process_, memory_, bytes, size, &done) && done == size;
}

bool RemoteBuffer::Read(void* bytes, SIZE_T size) const {
  SIZE_T done = 0;
  return ReadProcessMemory(process_, memory_, bytes, size, &done) && done == size;
}

std::string Narrow(std::wstring_view text) {
  std::string out;
  for (wchar_t c : text) out += c >= 32 && c < 127 ? static_cast<char>(c) : '?';
  return out;
}

void ClickPickerArrow(HWND picker) {
  RECT rect{};
  GetClientRect(picker, &rect);
  const LPARAM arrow = MAKELPARAM(rect.right - 6, rect.bottom / 2);
  PostMessageW(picker, WM_LBUTTONDOWN, MK_LBUTTON, arrow);
  PostMessageW(picker, WM_LBUTTONUP, 0, arrow);
}

HWND DropDownCalendar(HWND picker) {
  ClickPickerArrow(picker);
  HWND calendar = nullptr;
  WaitFor(
      [&] {
        calendar = reinterpret_cast<HWND>(SendMessageW(picker, DTM_GETMONTHCAL, 0, 0));
        return calendar != nullptr && IsWindowVisible(calendar);
      },
      5000);
  return calendar;
}

std::wstring WindowText(HWND window) {
  wchar_t buffer[512] = {};
  SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

std::wstring CurrentFolder() {
  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  return folder;
}

std::wstring FullPath(const wchar_t* path) {
  wchar_t full[MAX_PATH] = {};
  GetFullPathNameW(path, MAX_PATH, full, nullptr);
  return full;
}

SYSTEMTIME PickerDate(HANDLE process, HWND picker) {
  SYSTEMTIME date{};
  RemoteBuffer remote(process, sizeof date);
  remote.Write(&date, sizeof date);
  SendMessageW(picker, DTM_GETSYSTEMTIME, 0, remote.address());
  remote.Read(&date, sizeof date);
  return date;
}

SYSTEMTIME MakeDate(WORD year, WORD month, WORD day) {
  SYSTEMTIME date{};
  date.wYear = year;
  date.wMonth = month;
  date.wDay = day;
  return date;
}

bool SameDate(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay;
}

std::string DateName(const SYSTEMTIME& d) {
  char text[32];
  std::snprintf(text, sizeof text, "%02u/%02u/%04u", d.wDay, d.wMonth, d.wYear);
  return text;
}

bool SetPickerDate(HANDLE process, HWND picker, WORD year, WORD month, WORD day) {
  SYSTEMTIME date = MakeDate(year, month, day);
  date.wHour = 12;
  RemoteBuffer remote(process, sizeof date);
  remote.Write(&date, sizeof date);
  SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, remote.address());
  return SameDate(PickerDate(process, picker), date);
}

}  // namespace support
