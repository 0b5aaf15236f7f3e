#include "platform/gdi.h"

// No graphics system natively: no brush is made and painting calls do nothing.

namespace platform {

HBRUSH CreateSolidBrush(COLORREF) {
  return nullptr;
}
BOOL DeleteObject(HGDIOBJ) {
  return FALSE;
}
HGDIOBJ GetStockObject(int) {
  return nullptr;
}
COLORREF SetTextColor(HDC, COLORREF) {
  return 0;
}
COLORREF SetBkColor(HDC, COLORREF) {
  return 0;
}
int SetBkMode(HDC, int) {
  return 0;
}
DWORD GetSysColor(int) {
  return 0;
}
HBRUSH GetSysColorBrush(int) {
  return nullptr;
}
BOOL GdiFlush() {
  return TRUE;  // nothing is batched
}
HRESULT DwmFlush() {
  return static_cast<HRESULT>(0x80263001);  // DWM_E_COMPOSITIONDISABLED: nothing composes
}

}  // namespace platform
