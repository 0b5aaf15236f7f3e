#pragma once
// GDI32 brushes and painting colours, and the system colours, under their Windows names.

#include "platform/win_types.h"

#ifndef _WIN32
using HGDIOBJ = void*;
#endif

namespace platform {

HBRUSH CreateSolidBrush(COLORREF colour);
BOOL DeleteObject(HGDIOBJ object);
HGDIOBJ GetStockObject(int which);
COLORREF SetTextColor(HDC dc, COLORREF colour);
COLORREF SetBkColor(HDC dc, COLORREF colour);
int SetBkMode(HDC dc, int mode);
DWORD GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);

}  // namespace platform
