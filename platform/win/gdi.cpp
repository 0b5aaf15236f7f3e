#include <windows.h>

#include <dwmapi.h>

#include "platform/gdi.h"
#include "platform/win/call.h"

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

HWND GetDesktopWindow() {
  return AfterCall(::GetDesktopWindow());
}

HDC GetDC(HWND window) {
  return AfterCall(::GetDC(window));
}

int ReleaseDC(HWND window, HDC dc) {
  return AfterCall(::ReleaseDC(window, dc));
}

HDC CreateCompatibleDC(HDC dc) {
  return AfterCall(::CreateCompatibleDC(dc));
}

BOOL DeleteDC(HDC dc) {
  return AfterCall(::DeleteDC(dc));
}

HBITMAP CreateDIBSection(HDC dc, const void* bitmapInfo, UINT usage, void** bits, HANDLE section,
                         DWORD offset) {
  return AfterCall(::CreateDIBSection(dc, static_cast<const BITMAPINFO*>(bitmapInfo), usage, bits,
                                      section, offset));
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  return AfterCall(::SelectObject(dc, object));
}

int GetObjectA(HGDIOBJ object, int size, void* buffer) {
  return AfterCall(::GetObjectA(object, size, buffer));
}

BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
            int sourceY, DWORD rasterOperation) {
  return AfterCall(
      ::BitBlt(destination, x, y, width, height, source, sourceX, sourceY, rasterOperation));
}

BOOL GdiFlush() {
  return AfterCall(::GdiFlush());
}

HRESULT DwmFlush() {
  return AfterCall(::DwmFlush());
}

}  // namespace platform
