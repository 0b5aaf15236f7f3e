#include "snapshot_fault.h"

#include <windows.h>

#include "monkey.h"
#include "real_window.h"
#include "support/calculator.h"
#include "support/health.h"
#include "support/tally.h"
#include "window_model.h"

namespace monkey {

namespace {

void Checked(bool ok, const std::string& label, const char* what, const char* detail = "") {
  support::Check(ok, (label + ": " + what).c_str(), "%s", detail);
}

// Another process's handle without sharing, as an editor or a viewer might keep it.
HANDLE HoldWithoutSharing(const std::wstring& path) {
  return CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}

void RunCase(const FaultOptions& options, support::Calculator& c) {
  const std::string& label = options.label;
  HANDLE held = INVALID_HANDLE_VALUE;
  if (options.hold) {
    held = HoldWithoutSharing(options.folder + L"\\" + support::kSnapshotFile);
    Checked(held != INVALID_HANDLE_VALUE, label, "the file is held open without sharing");
  }
  // A message box inside the snapshot would keep the command from returning.
  DWORD_PTR answer = 0;
  const bool returned = SendMessageTimeoutW(c.window, WM_COMMAND, kSnapshotCommand, 0, SMTO_NORMAL,
                                            20000, &answer) != 0;
  Checked(returned, label, "the snapshot command returns");
  Checked(support::IsRunning(c), label, "the calculator is still running");
  Checked(support::CountVisibleWindows(c.process.dwProcessId) == 1, label,
          "no message box or other window appears");
  if (held != INVALID_HANDLE_VALUE) CloseHandle(held);

  Moment base{civil_model::DaysFrom1601({2021, 1, 1}), 12, 0, 0};
  Moment final{civil_model::DaysFrom1601({2021, 3, 1}), 12, 0, 0};
  WritePicker(c, kBaseDatePicker, base);
  WritePicker(c, kFinalDatePicker, final);
  SendMessageW(c.Item(kTotalDaysButton), BM_CLICK, 0, 0);
  const std::wstring total = Text(c, kTotalDaysEdit);
  Checked(total == L" 59", label, "the window answers Hay afterwards");
}

}  // namespace

int RunSnapshotFault(const FaultOptions& options) {
  support::Calculator c;
  if (!support::Launch(options.calculator, options.folder, support::kCaption, c)) {
    Checked(false, options.label, "the calculator starts in the folder", WhyNotStarted(c).c_str());
    support::Kill(c);
  } else {
    RunCase(options, c);
    const long code = support::CloseAndWait(c);
    Checked(code == 0, options.label, "the program ends with exit code 0");
    if (code < 0) support::Kill(c);
  }
  return support::Finish();
}

}  // namespace monkey
