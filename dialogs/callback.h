#pragma once
// What a dialog's callback receives and answers.

#include "platform/win_types.h"

namespace dialogs {

// The four values of one message, passed by value on every call, so a call that re-enters
// the callback (a control notifying the dialog synchronously) sees its own context.
struct CallbackContext {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// 0 lets the toolkit and the dialog manager go on with their default processing; any other
// value marks the message handled and is the dialog procedure's answer (a brush for the
// WM_CTLCOLOR messages, hence pointer-sized).
using DialogCallback = INT_PTR (*)(CallbackContext context);

}  // namespace dialogs
