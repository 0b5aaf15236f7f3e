#pragma once
// Whether the calculator is still well, seen from outside: its process runs, its window answers,
// and no crash debugger has been started for it. Under Wine an unhandled fault starts winedbg.exe
// before the process ends with the fault's code, so a fault shows up here however it ends.

#include <windows.h>

#include <string>

#include "calculator.h"

namespace support {

bool IsRunning(const Calculator& calculator);
// Whether the window's thread handles a message within `milliseconds`; a hung thread fails at once.
bool Answers(HWND window, UINT milliseconds);
// Whether Wine's crash debugger runs in this Wine session.
bool CrashDebuggerRunning();
// "exit code 0", or for a status code "exception 0xC0000005 (access violation)".
std::string DescribeExit(DWORD code);
// Empty while the calculator runs, answers and no crash debugger runs; otherwise why not.
std::string WhyUnwell(const Calculator& calculator);

}  // namespace support
