#pragma once
// The dialog procedure of every toolkit dialog: hands messages to the registered callback and
// supplies the toolkit's default behaviour.

#include "platform/win_types.h"

namespace dialogs {

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dialogs
