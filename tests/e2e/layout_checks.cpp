// The window as built: caption, frame, centring, the eleven controls and common controls 6.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

#include "scenarios.h"
#include "support/remote.h"
#include "support/tally.h"

namespace e2e {

namespace {

struct ExpectedControl {
  int id;
  const wchar_t* className;
  const wchar_t* text;
  int x, y, width, height;
  DWORD style;
  DWORD extendedStyle;
};

// Creation order, classes, texts, dialog-unit rectangles and created styles.
const ExpectedControl kControls[] = {
    {kBaseDateLabel, L"Static", L"Fecha base", 5, 5, 60, 12, 0x50000000, 0},
    {kBaseDatePicker, L"SysDateTimePick32", nullptr, 55, 5, 190, 14, 0x50010004, 0},
    {kDayCountLabel, L"Static", L"N\u00BA de Dias", 5, 20, 60, 12, 0x50000000, 0},
    {kDayCountEdit, L"Edit", L"", 55, 20, 50, 12, 0x50010080, 0x200},
    {kTotalDaysButton, L"Button", L"Hay", 107, 20, 30, 12, 0x50010000, 0},
    {kTotalDaysEdit, L"Edit", L"", 140, 20, 70, 12, 0x50010080, 0x200},
    {kTotalDaysLabel, L"Static", L" d\u00EDas totales ", 212, 20, 45, 12, 0x50000000, 0},
    {kFinalDateLabel, L"Static", L"Fecha Final", 5, 35, 60, 12, 0x50000000, 0},
    {kFinalDatePicker, L"SysDateTimePick32", nullptr, 55, 35, 190, 12, 0x50010004, 0},
    {kTotalTimeButton, L"Button", L"Tiempo total", 1, 50, 130, 12, 0x50010000, 0},
    {kTotalTimeText, L"Static", L"", 1, 64, 258, 25, 0x50000000, 0},
};

// "6.0.2600.2982!Button" and "Button" name the same class.
bool SameClass(const wchar_t* actual, const wchar_t* expected) {
  const wchar_t* bang = std::wcschr(actual, L'!');
  return lstrcmpiW(bang != nullptr ? bang + 1 : actual, expected) == 0;
}

RECT ClientRectOnScreen(HWND window, HWND parent) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The dialog base units that turn 260 x 90 units into the client area seen.
bool FindBaseUnits(SIZE client, int& unitX, int& unitY) {
  unitX = unitY = 0;
  for (int u = 1; u < 64 && unitX == 0; ++u) {
    if (MulDiv(260, u, 4) == client.cx) unitX = u;
  }
  for (int u = 1; u < 64 && unitY == 0; ++u) {
    if (MulDiv(90, u, 8) == client.cy) unitY = u;
  }
  return unitX != 0 && unitY != 0;
}

bool Near(LONG actual, int expected) {
  return actual >= expected - 1 && actual <= expected + 1;
}

}  // namespace

void CheckCommonControls6(const Calculator& calculator) {
  HMODULE modules[512];
  DWORD bytes = 0;
  EnumProcessModulesEx(calculator.Handle(), modules, sizeof modules, &bytes, LIST_MODULES_ALL);
  std::wstring path;
  for (DWORD i = 0; i < bytes / sizeof(HMODULE); ++i) {
    wchar_t name[MAX_PATH] = {};
    GetModuleFileNameExW(calculator.Handle(), modules[i], name, MAX_PATH);
    const wchar_t* base = std::wcsrchr(name, L'\\');
    if (lstrcmpiW(base != nullptr ? base + 1 : name, L"comctl32.dll") == 0) path = name;
  }
  if (!Check(!path.empty(), "common controls library loaded")) return;
  // The manifest makes the loader take comctl32 from the side-by-side common-controls 6.0
  // assembly instead of the system folder's version 5.
  std::wstring lower = path;
  for (wchar_t& ch : lower) ch = static_cast<wchar_t>(towlower(ch));
  bool assembly6 = lower.find(L"microsoft.windows.common-controls") != std::wstring::npos &&
                   lower.find(L"_6.0.") != std::wstring::npos;
  Check(assembly6, "common controls 6.0 assembly loaded", "%ls", path.c_str());
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  std::vector<char> info(size);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  bool read = size != 0 && GetFileVersionInfoW(path.c_str(), 0, size, info.data()) &&
              VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length);
  DWORD major = read ? HIWORD(fixed->dwFileVersionMS) : 0;
  std::printf("info common controls file version %lu from %ls\n", static_cast<unsigned long>(major),
              path.c_str());
}

