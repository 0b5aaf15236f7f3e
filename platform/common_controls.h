#pragma once
// What the calculator window needs of USER32 beyond the toolkit's calls: the notification
// header of common controls and the geometry calls that size a date picker's calendar.

#include "platform/win_types.h"
#include "platform/window.h"

#ifndef _WIN32
struct NMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};
#endif

namespace platform {

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD extendedStyle);
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);

}  // namespace platform
