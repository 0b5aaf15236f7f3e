#pragma once
// What a process holds of the system: its GDI and USER objects and its private memory.

#include <windows.h>

#include <string>

namespace monkey {

struct ProcessUsage {
  DWORD gdiObjects = 0;  // GetGuiResources; 0 where the system does not count them
  DWORD userObjects = 0;
  DWORD gdiTable = 0;  // used entries of the process's GDI handle table, where it is readable
  DWORD windows = 0;   // windows of the process, top-level and child, counted by hand
  SIZE_T privateBytes = 0;
  SIZE_T pagefileBytes = 0;
};

ProcessUsage MeasureUsage(HANDLE process, DWORD processId);
std::string Describe(const ProcessUsage& usage);

}  // namespace monkey
