#include "runtime/startup.h"

#include "platform/fpu.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/startup.h"
#include "runtime/command_line.h"
#include "runtime/release_list.h"
#include "runtime/thread_record.h"

namespace runtime {
namespace {

constexpr DWORD kPlatformWin32Nt = 2;
constexpr DWORD kStartfUseShowWindow = 0x1;
constexpr int kSwShowDefault = 10;
constexpr unsigned kRefusedExitCode = 255;
constexpr UINT kRefusalBoxType = 0x12000;  // MB_OK | MB_TASKMODAL | MB_SETFOREGROUND
// Every common-control class but the date, up-down, animate, extended combo, cool-bar,
// IP-address and link classes; the calculator asks for the date pickers itself.
constexpr DWORD kCommonControlClasses = 0x706F;

HINSTANCE programInstance = nullptr;
const char16_t* argumentText = u"";
int showCommand = kSwShowDefault;

[[noreturn]] void Refuse() {
  platform::MessageBoxA(nullptr, "Win98 No Support", nullptr, kRefusalBoxType);
  platform::ExitProcess(kRefusedExitCode);
}

void SaveStartupValues() {
  const platform::StartupInfo info = platform::GetStartupInfoA();
  showCommand = (info.flags & kStartfUseShowWindow) != 0 ? info.showWindow : kSwShowDefault;
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
  if (platform::GetVersionPlatformId() != kPlatformWin32Nt) Refuse();
  SaveStartupValues();
  if (!InitThreadRecords()) platform::ExitProcess(kRefusedExitCode);
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
