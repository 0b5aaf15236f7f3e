#include "app/date_picker.h"

#include "platform/win_messages.h"
#include "platform/window.h"

namespace app {

SYSTEMTIME ReadPickerDate(HWND picker) {
  SYSTEMTIME date{};
  platform::SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date));
  return date;
}

void SetPickerDate(HWND picker, const SYSTEMTIME& date) {
  platform::SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date));
}

void SetPickerFormat(HWND picker, const char* format) {
  platform::SendMessageA(picker, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>(format));
}

HWND FitDropDownCalendar(HWND picker) {
  // The message answers the calendar's window handle as its result.
  auto calendar = reinterpret_cast<HWND>(  // NOLINT(performance-no-int-to-ptr)
      platform::SendMessageA(picker, DTM_GETMONTHCAL, 0, 0));
  RECT rect{};
  platform::SendMessageA(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&rect));
  // The minimum rectangle can be narrower than the "today" line under it.
  auto todayWidth = static_cast<LONG>(platform::SendMessageA(calendar, MCM_GETMAXTODAYWIDTH, 0, 0));
  if (todayWidth > rect.right) rect.right = todayWidth;
  auto style = static_cast<DWORD>(platform::GetWindowLongPtrW(calendar, GWL_STYLE));
  auto extendedStyle = static_cast<DWORD>(platform::GetWindowLongPtrW(calendar, GWL_EXSTYLE));
  platform::AdjustWindowRectEx(&rect, style, FALSE, extendedStyle);
  platform::SetWindowPos(calendar, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                         SWP_NOMOVE | SWP_NOZORDER);
  return calendar;
}

}  // namespace app
