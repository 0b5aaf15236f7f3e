#include <array>

#include "dialogs/dialog.h"
#include "dialogs/dialog_proc.h"
#include "dialogs/dialog_template.h"
#include "dialogs/font_record.h"
#include "dialogs/handle_cast.h"
#include "dialogs/record_release.h"
#include "dialogs/window_record.h"
#include "platform/gdi.h"
#include "platform/win_messages.h"
#include "platform/window.h"
#include "runtime/startup.h"
#include "runtime/thread_record.h"
#include "runtime/wide_string.h"

namespace dialogs {
namespace {

// The thread's dialog font; the toolkit's first font if that number names none (or the table
// was never built), so a dialog always gets a usable template.
TemplateFont DialogFont(FontRecord& storage) {
  const runtime::ThreadRecord* thread = runtime::CurrentThreadRecord();
  const std::int32_t number = thread != nullptr ? thread->dialogFont : 1;
  if (FindFont(number, &storage) || FindFont(1, &storage)) {
    return {storage.pointSize, storage.weight, storage.italic != 0, storage.charSet,
            storage.Face()};
  }
  return {8.0f, FW_NORMAL, false, ANSI_CHARSET, u"MS Sans Serif"};
}

struct IconChange {
  WPARAM which;
  HICON icon;
  HICON previous;
};

void SwapIcon(WindowRecord& record, const void* data) {
  auto* change = static_cast<IconChange*>(const_cast<void*>(data));
  HICON& slot = change->which == ICON_BIG ? record.bigIcon : record.smallIcon;
  change->previous = slot;
  slot = change->icon;
}

// Loads one size of the icon and gives it to the window; false when the image is not there.
bool SetOneIcon(HWND dialog, const char16_t* name, WPARAM which, int size) {
  auto icon = static_cast<HICON>(
      platform::LoadImageW(runtime::ProgramInstance(), name, IMAGE_ICON, size, size, 0));
  if (icon == nullptr) return false;
  platform::SendMessageA(dialog, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
  IconChange change{which, icon, nullptr};
  if (!UpdateRecord(dialog, SwapIcon, &change)) {
    platform::DestroyIcon(icon);  // the window went away meanwhile: nobody would free it
    return false;
  }
  if (change.previous != nullptr) platform::DestroyIcon(change.previous);
  return true;
}

}  // namespace

HWND DialogNew(std::int32_t units, HWND parent, const runtime::DynString& caption, std::int32_t x,
               std::int32_t y, std::int32_t width, std::int32_t height, std::uint32_t style,
               std::uint32_t extendedStyle) {
  style = DialogStyle(style, x, y, parent != nullptr);
  FontRecord font;
  alignas(4) std::array<std::uint8_t, kTemplateBufferSize> buffer;
  BuildDialogTemplate(buffer, {style, extendedStyle, x, y, width, height, DialogFont(font)});

  HWND dialog = platform::CreateDialogIndirectParamW(runtime::ProgramInstance(), buffer.data(),
                                                     parent, DialogProc, 0);
  const runtime::WideString wideCaption = runtime::WidenText(caption.View());
  platform::SetWindowTextW(dialog, wideCaption.Text());
  if (dialog == nullptr) return nullptr;

  WindowRecord fields;
  fields.window = dialog;
  fields.parent = parent;
  fields.flags = kDialogFlag | (static_cast<std::uint32_t>(units) & kUnitModeMask);
  fields.style = style;
  fields.extendedStyle = extendedStyle;
  fields.showCommand = ShowCommandForStyle(style);
  fields.font = HandleFrom<HFONT>(platform::SendMessageA(dialog, WM_GETFONT, 0, 0));
  if (!CreateRecord(fields, WindowSystemRelease())) {
    platform::DestroyWindow(dialog);  // a dialog the toolkit cannot track would leak
    return nullptr;
  }
  return dialog;
}

void DialogSetIcon(HWND dialog, const runtime::DynString& resourceName) {
  WindowRecord record;
  if (!FindRecord(dialog, &record) || !record.IsDialog()) return;
  const runtime::WideString name = runtime::WidenText(resourceName.View());
  if (!SetOneIcon(dialog, name.Text(), ICON_BIG, 32)) return;
  SetOneIcon(dialog, name.Text(), ICON_SMALL, 16);
}

}  // namespace dialogs
