#pragma once
// The calculator window and the procedure that builds and runs it.

#include "platform/win_types.h"

namespace app {

// The window, once WinMain has created it; null before and after a failed creation.
extern HWND MainDialog;

// Creates the window, hidden, with its icon, its eleven controls, the pickers' format and the
// band's colours; stores and returns MainDialog (null when it could not be created).
HWND BuildMainWindow();

// Builds the window with its eleven controls and runs it modally; returns 0 when it is closed.
// The start-up values are part of the classic signature; the window needs none of them.
int WinMain(HINSTANCE instance, HINSTANCE previous, const char16_t* commandLine, int showCommand);

}  // namespace app
