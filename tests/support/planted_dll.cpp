// A DLL that someone put beside a program under a system DLL's name. Loaded, it leaves a mark
// beside itself ("<its own path>.ran"), so that a test sees whether the program loaded it; it
// exports what the program asks the real one for.
#include <windows.h>

extern "C" __declspec(dllexport) HRESULT WINAPI DwmFlush() {
  return S_OK;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  wchar_t mark[MAX_PATH + 4];
  const DWORD length = GetModuleFileNameW(self, mark, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return TRUE;
  lstrcpyW(mark + length, L".ran");
  HANDLE file = CreateFileW(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return TRUE;
}
