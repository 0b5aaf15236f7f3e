#pragma once
// The Windows types and constants the portable code speaks in. On Windows they are the real
// ones; in the native build they are layout-identical stand-ins, so tests see the same records.

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using BOOL = int;
using WCHAR = char16_t;
using UINT_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;
using LONG_PTR = std::intptr_t;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using HANDLE = void*;
using HWND = struct HWND__*;
using HINSTANCE = struct HINSTANCE__*;
using HICON = struct HICON__*;
using HBRUSH = struct HBRUSH__*;
using HFONT = struct HFONT__*;
using HDC = struct HDC__*;
using COLORREF = DWORD;

#define CALLBACK
#define WINAPI

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

struct SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
};

// The header every common-control notification (WM_NOTIFY) starts with.
struct NMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};

struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};

#endif

// One Windows constant under its Windows name. The native build declares it with this value;
// on Windows, where the real header defines it, the same line checks that value against it.
#ifdef _WIN32
#define PLATFORM_WINDOWS_CONSTANT(type, name, value) \
  static_assert(static_cast<type>(name) == static_cast<type>(value), #name);
#else
#define PLATFORM_WINDOWS_CONSTANT(type, name, value) constexpr type name = (value);
#endif

static_assert(sizeof(SYSTEMTIME) == 16, "SYSTEMTIME is eight 16-bit fields");
static_assert(sizeof(FILETIME) == 8, "FILETIME is one 64-bit count in two halves");
