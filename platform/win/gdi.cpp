#include <windows.h>

#include "platform/gdi.h"
#include "platform/win/call.h"
#include "platform/win/system_library.h"

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

namespace {

using DwmFlushCall = HRESULT(WINAPI*)();

// DWMAPI is loaded at the first snapshot, not at start-up: nothing else of the window needs it.
// It is no known DLL, so the system folder is named for it. Looked up once; the program draws
// on one thread.
DwmFlushCall dwmFlush = nullptr;
bool dwmLookedUp = false;

DwmFlushCall LoadDwmFlush() {
  HMODULE dwm = LoadSystemLibrary(L"dwmapi.dll");
  if (dwm == nullptr) return nullptr;
  // Through the plain function-pointer type, which any other converts to and from.
  return reinterpret_cast<DwmFlushCall>(
      reinterpret_cast<void (*)()>(::GetProcAddress(dwm, "DwmFlush")));
}

}  // namespace

HRESULT DwmFlush() {
  if (!dwmLookedUp) {
    dwmFlush = LoadDwmFlush();
    dwmLookedUp = true;
  }
  return AfterCall(dwmFlush != nullptr ? dwmFlush() : E_NOTIMPL);
}

}  // namespace platform
