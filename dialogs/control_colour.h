#pragma once
// The toolkit's answer to a WM_CTLCOLOR message: the control's own colours, if it has any.

#include "platform/win_types.h"

namespace dialogs {

// The brush to answer with, or null to decline (the dialog manager's default colours).
HBRUSH ColourAnswer(UINT message, HDC dc, HWND control);

}  // namespace dialogs