void CheckWindowAndLayout(const Calculator& calculator) {
  HWND window = calculator.window;
  Check(WindowText(window) == kCaption, "caption");
  auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
  Check((style & ~WS_VISIBLE & ~WS_CLIPSIBLINGS) == 0x00C80854, "window style", "0x%08lx",
        static_cast<unsigned long>(style));
  Check((style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)) == 0,
        "no minimise, maximise or sizing frame");

  RECT work{}, outer{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(window, &outer);
  LONG dx = (outer.left + outer.right) - (work.left + work.right);
  LONG dy = (outer.top + outer.bottom) - (work.top + work.bottom);
  Check(dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2, "centred on the work area",
        "off by %ld/2, %ld/2", dx, dy);

  RECT client{};
  GetClientRect(window, &client);
  int unitX = 0, unitY = 0;
  if (!Check(FindBaseUnits({client.right, client.bottom}, unitX, unitY),
             "client area is 260 x 90 dialog units", "client %ld x %ld", client.right,
             client.bottom)) {
    return;
  }

  HWND child = GetWindow(window, GW_CHILD);
  int tabStops = 0;
  for (const ExpectedControl& expected : kControls) {
    wchar_t name[64];
    std::swprintf(name, 64, L"control %d", expected.id);
    std::string label(name, name + std::wcslen(name));
    HWND control = calculator.Item(expected.id);
    if (!Check(control != nullptr, (label + " exists").c_str())) continue;
    Check(child == control, (label + " in creation order").c_str());
    child = child != nullptr ? GetWindow(child, GW_HWNDNEXT) : nullptr;

    wchar_t className[128] = {};
    GetClassNameW(control, className, 128);
    Check(SameClass(className, expected.className), (label + " class").c_str(), "%ls", className);
    if (expected.text != nullptr) {
      Check(WindowText(control) == expected.text, (label + " text").c_str(), "'%ls'",
            WindowText(control).c_str());
    }
    auto controlStyle = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    auto controlExStyle = static_cast<DWORD>(GetWindowLongW(control, GWL_EXSTYLE));
    Check(controlStyle == expected.style, (label + " style").c_str(), "0x%08lx",
          static_cast<unsigned long>(controlStyle));
    // A date picker gives itself a client edge when it is created, on every platform.
    DWORD addedByControl = SameClass(className, L"SysDateTimePick32") ? WS_EX_CLIENTEDGE : 0;
    Check((controlExStyle & ~addedByControl) == expected.extendedStyle,
          (label + " extended style").c_str(), "0x%08lx",
          static_cast<unsigned long>(controlExStyle));
    if (controlStyle & WS_TABSTOP) ++tabStops;

    RECT rect = ClientRectOnScreen(control, window);
    bool placed = Near(rect.left, MulDiv(expected.x, unitX, 4)) &&
                  Near(rect.top, MulDiv(expected.y, unitY, 8)) &&
                  Near(rect.right - rect.left, MulDiv(expected.width, unitX, 4)) &&
                  Near(rect.bottom - rect.top, MulDiv(expected.height, unitY, 8));
    Check(placed, (label + " position and size").c_str(), "(%ld,%ld) %ldx%ld", rect.left, rect.top,
          rect.right - rect.left, rect.bottom - rect.top);
  }
  Check(tabStops == 6, "exactly the pickers, boxes and buttons are tab stops", "%d", tabStops);
}

}  // namespace e2e
