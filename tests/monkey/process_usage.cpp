#include "process_usage.h"

#include <psapi.h>
#include <winternl.h>

#include <cstdio>
#include <vector>

#include "support/process_windows.h"

namespace monkey {

namespace {

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<DWORD*>(count);
  return TRUE;
}

// Where GetGuiResources counts nothing (Wine), the GDI objects are counted in the process's
// GDI handle table, which the PEB names: 65536 entries of 24 bytes, a used one with a
// non-zero type byte at offset 14.
DWORD CountGdiHandleTable(HANDLE process) {
  PROCESS_BASIC_INFORMATION basic{};
  ULONG length = 0;
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, &length) !=
      0) {
    return 0;
  }
  constexpr SIZE_T kTableOffsetInPeb = 0xF8;  // x64
  constexpr SIZE_T kEntries = 0x10000, kEntrySize = 24, kTypeOffset = 14;
  ULONG_PTR table = 0;
  SIZE_T read = 0;
  if (!ReadProcessMemory(process, reinterpret_cast<BYTE*>(basic.PebBaseAddress) + kTableOffsetInPeb,
                         &table, sizeof table, &read) ||
      table == 0) {
    return 0;
  }
  std::vector<BYTE> entries(kEntries * kEntrySize);
  if (!ReadProcessMemory(process, reinterpret_cast<void*>(table), entries.data(), entries.size(),
                         &read)) {
    return 0;
  }
  DWORD used = 0;
  for (SIZE_T i = 0; i < kEntries; ++i) used += entries[i * kEntrySize + kTypeOffset] != 0;
  return used;
}

}  // namespace

ProcessUsage MeasureUsage(HANDLE process, DWORD processId) {
  ProcessUsage usage;
  usage.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
  usage.userObjects = GetGuiResources(process, GR_USEROBJECTS);
  if (usage.gdiObjects == 0) usage.gdiTable = CountGdiHandleTable(process);
  // Every window of the process, hidden ones and children included.
  for (HWND window : support::ProcessWindows(processId, false)) {
    ++usage.windows;
    EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&usage.windows));
  }
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof memory)) {
    usage.privateBytes = memory.PrivateUsage;
    usage.pagefileBytes = memory.PagefileUsage;
  }
  return usage;
}

std::string Describe(const ProcessUsage& usage) {
  char text[200];
  std::snprintf(text, sizeof text,
                "GDI %lu, USER %lu, GDI handle table %lu, windows %lu, private %zu KB, "
                "pagefile %zu KB",
                usage.gdiObjects, usage.userObjects, usage.gdiTable, usage.windows,
                usage.privateBytes / 1024, usage.pagefileBytes / 1024);
  return text;
}

}  // namespace monkey
