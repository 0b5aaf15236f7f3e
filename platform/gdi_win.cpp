#include <windows.h>

#include "platform/call_win.h"
#include "platform/gdi.h"

namespace platform {

HBRUSH CreateSolidBrush(COLORREF colour) {
  return AfterCall(::CreateSolidBrush(colour));
}
BOOL DeleteObject(HGDIOBJ object) {
  return AfterCall(::DeleteObject(object));
}
HGDIOBJ GetStockObject(int which) {
  return AfterCall(::GetStockObject(which));
}
COLORREF SetTextColor(HDC dc, COLORREF colour) {
  return AfterCall(::SetTextColor(dc, colour));
}
COLORREF SetBkColor(HDC dc, COLORREF colour) {
  return AfterCall(::SetBkColor(dc, colour));
}
int SetBkMode(HDC dc, int mode) {
  return AfterCall(::SetBkMode(dc, mode));
}
DWORD GetSysColor(int index) {
  return AfterCall(::GetSysColor(index));
}
HBRUSH GetSysColorBrush(int index) {
  return AfterCall(::GetSysColorBrush(index));
}

}  // namespace platform
