#include "dialogs/modal.h"
#include "dialogs/window_record.h"
#include "platform/win_messages.h"
#include "platform/window.h"

namespace dialogs {
namespace {

WPARAM SizeTypeFor(std::int32_t showCommand) {
  if (showCommand == SW_MAXIMIZE) return SIZE_MAXIMIZED;
  if (showCommand == SW_MINIMIZE) return SIZE_MINIMIZED;
  return SIZE_RESTORED;
}

// The two calls the callback gets before any message of the window reaches it.
void IntroduceDialog(HWND dialog, DialogCallback callback) {
  WindowRecord record;
  const std::int32_t showCommand = FindRecord(dialog, &record) ? record.showCommand : 0;
  callback({dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(dialog), 0});
  RECT client{};
  platform::GetClientRect(dialog, &client);
  callback({dialog, WM_SIZE, SizeTypeFor(showCommand), MAKELPARAM(client.right, client.bottom)});
}

struct Registration {
  DialogCallback callback;
  std::int32_t* resultVariable;
};

void Register(WindowRecord& record, const void* data) {
  const auto* registration = static_cast<const Registration*>(data);
  record.callback = registration->callback;
  record.resultVariable = registration->resultVariable;
}

// Takes every message of the thread until the dialog is gone; WM_QUIT is just another message.
// With the queue empty the thread sleeps until a message arrives. The peek took all there was,
// so no message it saw is left to sleep through, and WaitMessage wakes for every kind the
// running system has (QS_ALLINPUT is fixed at build time: it lacks newer systems' pointer
// input, and older systems refuse bits they do not know). A message sent from another thread is
// handled inside the peek and may have destroyed the dialog, leaving nothing to end a wait:
// hence the check before it.
void RunLoop(HWND dialog) {
  MSG message{};
  while (platform::IsWindow(dialog)) {
    if (!platform::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (platform::IsWindow(dialog)) platform::WaitMessage();
      continue;
    }
    if (platform::IsWindow(dialog) && platform::IsDialogMessageW(dialog, &message)) continue;
    platform::TranslateMessage(&message);
    platform::DispatchMessageW(&message);
  }
}

}  // namespace

void DialogShowModal(HWND dialog, DialogCallback callback, std::int32_t* resultVariable) {
  platform::SetForegroundWindow(dialog);
  if (callback != nullptr) IntroduceDialog(dialog, callback);
  const Registration registration{callback, resultVariable};
  if (!UpdateRecord(dialog, Register, &registration)) return;
  WindowRecord record;
  if (!FindRecord(dialog, &record)) return;
  if (record.parent != nullptr) {
    platform::SendMessageW(record.parent, WM_CANCELMODE, 0, 0);
    platform::EnableWindow(record.parent, FALSE);
  }
  platform::ShowWindow(dialog, record.showCommand);
  RunLoop(dialog);
  if (record.parent != nullptr) {
    // DialogEnd re-enables the parent; a dialog destroyed some other way must not leave it dead.
    platform::EnableWindow(record.parent, TRUE);
    platform::SetFocus(record.parent);
  }
}

void DialogEnd(HWND dialog, std::int32_t result) {
  WindowRecord record;
  if (!FindRecord(dialog, &record)) return;
  if (record.resultVariable != nullptr) *record.resultVariable = result;
  platform::SendMessageA(dialog, WM_CLOSE, 0, 0);
  if (record.parent != nullptr) platform::EnableWindow(record.parent, TRUE);
  platform::DestroyWindow(dialog);
}

}  // namespace dialogs
