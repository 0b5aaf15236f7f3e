#include "dialogs/dialog_proc.h"
#include "dialogs/handle_cast.h"

#include "dialogs/colour_rules.h"
#include "dialogs/control_colour.h"
#include "dialogs/modal.h"
#include "dialogs/record_release.h"
#include "dialogs/window_record.h"
#include "platform/win_messages.h"
#include "platform/window.h"

namespace dialogs {
namespace {

// A control's own callback, offered WM_COMMAND and WM_NOTIFY before the dialog's.
INT_PTR ControlCallbackAnswer(HWND dialog, HWND control, int id, const CallbackContext& context) {
  if (control == nullptr || platform::GetDlgItem(dialog, id) == nullptr) return 0;
  WindowRecord record;
  if (!FindRecord(control, &record) || record.callback == nullptr) return 0;
  return record.callback(context);
}

INT_PTR ControlsFirst(const CallbackContext& context) {
  if (context.message == WM_COMMAND) {
    return ControlCallbackAnswer(context.window, HandleFrom<HWND>(context.lParam),
                                 static_cast<int>(LOWORD(context.wParam)), context);
  }
  if (context.message == WM_NOTIFY && context.lParam != 0) {
    const auto* header = HandleFrom<const NMHDR*>(context.lParam);
    return ControlCallbackAnswer(context.window, header->hwndFrom, static_cast<int>(header->idFrom),
                                 context);
  }
  return 0;
}

INT_PTR DialogCallbackAnswer(const CallbackContext& context) {
  WindowRecord record;
  if (!FindRecord(context.window, &record) || record.callback == nullptr) return 0;
  return record.callback(context);
}

// A handled message: its answer also becomes the message result unless one was set already.
INT_PTR Handled(HWND window, INT_PTR answer) {
  if (platform::GetWindowLongPtrW(window, DWLP_MSGRESULT) == 0) {
    platform::SetWindowLongPtrW(window, DWLP_MSGRESULT, answer);
  }
  return answer;
}

INT_PTR DefaultAnswer(const CallbackContext& context) {
  if (context.message == WM_NCDESTROY) {
    ReleaseDialogRecords(context.window, WindowSystemRelease());
    return TRUE;
  }
  if (context.message >= WM_CTLCOLORMSGBOX && context.message <= WM_CTLCOLORSTATIC) {
    return reinterpret_cast<INT_PTR>(ColourAnswer(context.message, HandleFrom<HDC>(context.wParam),
                                                  HandleFrom<HWND>(context.lParam)));
  }
  if (context.message == WM_SYSCOMMAND && (context.wParam & ~WPARAM{0xF}) == SC_CLOSE &&
      FindRecord(context.window, nullptr)) {
    DialogEnd(context.window, 0);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The callback sees its own WM_INITDIALOG from DialogShowModal, and never WM_ACTIVATE.
  if (message == WM_INITDIALOG || message == WM_ACTIVATE) return FALSE;
  const CallbackContext context{window, message, wParam, lParam};
  INT_PTR answer = ControlsFirst(context);
  if (answer == 0) answer = DialogCallbackAnswer(context);
  if (answer != 0) return Handled(window, answer);
  return DefaultAnswer(context);
}

}  // namespace dialogs
