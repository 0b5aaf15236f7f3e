#pragma once
// Running a dialog modally and ending it.

#include <cstdint>

#include "dialogs/callback.h"
#include "platform/win_types.h"

namespace dialogs {

// Calls `callback` directly with WM_INITDIALOG and WM_SIZE, registers it, shows the dialog and
// takes the thread's messages, waiting while there are none, until the dialog window no longer
// exists (WM_QUIT does not end it). `resultVariable`, when given, receives the result DialogEnd
// is called with.
void DialogShowModal(HWND dialog, DialogCallback callback, std::int32_t* resultVariable);

// Stores `result`, sends WM_CLOSE and destroys the dialog.
void DialogEnd(HWND dialog, std::int32_t result);

}  // namespace dialogs
