#pragma once
// The calculator's dealings with its date pickers, by the common controls' messages.

#include "platform/win_types.h"

namespace app {

// The picker's date and time; a picker that answers nothing leaves the record all zero.
SYSTEMTIME ReadPickerDate(HWND picker);
void SetPickerDate(HWND picker, const SYSTEMTIME& date);
// `format` is zero-terminated 8-bit text in the pickers' format language.
void SetPickerFormat(HWND picker, const char* format);
// Sizes the picker's month calendar, about to drop down, to show a whole month and its today
// line. Returns the calendar's window.
HWND FitDropDownCalendar(HWND picker);

}  // namespace app
