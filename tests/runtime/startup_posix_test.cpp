// Start-up ends the process, so each run happens in a forked child that reports through a pipe
// and its exit code.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/fpu.h"
#include "platform/message_box.h"
#include "platform/startup.h"
#include "platform/thread_storage.h"
#include "runtime/dyn_string.h"
#include "runtime/release_list.h"
#include "runtime/startup.h"
#include "runtime/thread_record.h"

namespace runtime {
namespace {

int reportPipe = -1;

void Report(const std::string& text) {
  const std::string line = text + "\n";
  [[maybe_unused]] auto written = write(reportPipe, line.data(), line.size());
}

struct ChildRun {
  int exitCode;
  std::string report;
};

// Runs `prepare` and then the start-up with `programMain` in a child process.
ChildRun RunChild(void (*prepare)(), ProgramMainProcedure programMain) {
  int fds[2];
  EXPECT_EQ(pipe(fds), 0);
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    reportPipe = fds[1];
    prepare();
    RunProgram(programMain);
  }
  close(fds[1]);
  std::string report;
  char buffer[256];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) report.append(buffer, n);
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, report};
}

int RecordBox(const platform::MessageBoxCall& call) {
  Report(std::string("box:") + (call.narrowText ? call.narrowText : "?") +
         (call.narrowCaption == nullptr ? ":default-caption" : ":caption") +
         (call.owner == nullptr ? ":no-owner" : ":owner") + ":" + std::to_string(call.type));
  return 1;
}

int MainThatMustNotRun() {
  Report("main ran");
  return 0;
}

TEST(Startup, OtherPlatformsSeeOnlyTheRefusalAndExitWith255) {
  for (auto query : {+[]() -> DWORD { return 1; }, +[]() -> DWORD { return 0; }}) {
    static platform::PlatformIdQuery chosen;
    chosen = query;
    const ChildRun run = RunChild(
        [] {
          platform::ReplacePlatformIdQuery(chosen);
          platform::SetMessageBoxHook(RecordBox);
        },
        MainThatMustNotRun);
    EXPECT_EQ(run.exitCode, 255);
    EXPECT_EQ(run.report, "box:Win98 No Support:default-caption:no-owner:73728\n");
  }
}

TEST(Startup, NoMemoryForTheThreadRecordEndsSilentlyWith255) {
  const ChildRun run = RunChild(
      [] {
        platform::SetMessageBoxHook(RecordBox);
        platform::FailNextGlobalAllocations(1);
      },
      MainThatMustNotRun);
  EXPECT_EQ(run.exitCode, 255);
  EXPECT_EQ(run.report, "");
}

DynString globalText;
const ReleaseEntry kGlobals[] = {{ReleaseKind::kDynString, &globalText},
                                 {ReleaseKind::kEnd, nullptr}};

int MainThatReportsItsWorld() {
  const ThreadRecord* record = CurrentThreadRecord();
  Report("show:" + std::to_string(ShowCommand()));
  Report("args:" + std::to_string(std::u16string_view(ArgumentText()).size()));
  Report("record:" + std::to_string(record->dialogFont) + "," + std::to_string(record->codePage));
  Report("fpu:" + std::to_string(platform::CurrentFpuControlWord()));
  globalText = DynString::Copy("kept until shutdown");
  SetGlobalReleaseList(kGlobals);
  return 42;
}

TEST(Startup, ProgramMainRunsInAPreparedRuntimeAndItsResultIsTheExitCode) {
  // Start from truncation and 53-bit precision, so only start-up can bring back the mode.
  const ChildRun run = RunChild(
      [] {
        const std::uint16_t other = 0x0E7F;
        asm volatile("fldcw %0" : : "m"(other));
      },
      MainThatReportsItsWorld);
  EXPECT_EQ(run.exitCode, 42);
  // The native stand-in starts without STARTF_USESHOWWINDOW and without arguments.
  EXPECT_EQ(run.report,
            "show:10\nargs:0\nrecord:1,0\nfpu:" + std::to_string(0x133F | 0x40) +
                "\n");  // bit 6 reads as 1
}

}  // namespace
}  // namespace runtime
