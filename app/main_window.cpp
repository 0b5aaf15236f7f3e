#include "app/main_window.h"

#include <cstring>

#include "app/date_picker.h"
#include "app/main_dialog_callback.h"
#include "app/main_window_colours.h"
#include "app/main_window_layout.h"
#include "dialogs/control.h"
#include "dialogs/dialog.h"
#include "dialogs/modal.h"
#include "platform/startup.h"
#include "platform/win_messages.h"

namespace app {

HWND MainDialog = nullptr;

namespace {

constexpr DWORD kCommonControlClasses = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_DATE_CLASSES;

void AddControl(const ControlRow& row) {
  auto text = runtime::DynString::Copy(row.text);
  auto className = runtime::DynString::Copy(row.className);
  dialogs::ControlAdd(MainDialog, row.id, text, {}, row.x, row.y, row.width, row.height, row.style,
                      row.extendedStyle, nullptr, row.kind, className);
}

// The pickers' format goes through a fixed 8-bit buffer, as the ANSI message wants it.
void SetDayMonthYearFormat(std::int32_t pickerId) {
  char format[128] = {};
  static_assert(kPickerFormat.size() < sizeof format);
  std::memcpy(format, kPickerFormat.data(), kPickerFormat.size());
  SetPickerFormat(dialogs::ControlHandle(MainDialog, pickerId), format);
}

}  // namespace

HWND BuildMainWindow() {
  platform::InitCommonControlsEx(kCommonControlClasses);
  MainDialog = dialogs::DialogNew(dialogs::kDialogUnits, nullptr,
                                  runtime::DynString::Copy(kMainCaption), dialogs::kCentred,
                                  dialogs::kCentred, kMainWidth, kMainHeight, kMainStyle, 0);
  dialogs::DialogSetIcon(MainDialog, runtime::DynString::Copy(kIconName));
  for (const ControlRow& row : kMainControls) {
    AddControl(row);
    if (row.kind == dialogs::ControlKind::kClassByName) SetDayMonthYearFormat(row.id);
  }
  dialogs::ControlSetColor(MainDialog, control_id::kTotalTimeText, kBandTextColour,
                           kBandBackColour);
  return MainDialog;
}

int WinMain(HINSTANCE, HINSTANCE, const char16_t*, int) {
  BuildMainWindow();
  dialogs::DialogShowModal(MainDialog, MainDialogCallback, nullptr);
  return 0;
}

}  // namespace app
