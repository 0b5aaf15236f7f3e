#include "platform/window.h"
#include "platform/named_mutex.h"

// No window system natively: nothing is created and no window exists.

namespace platform {

HWND CreateDialogIndirectParamW(HINSTANCE, const void*, HWND, DLGPROC, LPARAM) {
  return nullptr;
}
HWND CreateWindowExW(DWORD, const char16_t*, const char16_t*, DWORD, int, int, int, int, HWND,
                     INT_PTR, HINSTANCE, void*) {
  return nullptr;
}
BOOL DestroyWindow(HWND) {
  return 0;
}
BOOL IsWindow(HWND) {
  return 0;
}
BOOL IsWindowVisible(HWND) {
  return 0;
}
BOOL ShowWindow(HWND, int) {
  return 0;
}
BOOL SetForegroundWindow(HWND) {
  return 0;
}
BOOL EnableWindow(HWND, BOOL) {
  return 0;
}
HWND SetFocus(HWND) {
  return nullptr;
}
HWND GetDlgItem(HWND, int) {
  return nullptr;
}
LRESULT SendMessageA(HWND, UINT, WPARAM, LPARAM) {
  return 0;
}
LRESULT SendMessageW(HWND, UINT, WPARAM, LPARAM) {
  return 0;
}
BOOL PostMessageW(HWND, UINT, WPARAM, LPARAM) {
  return 0;
}
BOOL SetWindowTextW(HWND, const char16_t*) {
  return 0;
}
LONG_PTR GetWindowLongPtrW(HWND, int) {
  return 0;
}
LONG_PTR SetWindowLongPtrW(HWND, int, LONG_PTR) {
  return 0;
}
BOOL GetWindowRect(HWND, RECT*) {
  return 0;
}
BOOL GetClientRect(HWND, RECT*) {
  return 0;
}
BOOL ScreenToClient(HWND, POINT*) {
  return 0;
}
BOOL MapDialogRect(HWND, RECT*) {
  return 0;
}
HANDLE LoadImageW(HINSTANCE, const char16_t*, UINT, int, int, UINT) {
  return nullptr;
}
BOOL DestroyIcon(HICON) {
  return 0;
}
BOOL PeekMessageW(MSG*, HWND, UINT, UINT, UINT) {
  return 0;
}
BOOL WaitMessage() {
  return 0;  // no queue: a wait would never end
}
DWORD MsgWaitForMultipleObjectsEx(DWORD, const HANDLE*, DWORD, DWORD, DWORD) {
  return WAIT_FAILED;  // there is nothing to wait for
}
BOOL RedrawWindow(HWND, const RECT*, HRGN, UINT) {
  return 0;
}
BOOL IsDialogMessageW(HWND, MSG*) {
  return 0;
}
BOOL TranslateMessage(const MSG*) {
  return 0;
}
LRESULT DispatchMessageW(const MSG*) {
  return 0;
}

}  // namespace platform
