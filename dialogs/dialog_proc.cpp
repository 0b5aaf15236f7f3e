#include "dialogs/dialog_proc.h"
#include "dialogs/handle_cast.h"

#include "dialogs/colour_rules.h"
#include "dialogs/control_colour.h"
#include "dialogs/modal.h"
#include "dialogs/record_release.h"
#include "dialogs/window_record.h"
#include "platform/window.h"

namespace dialogs {
namespace {

constexpr UINT kWmNcDestroy = 0x0082;
constexpr UINT kWmActivate = 0x0006;
constexpr UINT kWmNotify = 0x004E;
constexpr UINT kWmInitDialog = 0x0110;
constexpr UINT kWmCommand = 0x0111;
constexpr UINT kWmSysCommand = 0x0112;
constexpr WPARAM kScClose = 0xF060;
constexpr int kDwlpMsgResult = 0;

struct NotifyHeader {  // NMHDR
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};

// A control's own callback, offered WM_COMMAND and WM_NOTIFY before the dialog's.
INT_PTR ControlCallbackAnswer(HWND dialog, HWND control, int id, const CallbackContext& context) {
  if (control == nullptr || platform::GetDlgItem(dialog, id) == nullptr) return 0;
  WindowRecord record;
  if (!FindRecord(control, &record) || record.callback == nullptr) return 0;
  return record.callback(context);
}

INT_PTR ControlsFirst(const CallbackContext& context) {
  if (context.message == kWmCommand) {
    return ControlCallbackAnswer(context.window, HandleFrom<HWND>(context.lParam),
                                 static_cast<int>(context.wParam & 0xFFFF), context);
  }
  if (context.message == kWmNotify && context.lParam != 0) {
    const auto* header = HandleFrom<const NotifyHeader*>(context.lParam);
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
  if (platform::GetWindowLongPtrW(window, kDwlpMsgResult) == 0) {
    platform::SetWindowLongPtrW(window, kDwlpMsgResult, answer);
  }
  return answer;
}

INT_PTR DefaultAnswer(const CallbackContext& context) {
  if (context.message == kWmNcDestroy) {
    ReleaseDialogRecords(context.window, WindowSystemRelease());
    return TRUE;
  }
  if (context.message >= kFirstCtlColorMessage && context.message <= kLastCtlColorMessage) {
    return reinterpret_cast<INT_PTR>(ColourAnswer(context.message, HandleFrom<HDC>(context.wParam),
                                                  HandleFrom<HWND>(context.lParam)));
  }
  if (context.message == kWmSysCommand && (context.wParam & ~WPARAM{0xF}) == kScClose &&
      FindRecord(context.window, nullptr)) {
    DialogEnd(context.window, 0);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The callback sees its own WM_INITDIALOG from DialogShowModal, and never WM_ACTIVATE.
  if (message == kWmInitDialog || message == kWmActivate) return FALSE;
  const CallbackContext context{window, message, wParam, lParam};
  INT_PTR answer = ControlsFirst(context);
  if (answer == 0) answer = DialogCallbackAnswer(context);
  if (answer != 0) return Handled(window, answer);
  return DefaultAnswer(context);
}

}  // namespace dialogs
