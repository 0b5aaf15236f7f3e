// The monkey's driver: starts the calculator, runs the actions, then reports each group of
// checks, the stack of date-order boxes, the process's usage and the close with boxes open.
#include "monkey.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "monkey_run.h"
#include "real_window.h"
#include "support/calculator.h"
#include "support/health.h"
#include "support/tally.h"

namespace monkey {

void Monkey::Run() {
  model_.base = ReadPicker(c_, kBaseDatePicker);
  model_.final = ReadPicker(c_, kFinalDatePicker);
  // The second half of the run is measured: the first lets Wine's heaps settle.
  const int warmUp = std::max(200, options_.actions / 2);
  ProcessUsage start;
  for (int step = 1; step <= options_.actions && death_.empty(); ++step) {
    Act();
    if (step == warmUp) start = Quiet();
    if (options_.usageEvery > 0 && step % options_.usageEvery == 0) {
      std::printf("after %d actions: %s\n", step, Describe(Quiet()).c_str());
      std::fflush(stdout);
    }
  }
  if (!death_.empty()) {
    support::Check(false, "the calculator survives every action", "%s", death_.c_str());
    return;
  }
  const ProcessUsage end = Quiet();
  for (int g = 0; g < kGroupCount; ++g) {
    const GroupTally& t = tallies_[g];
    char name[200];
    std::snprintf(name, sizeof name, "%s (%ld checks)", kGroupNames[g], t.actions);
    if (t.actions == 0) {
      support::Skip(name, "no such action in this run");
    } else {
      support::Check(t.failures == 0, name, "%ld failed", t.failures);
    }
  }
  support::Check(deepest_ >= 2 || options_.deepestStack < 2, "date-order boxes stacked",
                 "deepest %lld", deepest_);
  std::printf("deepest stack of date-order boxes: %lld\n", deepest_);
  CheckUsage(start, end);
  CloseWithBoxesOpen();
}

std::string WhyNotStarted(const support::Calculator& calculator) {
  if (calculator.process.hProcess == nullptr) return "it could not be started";
  if (support::IsRunning(calculator)) return "no window with its caption answered within 30 s";
  DWORD code = 0;
  GetExitCodeProcess(calculator.process.hProcess, &code);
  return "it ended with " + support::DescribeExit(code) + " before showing its window";
}

int RunMonkey(const MonkeyOptions& options) {
  std::printf("monkey: seed %llu, %d actions\n", options.seed, options.actions);
  std::fflush(stdout);
  support::Calculator calculator;
  const bool started =
      support::Launch(options.calculator, options.folder, support::kCaption, calculator);
  if (!support::Check(started, "the calculator starts", "%s", WhyNotStarted(calculator).c_str())) {
    support::Kill(calculator);
  } else {
    const DWORD begun = GetTickCount();
    Monkey(options, calculator).Run();
    std::printf("actions took %.1f s\n", (GetTickCount() - begun) / 1000.0);
    support::Kill(calculator);  // only if something above left it running
  }
  return support::Finish();
}

}  // namespace monkey
