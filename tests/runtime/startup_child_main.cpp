// A process the start-up tests run: its first argument chooses what to exercise, its exit
// code reports what start-up handed over.
#include <windows.h>

#include <string_view>

#include "platform/fpu.h"
#include "platform/startup.h"
#include "platform/thread_storage.h"
#include "runtime/startup.h"
#include "runtime/thread_record.h"

namespace {

DWORD WindowsNinetyEight() {
  return 1;  // VER_PLATFORM_WIN32_WINDOWS
}

int MainThatMustNotRun() {
  return 1;
}

// show command x 1000 + argument length x 10 + 1 when the runtime is ready.
int ReportingMain() {
  const auto* record = runtime::CurrentThreadRecord();
  const bool ready = record != nullptr && record->dialogFont == 1 && record->codePage == 0 &&
                     (platform::CurrentFpuControlWord() & 0x1F3F) == 0x133F;
  const auto arguments = std::u16string_view(runtime::ArgumentText());
  return runtime::ShowCommand() * 1000 + static_cast<int>(arguments.size()) * 10 + (ready ? 1 : 0);
}

// 1 when the DLL the tests plant beside this program loads by its name alone.
int LoadsTheDllBesideIt() {
  HMODULE planted = ::LoadLibraryW(L"planted_dll.dll");
  if (planted != nullptr) ::FreeLibrary(planted);
  return planted != nullptr ? 1 : 0;
}

int besideBeforeStartup = 0;

// 10 when the DLL beside it loaded by name before start-up (the system's own search, the
// case's control), + 1 when it still does after.
int ReportingDllSearch() {
  return besideBeforeStartup * 10 + LoadsTheDllBesideIt();
}

bool CommandLineHas(std::wstring_view word) {
  return std::wstring_view(::GetCommandLineW()).find(word) != std::wstring_view::npos;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (CommandLineHas(L"refuse")) {
    platform::ReplacePlatformIdQuery(WindowsNinetyEight);
    runtime::RunProgram(MainThatMustNotRun);
  }
  if (CommandLineHas(L"nomemory")) {
    platform::FailNextGlobalAllocations(1);
    runtime::RunProgram(MainThatMustNotRun);
  }
  if (CommandLineHas(L"dllsearch")) {
    besideBeforeStartup = LoadsTheDllBesideIt();
    runtime::RunProgram(ReportingDllSearch);
  }
  runtime::RunProgram(ReportingMain);
}
