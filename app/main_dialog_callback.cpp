#include "app/main_dialog_callback.h"

#include "app/date_picker.h"
#include "app/day_offset.h"
#include "app/main_window.h"
#include "app/main_window_layout.h"
#include "app/save_window_snapshot.h"
#include "datecalc/calendar_interval.h"
#include "datecalc/day_count.h"
#include "datecalc/result_text.h"
#include "dialogs/control.h"
#include "platform/win_messages.h"
#include "platform/window.h"
#include "runtime/number_text/text_to_number.h"
#include "runtime/wide_string.h"

namespace app {

namespace {

HWND Control(std::int32_t id) {
  return dialogs::ControlHandle(MainDialog, id);
}

SYSTEMTIME BaseDate() {
  return ReadPickerDate(Control(control_id::kBaseDatePicker));
}

SYSTEMTIME FinalDate() {
  return ReadPickerDate(Control(control_id::kFinalDatePicker));
}

// "Tiempo total": years, months and days from the base date to the final date.
void OnTotalTime() {
  SYSTEMTIME base = BaseDate();
  SYSTEMTIME final = FinalDate();
  runtime::DynString text = datecalc::CalendarInterval(base.wYear, final.wYear, base.wMonth,
                                                       final.wMonth, base.wDay, final.wDay);
  dialogs::ControlSetText(Control(control_id::kTotalTimeText), text);
}

// "Hay": whole days between the two dates, whichever is later.
void OnTotalDays() {
  SYSTEMTIME base = BaseDate();
  SYSTEMTIME final = FinalDate();
  runtime::DynString text = datecalc::FormatDayCount(datecalc::DayCount(base, final));
  dialogs::ControlSetText(Control(control_id::kTotalDaysEdit), text);
}

// Any command of the number-of-days box (typing, focus in or out) moves the final date to the
// base date plus the number typed. A number no date move can reach leaves it at the base date.
void OnDayCountBox() {
  runtime::WideString typed = dialogs::ControlGetText(Control(control_id::kDayCountEdit));
  SYSTEMTIME date = BaseDate();
  long double value = runtime::TextToNumber(runtime::NarrowText(typed.View()), 1).value;
  if (auto days = DayOffsetFromValue(value)) datecalc::AddDays(date, *days);
  SetPickerDate(Control(control_id::kFinalDatePicker), date);
}

void OnSnapshot() {
  SaveWindowSnapshot(MainDialog, runtime::DynString::Copy(kSnapshotFileName));
}

void OnCommand(WPARAM wParam) {
  // The notification code is not examined: every command of a control counts.
  switch (static_cast<std::int32_t>(LOWORD(wParam))) {
    case control_id::kTotalTimeButton:
      OnTotalTime();
      break;
    case control_id::kSnapshotCommand:
      OnSnapshot();
      break;
    case control_id::kTotalDaysButton:
      OnTotalDays();
      break;
    case control_id::kDayCountEdit:
      OnDayCountBox();
      break;
    default:
      break;
  }
}

// Results change only through the buttons and the box, so a date change is left alone.
void OnNotify(LPARAM lParam) {
  // WM_NOTIFY carries the address of the notification header in lParam.
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);  // NOLINT(performance-no-int-to-ptr)
  if (header == nullptr) return;
  auto sender = static_cast<std::int32_t>(header->idFrom);
  if (sender != control_id::kBaseDatePicker && sender != control_id::kFinalDatePicker) return;
  // A date change (DTN_DATETIMECHANGE) and every other notification are left alone.
  if (header->code == DTN_DROPDOWN) {
    FitDropDownCalendar(header->hwndFrom);
  }
}

}  // namespace

INT_PTR MainDialogCallback(dialogs::CallbackContext context) {
  switch (context.message) {
    case WM_INITDIALOG:
      break;  // the window is complete before it is shown
    case WM_COMMAND:
      OnCommand(context.wParam);
      break;
    case WM_NOTIFY:
      OnNotify(context.lParam);
      break;
    default:
      break;
  }
  return 0;
}

}  // namespace app
