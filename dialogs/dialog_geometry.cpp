#include "dialogs/dialog_geometry.h"

#include "dialogs/dialog.h"
#include "dialogs/handle_cast.h"
#include "dialogs/unit_conversion.h"
#include "dialogs/window_record.h"
#include "platform/win_messages.h"
#include "platform/window.h"

namespace dialogs {
namespace {

constexpr int kMaxParentLinks = 64;  // guards against a cycle of records

// The dialog a window belongs to: its own record if that is a dialog's, else up the parents.
bool OwningDialog(HWND window, WindowRecord* dialog) {
  HWND current = window;
  for (int link = 0; link < kMaxParentLinks; ++link) {
    if (!FindRecord(current, dialog)) return false;
    if (dialog->IsDialog()) return true;
    current = dialog->parent;
  }
  return false;
}

// Pixels per 1024 units of the window's dialog; false when the mapping fails.
bool PixelsPer1024(HWND window, DialogPair* scale) {
  WindowRecord dialog;
  if (!OwningDialog(window, &dialog)) return false;
  RECT rect{0, 0, kUnitsMapped, kUnitsMapped};
  if (!platform::MapDialogRect(dialog.window, &rect)) return false;
  *scale = {rect.right, rect.bottom};
  return true;
}

// Pixel values in the record's unit mode: unchanged without a record or in pixel mode.
DialogPair ToRecordUnits(HWND window, const WindowRecord* record, DialogPair pixels) {
  if (record == nullptr || record->UnitMode() != kDialogUnits) return pixels;
  DialogPair scale{};
  if (!PixelsPer1024(window, &scale)) return {0, 0};
  return {PixelsToUnits(pixels.horizontal, scale.horizontal),
          PixelsToUnits(pixels.vertical, scale.vertical)};
}

}  // namespace

DialogPair DialogGetLocation(HWND window) {
  RECT rect{};
  platform::GetWindowRect(window, &rect);
  WindowRecord record;
  const bool hasRecord = FindRecord(window, &record);
  POINT corner{rect.left, rect.top};
  auto owner = HandleFrom<HWND>(platform::GetWindowLongPtrW(window, GWLP_HWNDPARENT));
  const bool keepsScreen = hasRecord && record.IsDialog() && (record.style & DS_ABSALIGN) != 0;
  if (owner != nullptr && !keepsScreen) platform::ScreenToClient(owner, &corner);
  return ToRecordUnits(window, hasRecord ? &record : nullptr, {corner.x, corner.y});
}

DialogPair DialogGetSize(HWND window) {
  RECT rect{};
  platform::GetWindowRect(window, &rect);
  WindowRecord record;
  const bool hasRecord = FindRecord(window, &record);
  return ToRecordUnits(window, hasRecord ? &record : nullptr,
                       {rect.right - rect.left, rect.bottom - rect.top});
}

DialogPair DialogUnitsToPixels(HWND window, std::int32_t horizontal, std::int32_t vertical) {
  WindowRecord dialog;
  if (!OwningDialog(window, &dialog)) return {0, 0};
  RECT rect{0, 0, horizontal, vertical};
  if (!platform::MapDialogRect(dialog.window, &rect)) return {0, 0};
  return {rect.right, rect.bottom};
}

}  // namespace dialogs
