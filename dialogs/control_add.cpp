#include "dialogs/control.h"
#include "dialogs/control_kind_table.h"
#include "dialogs/dialog.h"
#include "dialogs/record_release.h"
#include "dialogs/unit_conversion.h"
#include "dialogs/window_record.h"
#include "platform/win_messages.h"
#include "platform/window.h"
#include "runtime/startup.h"
#include "runtime/wide_string.h"

namespace dialogs {
namespace {

// x, y, width, height in pixels; the edges are mapped separately so neighbouring controls meet.
Placement PixelPlacement(const WindowRecord& dialog, std::int32_t x, std::int32_t y,
                         std::int32_t width, std::int32_t height) {
  // Edges wrap like the 32-bit window system arithmetic instead of overflowing.
  const auto right =
      static_cast<std::int32_t>(static_cast<std::uint32_t>(x) + static_cast<std::uint32_t>(width));
  const auto bottom =
      static_cast<std::int32_t>(static_cast<std::uint32_t>(y) + static_cast<std::uint32_t>(height));
  RECT rect{x, y, right, bottom};
  if (dialog.UnitMode() == kDialogUnits) platform::MapDialogRect(dialog.window, &rect);
  return PlacementFromMappedRect(rect.left, rect.top, rect.right, rect.bottom);
}

void AddItems(HWND control, ControlKind kind, std::span<const runtime::DynString> items) {
  const UINT message = kind == ControlKind::kComboBox ? CB_ADDSTRING : LB_ADDSTRING;
  for (const runtime::DynString& item : items) {
    const runtime::WideString text = runtime::WidenText(item.View());
    platform::SendMessageW(control, message, 0, reinterpret_cast<LPARAM>(text.Text()));
  }
}

// A scroll bar starts at 0 of 0..100 with a page of 10.
void InitialiseScrollBar(HWND control) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 0, 0};
  platform::SendMessageW(control, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&info));
}

// The kinds COMCTL32 provides, from the header to the tab control; they are switched to
// UTF-16 notifications.
bool IsCommonControl(ControlKind kind) {
  return kind >= ControlKind::kHeader && kind <= ControlKind::kTabControl;
}

void AfterCreation(HWND dialog, HWND control, std::int32_t id, ControlKind kind,
                   std::uint32_t style) {
  if (kind == ControlKind::kPushButton && (style & BS_DEFPUSHBUTTON) != 0) {
    platform::SendMessageA(dialog, DM_SETDEFID, static_cast<WPARAM>(id), 0);
  }
  if (kind == ControlKind::kScrollBar) InitialiseScrollBar(control);
  if (IsCommonControl(kind)) platform::SendMessageW(control, CCM_SETUNICODEFORMAT, TRUE, 0);
  if (kind == ControlKind::kToolbar) {
    platform::SendMessageW(control, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  }
}

}  // namespace

void ControlAdd(HWND dialog, std::int32_t id, const runtime::DynString& text,
                std::span<const runtime::DynString> items, std::int32_t x, std::int32_t y,
                std::int32_t width, std::int32_t height, std::uint32_t style,
                std::uint32_t extendedStyle, DialogCallback callback, ControlKind kind,
                const runtime::DynString& className) {
  WindowRecord dialogRecord;
  if (!FindRecord(dialog, &dialogRecord)) return;
  const Placement place = PixelPlacement(dialogRecord, x, y, width, height);
  const runtime::WideString wideClass = runtime::WidenText(className.View());
  const auto creation = ResolveControlCreation(kind, wideClass.View(), style, extendedStyle,
                                               place.width, place.height);
  if (!creation) return;
  // The class view points into the table or into wideClass, both zero-terminated.
  const runtime::WideString wideText = runtime::WidenText(text.View());
  HWND control = platform::CreateWindowExW(
      creation->extendedStyle, creation->className.data(), wideText.Text(), creation->style,
      place.x, place.y, place.width, place.height, dialog, static_cast<INT_PTR>(id),
      runtime::ProgramInstance(), nullptr);
  platform::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(dialogRecord.font), TRUE);
  if (control == nullptr) return;

  WindowRecord fields;
  fields.window = control;
  fields.parent = dialog;
  fields.flags = kControlFlag | static_cast<std::uint32_t>(dialogRecord.UnitMode());
  fields.kind = static_cast<std::int32_t>(kind);
  fields.callback = callback;
  fields.style = creation->recordedStyle;
  fields.extendedStyle = creation->extendedStyle;
  if (!CreateRecord(fields, WindowSystemRelease())) return;

  if (!items.empty()) AddItems(control, kind, items);
  AfterCreation(dialog, control, id, kind, creation->recordedStyle);
}

}  // namespace dialogs
