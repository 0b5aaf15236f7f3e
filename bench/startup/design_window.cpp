// The calculator's window built directly on the platform, with none of the program's own code:
// the platform floor (COM, common controls 6, the dialog font, a picker) plus the rest of what
// the design asks of the platform before the window answers: OLE Automation (the strings'
// allocator), both class registrations, the caption, both icons, the eleven controls of the
// calculator's layout with their font, the pickers' format and the band's brush, the window
// brought to the foreground, shown, and a loop that takes every message of the thread and
// waits while there is none. The calculator against this program is what the program's own
// code costs; this program against the floor is what the window the design asks for costs.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <oleauto.h>

#include <cstring>
#include <iterator>
#include <string_view>

#include "app/main_window_colours.h"
#include "app/main_window_layout.h"

namespace {

HBRUSH bandBrush = nullptr;

INT_PTR CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CTLCOLORSTATIC &&
      GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == app::control_id::kTotalTimeText) {
    SetTextColor(reinterpret_cast<HDC>(wParam), app::kBandTextColour);
    SetBkColor(reinterpret_cast<HDC>(wParam), app::kBandBackColour);
    return reinterpret_cast<INT_PTR>(bandBrush);
  }
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) {
    DestroyWindow(window);
    return TRUE;
  }
  return FALSE;
}

// Windows-1252 text of the layout as the window system wants it; the layout's texts are short.
struct Wide {
  explicit Wide(std::string_view text) {
    const int units = MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()),
                                          buffer, static_cast<int>(std::size(buffer)) - 1);
    buffer[units] = L'\0';
  }
  const wchar_t* c_str() const { return buffer; }
  wchar_t buffer[64] = {};
};

struct alignas(4) Template {
  DLGTEMPLATE header;
  WORD menu, windowClass, title, pointSize;
  wchar_t face[14];
};

HWND CreateWindowFromTemplate(HINSTANCE instance) {
  Template dialog{};
  dialog.header.style = app::kMainStyle | DS_CENTER | DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK;
  dialog.header.cx = app::kMainWidth;
  dialog.header.cy = app::kMainHeight;
  dialog.pointSize = 8;
  const wchar_t face[] = L"MS Sans Serif";  // the calculator's dialog font
  for (int i = 0; i < 14; ++i) dialog.face[i] = face[i];
  HWND window = CreateDialogIndirectParamW(instance, &dialog.header, nullptr, WindowProc, 0);
  SetWindowTextW(window, Wide(app::kMainCaption).c_str());
  return window;
}

void SetIcons(HINSTANCE instance, HWND window) {
  for (int size : {32, 16}) {
    HANDLE icon = LoadImageW(instance, L"#200", IMAGE_ICON, size, size, 0);
    SendMessageW(window, WM_SETICON, size == 32 ? ICON_BIG : ICON_SMALL,
                 reinterpret_cast<LPARAM>(icon));
  }
}

struct Creation {
  Wide name;
  DWORD style, extended;
};

// The class, style and extended style the calculator's toolkit gives a row of its layout.
Creation ClassAndStyle(const app::ControlRow& row) {
  using Kind = dialogs::ControlKind;
  if (row.kind == Kind::kClassByName) return {Wide(row.className), row.style, row.extendedStyle};
  if (row.kind == Kind::kTextBox) return {Wide("EDIT"), 0x50010080, WS_EX_CLIENTEDGE};
  if (row.kind == Kind::kPushButton) return {Wide("BUTTON"), 0x50010000, 0};
  return {Wide("STATIC"), 0x50000000, 0};
}

void AddControls(HINSTANCE instance, HWND window) {
  auto font = static_cast<WPARAM>(SendMessageW(window, WM_GETFONT, 0, 0));
  for (const app::ControlRow& row : app::kMainControls) {
    RECT place{row.x, row.y, row.x + row.width, row.y + row.height};
    MapDialogRect(window, &place);
    const Creation creation = ClassAndStyle(row);
    HWND control = CreateWindowExW(
        creation.extended, creation.name.c_str(), Wide(row.text).c_str(), creation.style,
        place.left, place.top, place.right - place.left, place.bottom - place.top, window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
    SendMessageW(control, WM_SETFONT, font, TRUE);
    if (row.kind == dialogs::ControlKind::kClassByName) {
      char format[32] = {};
      static_assert(app::kPickerFormat.size() < sizeof format);
      std::memcpy(format, app::kPickerFormat.data(), app::kPickerFormat.size());
      SendMessageA(control, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>(format));
    }
  }
  bandBrush = CreateSolidBrush(app::kBandBackColour);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  CoInitialize(nullptr);
  SysFreeString(SysAllocStringLen(L"x", 1));  // the strings' allocator, loaded and used
  INITCOMMONCONTROLSEX classes{sizeof classes, 0x706F};
  InitCommonControlsEx(&classes);
  classes.dwICC = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_DATE_CLASSES;
  InitCommonControlsEx(&classes);
  HWND window = CreateWindowFromTemplate(instance);
  SetIcons(instance, window);
  AddControls(instance, window);
  SetForegroundWindow(window);
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (IsWindow(window)) {
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (IsWindow(window)) WaitMessage();
      continue;
    }
    if (IsDialogMessageW(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  CoUninitialize();
  return 0;
}
