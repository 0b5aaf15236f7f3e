#include "app/date_picker.h"

#include "platform/window.h"

namespace app {

namespace {

// Message numbers of the date picker and month calendar (commctrl.h).
constexpr UINT kDtmGetSystemTime = 0x1001;
constexpr UINT kDtmSetSystemTime = 0x1002;
constexpr UINT kDtmSetFormatA = 0x1005;
constexpr UINT kDtmGetMonthCal = 0x1008;
constexpr UINT kMcmGetMinReqRect = 0x1009;
constexpr UINT kMcmGetMaxTodayWidth = 0x1015;
constexpr WPARAM kGdtValid = 0;
constexpr int kGwlStyle = -16;
constexpr int kGwlExStyle = -20;
constexpr UINT kSwpNoMoveNoZOrder = 0x0002 | 0x0004;

}  // namespace

SYSTEMTIME ReadPickerDate(HWND picker) {
  SYSTEMTIME date{};
  platform::SendMessageA(picker, kDtmGetSystemTime, 0, reinterpret_cast<LPARAM>(&date));
  return date;
}

void SetPickerDate(HWND picker, const SYSTEMTIME& date) {
  platform::SendMessageA(picker, kDtmSetSystemTime, kGdtValid, reinterpret_cast<LPARAM>(&date));
}

void SetPickerFormat(HWND picker, const char* format) {
  platform::SendMessageA(picker, kDtmSetFormatA, 0, reinterpret_cast<LPARAM>(format));
}

HWND FitDropDownCalendar(HWND picker) {
  // The message answers the calendar's window handle as its result.
  auto calendar = reinterpret_cast<HWND>(  // NOLINT(performance-no-int-to-ptr)
      platform::SendMessageA(picker, kDtmGetMonthCal, 0, 0));
  RECT rect{};
  platform::SendMessageA(calendar, kMcmGetMinReqRect, 0, reinterpret_cast<LPARAM>(&rect));
  // The minimum rectangle can be narrower than the "today" line under it.
  auto todayWidth = static_cast<LONG>(platform::SendMessageA(calendar, kMcmGetMaxTodayWidth, 0, 0));
  if (todayWidth > rect.right) rect.right = todayWidth;
  auto style = static_cast<DWORD>(platform::GetWindowLongPtrW(calendar, kGwlStyle));
  auto extendedStyle = static_cast<DWORD>(platform::GetWindowLongPtrW(calendar, kGwlExStyle));
  platform::AdjustWindowRectEx(&rect, style, FALSE, extendedStyle);
  platform::SetWindowPos(calendar, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                         kSwpNoMoveNoZOrder);
  return calendar;
}

}  // namespace app
