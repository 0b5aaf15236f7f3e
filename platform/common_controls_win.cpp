#include "platform/common_controls.h"

#include <windows.h>

#include "platform/call_win.h"

namespace platform {

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD extendedStyle) {
  return AfterCall(::AdjustWindowRectEx(rect, style, menu, extendedStyle));
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  return AfterCall(::SetWindowPos(window, insertAfter, x, y, width, height, flags));
}

}  // namespace platform
