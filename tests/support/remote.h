#pragma once
// Working another process's window as a user's actions would reach it: messages that carry
// records get them through memory allocated in that process.

#include <windows.h>

#include <string>
#include <string_view>

#include "process_windows.h"

namespace support {

// A few bytes in the target process, for messages whose lParam points at a record.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, SIZE_T size);
  ~RemoteBuffer();
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  LPARAM address() const { return reinterpret_cast<LPARAM>(memory_); }
  bool Write(const void* bytes, SIZE_T size);
  bool Read(void* bytes, SIZE_T size) const;

 private:
  HANDLE process_;
  void* memory_;
};

// WM_GETTEXT: it crosses processes, GetWindowText of a foreign control does not.
std::wstring WindowText(HWND window);
// Printable ASCII as it is, anything else as '?': for messages.
std::string Narrow(std::wstring_view text);
std::wstring CurrentFolder();
std::wstring FullPath(const wchar_t* path);
SYSTEMTIME PickerDate(HANDLE process, HWND picker);
// Clicks the picker's drop-down arrow, as the mouse would.
void ClickPickerArrow(HWND picker);
// Clicks the arrow and waits up to 5 s for the picker's calendar to show; returns the calendar
// the picker names by then (null when none), shown or not.
HWND DropDownCalendar(HWND picker);
// Sets the picker's date and reads it back: Wine answers TRUE for dates it refuses.
bool SetPickerDate(HANDLE process, HWND picker, WORD year, WORD month, WORD day);
bool SameDate(const SYSTEMTIME& a, const SYSTEMTIME& b);
// "dd/MM/yyyy", for messages.
std::string DateName(const SYSTEMTIME& date);
SYSTEMTIME MakeDate(WORD year, WORD month, WORD day);

}  // namespace support
