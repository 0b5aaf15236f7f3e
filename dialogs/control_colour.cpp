#include "dialogs/control_colour.h"

#include "dialogs/colour_rules.h"
#include "dialogs/control.h"
#include "dialogs/dialog.h"
#include "dialogs/record_release.h"
#include "dialogs/window_record.h"
#include "platform/gdi.h"
#include "platform/win_messages.h"
#include "platform/window.h"

namespace dialogs {
namespace {

// A self-painting control: -1 stands for the dialog's background, -2 for its own default.
COLORREF CommonControlColour(std::int32_t colour) {
  if (colour == kSystemColour) return platform::GetSysColor(COLOR_BTNFACE);
  if (colour < 0) return CLR_DEFAULT;
  return static_cast<COLORREF>(colour);
}

bool HandOverToCommonControl(HWND window, std::int32_t kind, std::int32_t text, std::int32_t back) {
  const auto textColour = CommonControlColour(text);
  const auto backColour = CommonControlColour(back);
  switch (static_cast<ControlKind>(kind)) {
    case ControlKind::kListView:
      platform::SendMessageW(window, LVM_SETTEXTCOLOR, 0, textColour);
      platform::SendMessageW(window, LVM_SETTEXTBKCOLOR, 0, backColour);
      platform::SendMessageW(window, LVM_SETBKCOLOR, 0, backColour);
      return true;
    case ControlKind::kTreeView:
      platform::SendMessageW(window, TVM_SETBKCOLOR, 0, backColour);
      platform::SendMessageW(window, TVM_SETTEXTCOLOR, 0, textColour);
      platform::SendMessageW(window, TVM_SETLINECOLOR, 0, textColour);
      return true;
    case ControlKind::kProgressBar:
      platform::SendMessageW(window, PBM_SETBARCOLOR, 0, textColour);
      platform::SendMessageW(window, PBM_SETBKCOLOR, 0, backColour);
      return true;
    default:
      return false;
  }
}

HBRUSH BrushForColour(std::int32_t colour) {
  HBRUSH shared = FindBrushOfColour(colour);
  return shared != nullptr ? shared : platform::CreateSolidBrush(static_cast<COLORREF>(colour));
}

}  // namespace

void ControlSetColor(HWND dialog, std::int32_t id, std::int32_t textColour,
                     std::int32_t backColour) {
  textColour = NormaliseTextColour(textColour);
  backColour = NormaliseBackColour(backColour);
  HWND window = id == kDialogItself ? dialog : ControlHandle(dialog, id);
  WindowRecord dialogRecord;
  WindowRecord record;
  if (!FindRecord(dialog, &dialogRecord) || !FindRecord(window, &record)) return;
  if (HandOverToCommonControl(window, record.kind, textColour, backColour)) return;

  if (backColour < 0 && record.kind == static_cast<std::int32_t>(ControlKind::kScrollBar)) {
    backColour = dialogRecord.backColour < 0 ? kSystemColour : dialogRecord.backColour;
  }
  HBRUSH brush = nullptr;
  if (backColour >= 0) {
    brush = BrushForColour(backColour);
    if (brush == nullptr) backColour = kSystemColour;
  }
  StoreRecordColours(window, textColour, backColour, brush, WindowSystemRelease());
}

HBRUSH ColourAnswer(UINT message, HDC dc, HWND control) {
  const auto indexes = CtlColorIndexes(message);
  WindowRecord record;
  if (!indexes || !FindRecord(control, &record) || record.textColour == kColourNotSet) {
    return nullptr;
  }
  platform::SetTextColor(dc, record.textColour == kSystemColour
                                 ? platform::GetSysColor(indexes->text)
                                 : static_cast<COLORREF>(record.textColour));
  if (record.backColour >= 0) {
    platform::SetBkColor(dc, static_cast<COLORREF>(record.backColour));
    return record.brush;
  }
  if (record.backColour == kSystemColour) {
    platform::SetBkColor(dc, platform::GetSysColor(indexes->background));
    return platform::GetSysColorBrush(indexes->background);
  }
  platform::SetBkMode(dc, TRANSPARENT);
  return static_cast<HBRUSH>(platform::GetStockObject(NULL_BRUSH));
}

}  // namespace dialogs
