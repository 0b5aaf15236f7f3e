#pragma once
// The monkey's run against one calculator: its model of the window, the date-order boxes it has
// open and what each group of checks counted. Its actions (monkey_actions.cpp) change the window
// and the model alike, its checks (monkey_checks.cpp) compare them, the driver (monkey.cpp) runs
// both and reports.

#include <windows.h>

#include <array>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "monkey.h"
#include "process_usage.h"
#include "support/calculator.h"
#include "window_model.h"

namespace monkey {

// What a group of checks is about; each counts its checks and failures apart.
enum Group {
  kPickers,
  kTotalTime,
  kHay,
  kDayBoxKnown,
  kDayBoxExoticKnown,
  kDayBoxExotic,
  kTyping,
  kOrderBoxes,
  kSnapshots,
  kDropDowns,
  kGroupCount
};

// What each group checks, as the report names it.
extern const char* const kGroupNames[kGroupCount];

struct GroupTally {
  long actions = 0;
  long failures = 0;
};

class Monkey {
 public:
  Monkey(const MonkeyOptions& options, support::Calculator& calculator)
      : options_(options), c_(calculator), random_(options.seed) {}

  void Run();

 private:
  long long Between(long long low, long long high) {
    return std::uniform_int_distribution<long long>(low, high)(random_);
  }
  Moment RandomMoment(long long near);
  void Note(const char* format, ...);
  void Fail(Group group, const char* format, ...);
  void Report(const char* kind, Group group, const std::string& text);
  bool Matches(Group group);
  bool Healthy(Group group);

  void Act();
  void SetDate(int picker, bool outside);
  void PressHay();
  void PressTotalTime();
  void TypeText(bool exotic);
  void TypeDigits();
  void Snapshot();
  void DropDown();
  void CloseBoxes();
  ProcessUsage Quiet();
  void CheckUsage(const ProcessUsage& start, const ProcessUsage& end);
  void OpenDateOrderBox();
  void CloseWithBoxesOpen();

  const MonkeyOptions& options_;
  support::Calculator& c_;
  std::mt19937_64 random_;
  WindowModel model_;
  std::vector<HWND> boxes_;  // open date-order boxes, oldest first
  long long deepest_ = 0;
  long long stackTarget_ = 1;
  std::array<GroupTally, kGroupCount> tallies_{};
  std::deque<std::string> history_;
  std::string death_;  // why the run stopped early: the calculator ended, faulted or hangs
};

// "dd/MM/yyyy hh:mm:ss", for messages.
std::string Describe(const Moment& m);
bool SameMoment(const Moment& a, const Moment& b);

}  // namespace monkey
