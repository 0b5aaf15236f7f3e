// Starts the real calculator and works its window as a user's actions would reach it.
//   e2e_driver CALCULATOR.exe                 every check; the last line is "N passed, M failed"
//   e2e_driver --clicks N CALCULATOR.exe       click-to-result times over N clicks
//   e2e_driver --startup N CALCULATOR.exe MINIMAL.exe   start-up times, the two alternating
//   e2e_driver --snapshot CALCULATOR.exe      one snapshot in the current folder, then close
//   e2e_driver --races CALCULATOR.exe         only the snapshot against kills, other writers, a
//                                             held picture and earlier calculators' leftovers
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "scenarios.h"
#include "support/calculator.h"
#include "support/remote.h"
#include "support/tally.h"

namespace {

using namespace e2e;

// The snapshot against kills, other writers, a reader, a holder and leftovers: calculators of
// their own.
void CheckSnapshotRaces(const std::wstring& exe, const std::wstring& folder) {
  CheckCalculatorEndedWhileWriting(exe, folder);
  CheckWritersSharingOneName(exe, folder);
  CheckSnapshotOfHeldPicture(exe, folder);
  CheckLeftoversOfEarlierCalculators(exe, folder);
}

int RunChecks(const std::wstring& exe) {
  std::wstring folder = CurrentFolder();
  Calculator c;
  if (!Check(Launch(exe, folder, kCaption, c), "the calculator starts and shows its window")) {
    Kill(c);
    return Finish();
  }
  CheckCommonControls6(c);
  CheckWindowAndLayout(c);
  CheckSnapshotBeforeAnyResult(c, folder);
  CheckInitialState(c);
  CheckWorkedIntervals(c);
  CheckDateOrderMessage(c);
  CheckDayTotals(c);
  CheckResultsStayUntilPressed(c);
  CheckNumberOfDaysBox(c);
  CheckSnapshot(c, folder);
  CheckDropDownCalendar(c);
  CheckEnterAndEscKeepWindow(c);
  long code = CloseAndWait(c);
  Check(code == 0, "the close box ends the program with exit code 0", "exit code %ld", code);
  if (code < 0) Kill(c);

  // Alt+F4 arrives as the same system command as the close box, from the keyboard.
  Calculator again;
  if (Launch(exe, folder, kCaption, again)) {
    PostMessageW(again.window, WM_SYSKEYDOWN, VK_F4, 0x203E0001);
    PostMessageW(again.window, WM_SYSKEYUP, VK_F4, 0xE03E0001);
    bool ended = WaitForSingleObject(again.process.hProcess, 10000) == WAIT_OBJECT_0;
    DWORD exit = 1;
    GetExitCodeProcess(again.process.hProcess, &exit);
    Check(ended && exit == 0, "Alt+F4 ends the program with exit code 0");
    if (!ended) Kill(again);
  }
  CheckEveryCharacterInDaysBox(exe, folder);
  CheckSnapshotRaces(exe, folder);
  CheckDllPlantedBesideTheProgram(exe, folder);
  return Finish();
}

int MeasureClicks(const std::wstring& exe, int clicks) {
  Calculator c;
  if (!Launch(exe, CurrentFolder(), kCaption, c)) return 1;
  MeasureClickToResult(c, clicks);
  CloseAndWait(c);
  return 0;
}

// Exit code 0 when the calculator started, took the snapshot and ended normally.
int TakeOneSnapshot(const std::wstring& exe) {
  Calculator c;
  if (!Launch(exe, CurrentFolder(), kCaption, c)) {
    Kill(c);
    return 1;
  }
  SendMessageW(c.window, WM_COMMAND, kSnapshotCommand, 0);
  bool stillThere = IsWindowVisible(c.window) != 0;
  long code = CloseAndWait(c);
  if (code < 0) Kill(c);
  return stillThere && code == 0 ? 0 : 1;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// Process start to a visible window that answers, alternating the two programs so that both
// see the same machine load.
int MeasureStartup(const std::wstring& calculator, const std::wstring& minimal, int runs) {
  std::vector<double> ours, floor;
  for (int i = 0; i < runs; ++i) {
    for (int which = 0; which < 2; ++which) {
      bool mine = (which + i) % 2 == 0;
      Calculator c;
      bool ok = Launch(mine ? calculator : minimal, CurrentFolder(), nullptr, c);
      if (ok) (mine ? ours : floor).push_back(c.millisecondsToVisible);
      if (!ok || CloseAndWait(c) < 0) Kill(c);
    }
  }
  double a = Median(ours), b = Median(floor);
  std::printf(
      "start-up median over %d runs: calculator %.1f ms, minimal dialog %.1f ms, "
      "ratio %.3f\n",
      runs, a, b, b > 0 ? a / b : 0.0);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 4 && std::wcscmp(argv[1], L"--clicks") == 0) {
    return MeasureClicks(FullPath(argv[3]), _wtoi(argv[2]));
  }
  if (argc == 5 && std::wcscmp(argv[1], L"--startup") == 0) {
    return MeasureStartup(FullPath(argv[3]), FullPath(argv[4]), _wtoi(argv[2]));
  }
  if (argc == 3 && std::wcscmp(argv[1], L"--snapshot") == 0) {
    return TakeOneSnapshot(FullPath(argv[2]));
  }
  if (argc == 3 && std::wcscmp(argv[1], L"--races") == 0) {
    CheckSnapshotRaces(FullPath(argv[2]), CurrentFolder());
    return Finish();
  }
  if (argc == 2) return RunChecks(FullPath(argv[1]));
  std::fprintf(stderr,
               "usage: e2e_driver [--clicks N | --startup N | --snapshot | --races] CALCULATOR.exe "
               "[MINIMAL.exe]\n");
  return 2;
}
