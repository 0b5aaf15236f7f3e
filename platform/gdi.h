#pragma once
// GDI32 brushes, painting colours, system colours and the device contexts and bitmaps a window
// snapshot is copied through, under their Windows names.

#include "platform/win_types.h"

#ifndef _WIN32
using HRESULT = LONG;
using HGDIOBJ = void*;
using HBITMAP = struct HBITMAP__*;
struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  void* bmBits;
};
#endif

PLATFORM_WINDOWS_CONSTANT(UINT, DIB_RGB_COLORS, 0)
PLATFORM_WINDOWS_CONSTANT(DWORD, SRCCOPY, 0x00CC0020)

// GetSysColor indexes.
PLATFORM_WINDOWS_CONSTANT(int, COLOR_SCROLLBAR, 0)
PLATFORM_WINDOWS_CONSTANT(int, COLOR_MENU, 4)
PLATFORM_WINDOWS_CONSTANT(int, COLOR_WINDOW, 5)
PLATFORM_WINDOWS_CONSTANT(int, COLOR_MENUTEXT, 7)
PLATFORM_WINDOWS_CONSTANT(int, COLOR_WINDOWTEXT, 8)
PLATFORM_WINDOWS_CONSTANT(int, COLOR_BTNFACE, 15)
PLATFORM_WINDOWS_CONSTANT(int, COLOR_BTNTEXT, 18)

// SetBkMode's mode, GetStockObject's object, and a font's character set, weight and pitch.
PLATFORM_WINDOWS_CONSTANT(int, TRANSPARENT, 1)
PLATFORM_WINDOWS_CONSTANT(int, NULL_BRUSH, 5)
PLATFORM_WINDOWS_CONSTANT(int, ANSI_CHARSET, 0)
PLATFORM_WINDOWS_CONSTANT(int, FW_NORMAL, 400)
PLATFORM_WINDOWS_CONSTANT(int, FIXED_PITCH, 1)
PLATFORM_WINDOWS_CONSTANT(int, LF_FACESIZE, 32)  // with the terminator

namespace platform {

HBRUSH CreateSolidBrush(COLORREF colour);
BOOL DeleteObject(HGDIOBJ object);
HGDIOBJ GetStockObject(int which);
COLORREF SetTextColor(HDC dc, COLORREF colour);
COLORREF SetBkColor(HDC dc, COLORREF colour);
int SetBkMode(HDC dc, int mode);
DWORD GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);

HWND GetDesktopWindow();
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
// `bitmapInfo` is a BITMAPINFOHEADER (no colour table for 24 bits per pixel).
HBITMAP CreateDIBSection(HDC dc, const void* bitmapInfo, UINT usage, void** bits, HANDLE section,
                         DWORD offset);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
int GetObjectA(HGDIOBJ object, int size, void* buffer);
BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
            int sourceY, DWORD rasterOperation);

// Painting reaches the screen in steps: GdiFlush hands over this thread's batch of drawing
// calls; DwmFlush (DWMAPI) waits until desktop composition has put the program's outstanding
// updates on the screen, and fails at once when composition is off.
BOOL GdiFlush();
HRESULT DwmFlush();

}  // namespace platform
