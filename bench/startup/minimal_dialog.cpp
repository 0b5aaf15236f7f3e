// The least a Win32 dialog program does: one dialog from an in-memory template, shown until it
// is closed. Its start-up time is the floor the calculator's is measured against.
// Built a second time with WITH_PLATFORM_LIBRARIES (and the calculator's manifest), it also
// starts COM, registers the common controls 6 classes, uses the calculator's dialog font and
// shows one date picker: what the
// calculator's design asks of the platform before any of its own code counts.
#include <windows.h>

#ifdef WITH_PLATFORM_LIBRARIES
#include <commctrl.h>
#include <objbase.h>
#endif

namespace {

INT_PTR CALLBACK MinimalProc(HWND window, UINT message, WPARAM, LPARAM) {
  if (message == WM_CLOSE) {
    DestroyWindow(window);
    return TRUE;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return TRUE;
  }
  return message == WM_INITDIALOG;
}

struct alignas(4) Template {
  DLGTEMPLATE header;
  WORD menu, windowClass;
  wchar_t title[8];
  WORD pointSize;  // read only with DS_SETFONT
  wchar_t face[14];
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  Template dialog{};
  dialog.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_CENTER | WS_VISIBLE;
  dialog.header.cx = 260;
  dialog.header.cy = 90;
  const wchar_t title[] = L"Minimal";
  for (int i = 0; i < 8; ++i) dialog.title[i] = title[i];
#ifdef WITH_PLATFORM_LIBRARIES
  CoInitialize(nullptr);
  INITCOMMONCONTROLSEX classes{sizeof classes,
                               ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_DATE_CLASSES};
  InitCommonControlsEx(&classes);
  dialog.header.style = (dialog.header.style & ~WS_VISIBLE) | DS_SETFONT;
  const wchar_t face[] = L"MS Sans Serif";  // the calculator's dialog font
  dialog.pointSize = 8;
  for (int i = 0; i < 14; ++i) dialog.face[i] = face[i];
#endif
  HWND window = CreateDialogIndirectParamW(instance, &dialog.header, nullptr, MinimalProc, 0);
#ifdef WITH_PLATFORM_LIBRARIES
  CreateWindowExW(0, DATETIMEPICK_CLASSW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 200, 22,
                  window, reinterpret_cast<HMENU>(201), instance, nullptr);
  ShowWindow(window, SW_SHOW);
#endif
  MSG message;
  while (window != nullptr && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(window, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return 0;
}
