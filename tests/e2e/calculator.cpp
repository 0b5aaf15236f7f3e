#include "calculator.h"

#include "health.h"
#include "remote.h"

namespace e2e {

namespace {

struct Search {
  DWORD processId;
  const wchar_t* className;
  const wchar_t* title;
  HWND found;
  int visible;
};

BOOL CALLBACK Visit(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  ++search->visible;
  wchar_t text[256] = {};
  if (search->className != nullptr) {
    GetClassNameW(window, text, 256);
    if (lstrcmpiW(text, search->className) != 0) return TRUE;
  }
  if (search->title != nullptr) {
    GetWindowTextW(window, text, 256);
    if (lstrcmpW(text, search->title) != 0) return TRUE;
  }
  if (search->found == nullptr) search->found = window;
  return TRUE;
}

}  // namespace

HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title) {
  Search search{processId, className, title, nullptr, 0};
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int CountVisibleWindows(DWORD processId) {
  Search search{processId, nullptr, nullptr, nullptr, 0};
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
  return search.visible;
}

bool Launch(const std::wstring& exe, const std::wstring& folder, const wchar_t* caption,
            Calculator& calculator) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring commandLine = L"\"" + exe + L"\"";
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &calculator.process)) {
    return false;
  }
  DWORD id = calculator.process.dwProcessId;
  bool shown = WaitFor(
      [&] {
        calculator.window = FindProcessWindow(id, nullptr, caption);
        return calculator.window != nullptr && Answers(calculator.window, 1000);
      },
      30000);
  QueryPerformanceCounter(&now);
  calculator.millisecondsToVisible =
      1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart;
  return shown;
}

long CloseAndWait(Calculator& calculator) {
  PostMessageW(calculator.window, WM_SYSCOMMAND, SC_CLOSE, 0);
  if (WaitForSingleObject(calculator.process.hProcess, 20000) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(calculator.process.hProcess, &code);
  CloseHandle(calculator.process.hProcess);
  CloseHandle(calculator.process.hThread);
  calculator.process = {};
  return static_cast<long>(code);
}

void Kill(Calculator& calculator) {
  if (calculator.process.hProcess == nullptr) return;
  TerminateProcess(calculator.process.hProcess, 1);
  WaitForSingleObject(calculator.process.hProcess, 5000);
  CloseHandle(calculator.process.hProcess);
  CloseHandle(calculator.process.hThread);
  calculator.process = {};
}

}  // namespace e2e
