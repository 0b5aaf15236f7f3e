#include "calculator.h"

#include "health.h"
#include "remote.h"

namespace support {

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

}  // namespace support
