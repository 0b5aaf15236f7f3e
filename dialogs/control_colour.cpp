#include "dialogs/control_colour.h"

#include "dialogs/colour_rules.h"
#include "dialogs/control.h"
#include "dialogs/dialog.h"
#include "dialogs/record_release.h"
#include "dialogs/window_record.h"
#include "platform/gdi.h"
#include "platform/window.h"

namespace dialogs {
namespace {

constexpr int kTransparentMode = 1;
constexpr int kNullBrush = 5;

// Colour messages of the common controls that paint themselves.
constexpr UINT kLvmSetBkColor = 0x1001, kLvmSetTextColor = 0x1024, kLvmSetTextBkColor = 0x1026;
constexpr UINT kTvmSetBkColor = 0x111D, kTvmSetTextColor = 0x111E, kTvmSetLineColor = 0x1128;
constexpr UINT kPbmSetBarColor = 0x0409, kPbmSetBkColor = 0x2001;
constexpr COLORREF kClrDefault = 0xFF000000;
constexpr int kColorBtnFace = 15;

// A self-painting control: -1 stands for the dialog's background, -2 for its own default.
COLORREF CommonControlColour(std::int32_t colour) {
  if (colour == kSystemColour) return platform::GetSysColor(kColorBtnFace);
  if (colour < 0) return kClrDefault;
  return static_cast<COLORREF>(colour);
}

bool HandOverToCommonControl(HWND window, std::int32_t kind, std::int32_t text, std::int32_t back) {
  const auto textColour = CommonControlColour(text);
  const auto backColour = CommonControlColour(back);
  switch (static_cast<ControlKind>(kind)) {
    case ControlKind::kListView:
      platform::SendMessageW(window, kLvmSetTextColor, 0, textColour);
      platform::SendMessageW(window, kLvmSetTextBkColor, 0, backColour);
      platform::SendMessageW(window, kLvmSetBkColor, 0, backColour);
      return true;
    case ControlKind::kTreeView:
      platform::SendMessageW(window, kTvmSetBkColor, 0, backColour);
      platform::SendMessageW(window, kTvmSetTextColor, 0, textColour);
      platform::SendMessageW(window, kTvmSetLineColor, 0, textColour);
      return true;
    case ControlKind::kProgressBar:
      platform::SendMessageW(window, kPbmSetBarColor, 0, textColour);
      platform::SendMessageW(window, kPbmSetBkColor, 0, backColour);
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
  platform::SetBkMode(dc, kTransparentMode);
  return static_cast<HBRUSH>(platform::GetStockObject(kNullBrush));
}

}  // namespace dialogs
