// The least a Win32 dialog program does: one dialog from an in-memory template, shown until it
// is closed. Its start-up time is the floor the calculator's is measured against.
#include <windows.h>

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
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  Template dialog{};
  dialog.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_CENTER | WS_VISIBLE;
  dialog.header.cx = 260;
  dialog.header.cy = 90;
  const wchar_t title[] = L"Minimal";
  for (int i = 0; i < 8; ++i) dialog.title[i] = title[i];
  HWND window = CreateDialogIndirectParamW(instance, &dialog.header, nullptr, MinimalProc, 0);
  MSG message;
  while (window != nullptr && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(window, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return 0;
}
