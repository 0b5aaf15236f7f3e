#include "health.h"

#include <tlhelp32.h>

#include <cstdio>

namespace support {

namespace {

// Long enough for a busy machine under Wine; a calculator stuck in a fault never answers.
constexpr UINT kAnswerMilliseconds = 5000;

struct StatusName {
  DWORD code;
  const char* name;
};

// Status codes a process ends with when a fault goes unhandled.
constexpr StatusName kStatusNames[] = {
    {0xC0000005, "access violation"},
    {0xC000001D, "illegal instruction"},
    {0xC0000094, "integer division by zero"},
    {0xC00000FD, "stack overflow"},
    {0xC0000374, "heap corruption"},
    {0xC0000409, "stack buffer overrun or fail-fast"},
    {0x80000003, "breakpoint"},
    {0xC0000025, "non-continuable exception"},
};

// Codes with the top bit set are status codes (warnings and errors), not a program's own.
bool IsStatusCode(DWORD code) {
  return (code & 0x80000000u) != 0;
}

// What a faulted calculator shows at this moment, most telling first; empty when nothing.
std::string FaultSigns(const Calculator& calculator) {
  const bool debugger = CrashDebuggerRunning();
  if (!IsRunning(calculator)) {
    DWORD code = 0;
    GetExitCodeProcess(calculator.Handle(), &code);
    return "the calculator has ended with " + DescribeExit(code) +
           (debugger ? "; Wine's crash debugger (winedbg.exe) runs" : "");
  }
  if (debugger) return "Wine's crash debugger (winedbg.exe) runs: the calculator faulted";
  return {};
}

}  // namespace

bool IsRunning(const Calculator& calculator) {
  return calculator.Handle() != nullptr &&
         WaitForSingleObject(calculator.Handle(), 0) == WAIT_TIMEOUT;
}

bool Answers(HWND window, UINT milliseconds) {
  DWORD_PTR answer = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, milliseconds, &answer) != 0;
}

bool CrashDebuggerRunning() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
       more = Process32NextW(snapshot, &entry)) {
    found = lstrcmpiW(entry.szExeFile, L"winedbg.exe") == 0;
  }
  CloseHandle(snapshot);
  return found;
}

std::string DescribeExit(DWORD code) {
  char text[96];
  if (!IsStatusCode(code)) {
    std::snprintf(text, sizeof text, "exit code %lu", code);
    return text;
  }
  const char* name = "unknown status";
  for (const StatusName& known : kStatusNames) {
    if (known.code == code) name = known.name;
  }
  std::snprintf(text, sizeof text, "exception 0x%08lX (%s)", code, name);
  return text;
}

std::string WhyUnwell(const Calculator& calculator) {
  if (calculator.Handle() == nullptr) return "the calculator was not started";
  if (std::string signs = FaultSigns(calculator); !signs.empty()) return signs;
  if (Answers(calculator.window, kAnswerMilliseconds)) return {};
  // It may have faulted while the message waited.
  std::string signs = FaultSigns(calculator);
  if (!signs.empty()) return signs;
  return "the calculator's window does not answer WM_NULL within " +
         std::to_string(kAnswerMilliseconds / 1000) + " s";
}

}  // namespace support
