#pragma once
// USER32 window operations under their Windows names. Texts are UTF-16 (char16_t); the native
// build has no window system: its stand-ins create nothing and report that no window exists.

#include "platform/win_types.h"

#ifndef _WIN32
struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
struct POINT {
  LONG x;
  LONG y;
};
struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
  DWORD lPrivate;
};
using HMENU = struct HMENU__*;
using HRGN = struct HRGN__*;
using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
#endif

namespace platform {

HWND CreateDialogIndirectParamW(HINSTANCE instance, const void* dialogTemplate, HWND parent,
                                DLGPROC dialogProc, LPARAM initParam);
HWND CreateWindowExW(DWORD extendedStyle, const char16_t* className, const char16_t* text,
                     DWORD style, int x, int y, int width, int height, HWND parent, INT_PTR id,
                     HINSTANCE instance, void* param);
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
BOOL IsWindowVisible(HWND window);
BOOL ShowWindow(HWND window, int showCommand);
BOOL SetForegroundWindow(HWND window);
BOOL EnableWindow(HWND window, BOOL enable);
HWND SetFocus(HWND window);
HWND GetDlgItem(HWND dialog, int id);

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

BOOL SetWindowTextW(HWND window, const char16_t* text);
int GetWindowTextLengthW(HWND window);
int GetWindowTextW(HWND window, char16_t* buffer, int capacity);

// Pointer-sized window data: GWLP_HWNDPARENT, DWLP_MSGRESULT (index 0 of a dialog).
LONG_PTR GetWindowLongPtrW(HWND window, int index);
LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value);

BOOL GetWindowRect(HWND window, RECT* rect);
BOOL GetClientRect(HWND window, RECT* rect);
BOOL ScreenToClient(HWND window, POINT* point);
BOOL MapDialogRect(HWND dialog, RECT* rect);

HANDLE LoadImageW(HINSTANCE instance, const char16_t* name, UINT type, int width, int height,
                  UINT flags);
BOOL DestroyIcon(HICON icon);

BOOL PeekMessageW(MSG* message, HWND window, UINT first, UINT last, UINT remove);
BOOL WaitMessage();
DWORD MsgWaitForMultipleObjectsEx(DWORD count, const HANDLE* handles, DWORD milliseconds,
                                  DWORD wakeMask, DWORD flags);
BOOL RedrawWindow(HWND window, const RECT* update, HRGN region, UINT flags);
BOOL IsDialogMessageW(HWND dialog, MSG* message);
BOOL TranslateMessage(const MSG* message);
LRESULT DispatchMessageW(const MSG* message);

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD extendedStyle);
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);

}  // namespace platform
