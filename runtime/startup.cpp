#include "runtime/startup.h"

#include "platform/fpu.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/startup.h"
#include "platform/win_messages.h"
#include "runtime/command_line.h"
#include "runtime/error_numbers.h"
#include "runtime/release_list.h"
#include "runtime/thread_record.h"

namespace runtime {
namespace {

constexpr UINT kRefusalBoxType = MB_OK | MB_TASKMODAL | MB_SETFOREGROUND;
// Every common-control class but the date, up-down, animate, extended combo, cool-bar,
// IP-address and link classes; the calculator asks for the date pickers itself.
constexpr DWORD kCommonControlClasses = ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES |
                                        ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS |
                                        ICC_HOTKEY_CLASS | ICC_PAGESCROLLER_CLASS |
                                        ICC_NATIVEFNTCTL_CLASS | ICC_STANDARD_CLASSES;

HINSTANCE programInstance = nullptr;
const char16_t* argumentText = u"";
int showCommand = SW_SHOWDEFAULT;

[[noreturn]] void Refuse() {
  platform::MessageBoxA(nullptr, "Win98 No Support", nullptr, kRefusalBoxType);
  platform::ExitProcess(error::kFatalExitCode);
}

void SaveStartupValues() {
  const platform::StartupInfo info = platform::GetStartupInfoA();
  showCommand = (info.flags & STARTF_USESHOWWINDOW) != 0 ? info.showWindow : SW_SHOWDEFAULT;
  argumentText = SkipProgramName(platform::GetCommandLineW());
  programInstance = platform::GetModuleHandleW();
}

[[noreturn]] void Shutdown(int exitCode) {
  ReleaseGlobals();
  ReleaseThreadRecords();  // the record, then the slot
  platform::CoUninitialize();
  platform::ExitProcess(static_cast<unsigned>(exitCode));
}

}  // namespace

void RunProgram(ProgramMainProcedure programMain) {
  platform::RestrictDllSearchToSystem();  // before anything can load a DLL by name
  if (platform::GetVersionPlatformId() != VER_PLATFORM_WIN32_NT) Refuse();
  SaveStartupValues();
  if (!InitThreadRecords()) platform::ExitProcess(error::kFatalExitCode);
  platform::CoInitialize();
  platform::InitCommonControlsEx(kCommonControlClasses);
  // The program's own initialisation, before its first statement; the program main prepares
  // the toolkit's fonts itself, first thing.
  platform::LoadFpuControlWord();
  Shutdown(programMain());
}

HINSTANCE ProgramInstance() {
  // Before start-up (tests) the executable's own module stands in.
  return programInstance != nullptr ? programInstance : platform::GetModuleHandleW();
}

const char16_t* ArgumentText() {
  return argumentText;
}

int ShowCommand() {
  return showCommand;
}

}  // namespace runtime
