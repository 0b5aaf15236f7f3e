#include <windows.h>

#include "platform/win/call.h"
#include "platform/window.h"

namespace platform {
namespace {

// char16_t and wchar_t are both UTF-16 units on Windows.
const wchar_t* Wide(const char16_t* text) {
  return reinterpret_cast<const wchar_t*>(text);
}

}  // namespace

HWND CreateDialogIndirectParamW(HINSTANCE instance, const void* dialogTemplate, HWND parent,
                                DLGPROC dialogProc, LPARAM initParam) {
  return AfterCall(::CreateDialogIndirectParamW(
      instance, static_cast<LPCDLGTEMPLATEW>(dialogTemplate), parent, dialogProc, initParam));
}

HWND CreateWindowExW(DWORD extendedStyle, const char16_t* className, const char16_t* text,
                     DWORD style, int x, int y, int width, int height, HWND parent, INT_PTR id,
                     HINSTANCE instance, void* param) {
  return AfterCall(::CreateWindowExW(extendedStyle, Wide(className), Wide(text), style, x, y, width,
                                     height, parent, reinterpret_cast<HMENU>(id), instance, param));
}

BOOL DestroyWindow(HWND window) {
  return AfterCall(::DestroyWindow(window));
}
BOOL IsWindow(HWND window) {
  return AfterCall(::IsWindow(window));
}
BOOL IsWindowVisible(HWND window) {
  return AfterCall(::IsWindowVisible(window));
}
BOOL ShowWindow(HWND window, int showCommand) {
  return AfterCall(::ShowWindow(window, showCommand));
}
BOOL SetForegroundWindow(HWND window) {
  return AfterCall(::SetForegroundWindow(window));
}
BOOL EnableWindow(HWND window, BOOL enable) {
  return AfterCall(::EnableWindow(window, enable));
}
HWND SetFocus(HWND window) {
  return AfterCall(::SetFocus(window));
}
HWND GetDlgItem(HWND dialog, int id) {
  return AfterCall(::GetDlgItem(dialog, id));
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return AfterCall(::SendMessageA(window, message, wParam, lParam));
}
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return AfterCall(::SendMessageW(window, message, wParam, lParam));
}
BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return AfterCall(::PostMessageW(window, message, wParam, lParam));
}

BOOL SetWindowTextW(HWND window, const char16_t* text) {
  return AfterCall(::SetWindowTextW(window, Wide(text)));
}
int GetWindowTextLengthW(HWND window) {
  return AfterCall(::GetWindowTextLengthW(window));
}
int GetWindowTextW(HWND window, char16_t* buffer, int capacity) {
  return AfterCall(::GetWindowTextW(window, reinterpret_cast<wchar_t*>(buffer), capacity));
}

LONG_PTR GetWindowLongPtrW(HWND window, int index) {
  return AfterCall(::GetWindowLongPtrW(window, index));
}
LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value) {
  return AfterCall(::SetWindowLongPtrW(window, index, value));
}

BOOL GetWindowRect(HWND window, RECT* rect) {
  return AfterCall(::GetWindowRect(window, rect));
}
BOOL GetClientRect(HWND window, RECT* rect) {
  return AfterCall(::GetClientRect(window, rect));
}
BOOL ScreenToClient(HWND window, POINT* point) {
  return AfterCall(::ScreenToClient(window, point));
}
BOOL MapDialogRect(HWND dialog, RECT* rect) {
  return AfterCall(::MapDialogRect(dialog, rect));
}

HANDLE LoadImageW(HINSTANCE instance, const char16_t* name, UINT type, int width, int height,
                  UINT flags) {
  return AfterCall(::LoadImageW(instance, Wide(name), type, width, height, flags));
}
BOOL DestroyIcon(HICON icon) {
  return AfterCall(::DestroyIcon(icon));
}

BOOL PeekMessageW(MSG* message, HWND window, UINT first, UINT last, UINT remove) {
  return AfterCall(::PeekMessageW(message, window, first, last, remove));
}
BOOL WaitMessage() {
  return AfterCall(::WaitMessage());
}

DWORD MsgWaitForMultipleObjectsEx(DWORD count, const HANDLE* handles, DWORD milliseconds,
                                  DWORD wakeMask, DWORD flags) {
  return AfterCall(::MsgWaitForMultipleObjectsEx(count, handles, milliseconds, wakeMask, flags));
}

BOOL RedrawWindow(HWND window, const RECT* update, HRGN region, UINT flags) {
  return AfterCall(::RedrawWindow(window, update, region, flags));
}
BOOL IsDialogMessageW(HWND dialog, MSG* message) {
  return AfterCall(::IsDialogMessageW(dialog, message));
}
BOOL TranslateMessage(const MSG* message) {
  return AfterCall(::TranslateMessage(message));
}
LRESULT DispatchMessageW(const MSG* message) {
  return AfterCall(::DispatchMessageW(message));
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD extendedStyle) {
  return AfterCall(::AdjustWindowRectEx(rect, style, menu, extendedStyle));
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  return AfterCall(::SetWindowPos(window, insertAfter, x, y, width, height, flags));
}

}  // namespace platform
