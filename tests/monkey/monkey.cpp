#include "monkey.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "../e2e/calculator.h"
#include "../e2e/health.h"
#include "../e2e/remote.h"
#include "../e2e/tally.h"
#include "civil_days.h"
#include "process_usage.h"
#include "real_window.h"
#include "snapshot_file_check.h"
#include "typed_texts.h"
#include "window_model.h"

namespace monkey {

namespace {

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

constexpr const char* kGroupNames[kGroupCount] = {
    "dates set in the pickers, refused where the picker refuses them",
    "Tiempo total shows the model's interval",
    "Hay shows the model's day count",
    "number-of-days box, common texts, moves the final date as the model reads them",
    "number-of-days box, extremes (huge, tiny, 64-bit based) move as the model reads them",
    "number-of-days box, random Windows-1252 and control characters, keeps the invariants",
    "digits typed one by one move the final date at each key",
    "date-order boxes open without owner, stack, and leave zeros when closed",
    "snapshot command writes a whole bitmap and shows nothing",
    "drop-down calendars open as wide as their today line and close",
};

const wchar_t kOrderText[] =
    L"La fecha segunda esta mal configurada ...\r\nDebe ser m\u00E1s antigua que la primera ...";

struct Tally {
  long actions = 0;
  long failures = 0;
};

class Monkey {
 public:
  Monkey(const MonkeyOptions& options, e2e::Calculator& calculator)
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
  e2e::Calculator& c_;
  std::mt19937_64 random_;
  WindowModel model_;
  std::vector<HWND> boxes_;  // open date-order boxes, oldest first
  long long deepest_ = 0;
  long long stackTarget_ = 1;
  std::array<Tally, kGroupCount> tallies_{};
  std::deque<std::string> history_;
  std::string death_;  // why the run stopped early: the calculator ended, faulted or hangs
};

void Monkey::Note(const char* format, ...) {
  char text[600];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  history_.push_back(text);
  if (history_.size() > 6) history_.pop_front();
}

void Monkey::Fail(Group group, const char* format, ...) {
  char text[600];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  Report("mismatch", group, text);
}

// One failure of the group, printed with the last few actions while there are only a few.
void Monkey::Report(const char* kind, Group group, const std::string& text) {
  Tally& tally = tallies_[group];
  ++tally.failures;
  if (tally.failures > 8) return;  // the first few tell the story
  std::printf("  %s (%s): %s\n    after:", kind, kGroupNames[group], text.c_str());
  for (const std::string& step : history_) std::printf(" | %s", step.c_str());
  std::printf("\n");
  std::fflush(stdout);
}

std::string Describe(const Moment& m) {
  char text[48];
  std::snprintf(text, sizeof text, "%s %02d:%02d:%02d", DateName(m.day).c_str(), m.hour, m.minute,
                m.second);
  return text;
}

bool SameMoment(const Moment& a, const Moment& b) {
  return a.day == b.day && a.hour == b.hour && a.minute == b.minute && a.second == b.second;
}

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c >= 32 && c < 127 ? static_cast<char>(c) : '?';
  return out;
}

// A calculator that ended, faulted into the crash debugger or stopped answering ends the run
// here, with its reason, before its state could show up as a mismatch.
bool Monkey::Healthy(Group group) {
  if (!death_.empty()) return false;  // reported once, with the first reason seen
  if (std::string why = e2e::WhyUnwell(c_); !why.empty()) {
    Report("calculator down", group, why);
    death_ = why;
    return false;
  }
  if (int strange = StrangeWindows(c_, boxes_); strange != 0) {
    Fail(group, "%d unexpected window(s) of the calculator", strange);
    return false;
  }
  return true;
}

// The whole visible state against the model.
bool Monkey::Matches(Group group) {
  ++tallies_[group].actions;
  if (!Healthy(group)) return false;
  const Moment base = ReadPicker(c_, kBasePicker);
  const Moment final = ReadPicker(c_, kFinalPicker);
  const std::wstring band = Text(c_, kTotalTimeText);
  const std::wstring total = Text(c_, kTotalDaysBox);
  bool ok = true;
  if (!SameMoment(base, model_.base) || !SameMoment(final, model_.final)) {
    Fail(group, "pickers %s / %s, model %s / %s", Describe(base).c_str(), Describe(final).c_str(),
         Describe(model_.base).c_str(), Describe(model_.final).c_str());
    ok = false;
  }
  if (band != model_.band || total != model_.dayTotal) {
    Fail(group, "results '%s' / '%s', model '%s' / '%s'", Narrow(band).c_str(),
         Narrow(total).c_str(), Narrow(model_.band).c_str(), Narrow(model_.dayTotal).c_str());
    ok = false;
  }
  // Resynchronise, so one fault is reported once.
  model_.base = base;
  model_.final = final;
  model_.band = band;
  model_.dayTotal = total;
  return ok;
}

// Uniform over the pickers' range, near the other date (small intervals, borrows), at month
// ends, at the ends of the range.
Moment Monkey::RandomMoment(long long near) {
  Moment m;
  m.hour = static_cast<int>(Between(0, 23));
  m.minute = static_cast<int>(Between(0, 59));
  m.second = static_cast<int>(Between(0, 59));
  switch (Between(0, 9)) {
    case 0:
    case 1:
    case 2:
    case 3:
      m.day = Between(kFirstPickerDay, kLastPickerDay);
      break;
    case 4:
    case 5:
    case 6:
      m.day = near + Between(-800, 800);
      break;
    case 7:
    case 8: {
      const Civil c = CivilFromDays(Between(kFirstPickerDay + 31, kLastPickerDay - 31));
      const unsigned length = MonthLength(c.year, c.month);
      m.day = DaysFromCivil(c.year, c.month, static_cast<unsigned>(Between(28, length)));
      break;
    }
    default:
      m.day =
          Between(0, 1) == 0 ? kFirstPickerDay + Between(0, 40) : kLastPickerDay - Between(0, 40);
      break;
  }
  if (m.day < kFirstPickerDay) m.day = kFirstPickerDay;
  if (m.day > kLastPickerDay) m.day = kLastPickerDay;
  return m;
}

void Monkey::SetDate(int picker, bool outside) {
  Moment& target = picker == kBasePicker ? model_.base : model_.final;
  Moment m = RandomMoment(picker == kBasePicker ? model_.final.day : model_.base.day);
  if (outside) {
    // 1601 up to the day before the first the picker shows, or just beyond 9999.
    m.day = Between(0, 1) == 0 ? Between(kDay1601, kFirstPickerDay - 1)
                               : kLastPickerDay + Between(1, 3000);
  }
  Note("%s picker := %s", picker == kBasePicker ? "base" : "final", Describe(m).c_str());
  WritePicker(c_, picker, m);
  if (PickerAccepts(m)) target = m;
  Matches(kPickers);
}

void Monkey::PressHay() {
  Note("Hay");
  SendMessageW(c_.Item(kHayButton), BM_CLICK, 0, 0);
  model_.dayTotal = DayTotalText(model_.base, model_.final);
  Matches(kHay);
}

void Monkey::PressTotalTime() {
  if (!IsDateOrderError(model_.base, model_.final)) {
    Note("Tiempo total");
    SendMessageW(c_.Item(kTotalTimeButton), BM_CLICK, 0, 0);
    model_.band = IntervalText(model_.base, model_.final);
    Matches(kTotalTime);
    return;
  }
  // The box runs its own loop inside the click: post the click and find the new box.
  Note("Tiempo total, final before base (%zu box(es) open)", boxes_.size());
  ++tallies_[kOrderBoxes].actions;
  PostMessageW(c_.Item(kTotalTimeButton), BM_CLICK, 0, 0);
  HWND box = nullptr;
  e2e::WaitFor([&] {
    for (HWND candidate : DateOrderBoxes(c_)) {
      if (std::find(boxes_.begin(), boxes_.end(), candidate) == boxes_.end()) box = candidate;
    }
    return box != nullptr;
  });
  if (box == nullptr) {
    Fail(kOrderBoxes, "no date-order box appeared with %zu open", boxes_.size());
    return;
  }
  boxes_.push_back(box);
  deepest_ = std::max<long long>(deepest_, static_cast<long long>(boxes_.size()));
  if (std::wstring text = e2e::WindowText(GetDlgItem(box, 0xFFFF)); text != kOrderText) {
    Fail(kOrderBoxes, "box text '%s'", Narrow(text).c_str());
  }
  if (GetWindow(box, GW_OWNER) != nullptr || !IsWindowEnabled(c_.window)) {
    Fail(kOrderBoxes, "the box has an owner or the window is disabled");
  }
  Matches(kTotalTime);  // the line changes only once the box is closed
  if (static_cast<long long>(boxes_.size()) >= stackTarget_) CloseBoxes();
}

// Newest first: each box returns into the click that opened it, which then shows zeros.
void Monkey::CloseBoxes() {
  while (!boxes_.empty()) {
    HWND box = boxes_.back();
    Note("close date-order box %zu", boxes_.size());
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    if (!e2e::WaitFor([&] { return !IsWindow(box); })) {
      Fail(kOrderBoxes, "box %zu did not close", boxes_.size());
      return;
    }
    boxes_.pop_back();
    model_.band = IntervalText(model_.base, model_.base);
    e2e::WaitFor([&] { return Text(c_, kTotalTimeText) == model_.band; }, 5000);
    Matches(kOrderBoxes);
  }
  if (!DateOrderBoxes(c_).empty()) Fail(kOrderBoxes, "a date-order box is still open");
  stackTarget_ = Between(1, options_.deepestStack);
}

void Monkey::TypeText(bool exotic) {
  const TypedText typed = exotic ? ExoticText(random_) : CommonText(random_);
  Note("box := '%s' (%s)", Narrow(typed.text).c_str(), typed.kind);
  SetText(c_, kDaysBox, typed.text);
  if (typed.known) {
    model_.final = FinalAfterDayBox(model_, typed.days);
    Matches(exotic ? kDayBoxExoticKnown : kDayBoxKnown);
    return;
  }
  // Whatever the reading, the final date is the old one, the base, or a date the picker
  // shows with the base's time of day; the results stay.
  ++tallies_[kDayBoxExotic].actions;
  if (!Healthy(kDayBoxExotic)) return;
  const Moment final = ReadPicker(c_, kFinalPicker);
  const Moment& base = model_.base;
  const bool sameTime =
      final.hour == base.hour && final.minute == base.minute && final.second == base.second;
  if (!SameMoment(final, model_.final) && !(sameTime && PickerAccepts(final))) {
    Fail(kDayBoxExotic, "final %s from base %s", Describe(final).c_str(), Describe(base).c_str());
  }
  if (Text(c_, kTotalTimeText) != model_.band || Text(c_, kTotalDaysBox) != model_.dayTotal) {
    Fail(kDayBoxExotic, "a result changed");
  }
  model_.final = final;
}

void Monkey::TypeDigits() {
  std::wstring typed = Between(0, 3) == 0 ? L"-" : L"";
  const long long count = Between(1, 6);
  for (long long i = 0; i < count; ++i) typed += static_cast<wchar_t>(L'0' + Between(0, 9));
  Note("clear the box and type '%s'", Narrow(typed).c_str());
  SetText(c_, kDaysBox, L"");
  model_.final = FinalAfterDayBox(model_, 0);
  Matches(kTyping);
  for (std::size_t i = 0; i < typed.size(); ++i) {
    SendMessageW(c_.Item(kDaysBox), EM_SETSEL, i, i);
    SendMessageW(c_.Item(kDaysBox), WM_CHAR, typed[i], 1);
    const std::wstring sofar = typed.substr(0, i + 1);
    const long long value = sofar == L"-" ? 0 : std::stoll(sofar);
    model_.final = FinalAfterDayBox(model_, value);
    if (!Matches(kTyping)) break;
  }
}

void Monkey::Snapshot() {
  Note("command 111");
  ++tallies_[kSnapshots].actions;
  SendMessageW(c_.window, WM_COMMAND, kSnapshotCommand, 0);
  RECT outer{};
  GetWindowRect(c_.window, &outer);
  const std::string problem =
      CheckSnapshotFile(options_.folder + L"\\RoredAvuv.bmp", outer.right - outer.left + 1,
                        outer.bottom - outer.top + 2);
  if (!problem.empty()) Fail(kSnapshots, "%s", problem.c_str());
  Matches(kPickers);  // and nothing else moved
}

void Monkey::DropDown() {
  const int id = Between(0, 1) == 0 ? kBasePicker : kFinalPicker;
  Note("drop-down of the %s picker", id == kBasePicker ? "base" : "final");
  ++tallies_[kDropDowns].actions;
  HWND picker = c_.Item(id);
  RECT rect{};
  GetClientRect(picker, &rect);
  const LPARAM arrow = MAKELPARAM(rect.right - 6, rect.bottom / 2);
  PostMessageW(picker, WM_LBUTTONDOWN, MK_LBUTTON, arrow);
  PostMessageW(picker, WM_LBUTTONUP, 0, arrow);
  HWND calendar = nullptr;
  e2e::WaitFor(
      [&] {
        calendar = reinterpret_cast<HWND>(SendMessageW(picker, DTM_GETMONTHCAL, 0, 0));
        return calendar != nullptr && IsWindowVisible(calendar);
      },
      5000);
  if (calendar == nullptr || !IsWindowVisible(calendar)) {
    Fail(kDropDowns, "the calendar did not open");
    return;
  }
  const auto todayWidth = static_cast<LONG>(SendMessageW(calendar, MCM_GETMAXTODAYWIDTH, 0, 0));
  RECT client{};
  GetClientRect(calendar, &client);
  if (client.right < todayWidth)
    Fail(kDropDowns, "calendar %ld < today %ld", client.right, todayWidth);
  // Esc closes it where the calendar handles the key; a second click on the arrow everywhere.
  PostMessageW(calendar, WM_KEYDOWN, VK_ESCAPE, 0);
  if (!e2e::WaitFor([&] { return !IsWindowVisible(calendar); }, 500)) {
    PostMessageW(picker, WM_LBUTTONDOWN, MK_LBUTTON, arrow);
    PostMessageW(picker, WM_LBUTTONUP, 0, arrow);
  }
  if (!e2e::WaitFor([&] { return !IsWindowVisible(calendar); }, 5000)) {
    Fail(kDropDowns, "the calendar did not close");
    ShowWindow(calendar, SW_HIDE);
  }
  Matches(kPickers);  // Esc keeps the date
}

void Monkey::Act() {
  const long long roll = Between(0, 99);
  if (roll < 14) return SetDate(kBasePicker, false);
  if (roll < 28) return SetDate(kFinalPicker, false);
  if (roll < 31) return SetDate(Between(0, 1) == 0 ? kBasePicker : kFinalPicker, true);
  if (roll < 45) return PressHay();
  if (roll < 61) return PressTotalTime();
  if (roll < 75) return TypeText(false);
  if (roll < 82) return TypeText(true);
  if (roll < 87) return TypeDigits();
  if (roll < 89) return Snapshot();
  if (roll < 92) return DropDown();
  OpenDateOrderBox();
}

// Several date-order boxes at once: the final date before the base, then the button.
void Monkey::OpenDateOrderBox() {
  Moment earlier = model_.base;
  earlier.day = std::max(kFirstPickerDay, model_.base.day - Between(1, 400));
  Note("final picker := %s", Describe(earlier).c_str());
  WritePicker(c_, kFinalPicker, earlier);
  if (PickerAccepts(earlier)) model_.final = earlier;
  PressTotalTime();
}

ProcessUsage Monkey::Quiet() {
  CloseBoxes();
  return MeasureUsage(c_.Handle(), c_.process.dwProcessId);
}

// Object counts may differ by a few (a brush or DC cached late); a leak per action adds
// hundreds over a run.
constexpr DWORD kObjectSlack = 4;

void Monkey::CheckUsage(const ProcessUsage& start, const ProcessUsage& end) {
  std::printf("usage after warm-up: %s\nusage at the end:    %s\n", Describe(start).c_str(),
              Describe(end).c_str());
  if (start.gdiObjects != 0) {
    e2e::Check(end.gdiObjects <= start.gdiObjects + kObjectSlack, "GDI objects do not grow",
               "%lu -> %lu", start.gdiObjects, end.gdiObjects);
  } else if (start.gdiTable != 0) {
    e2e::Check(end.gdiTable <= start.gdiTable + kObjectSlack,
               "GDI objects (the process's handle table) do not grow", "%lu -> %lu", start.gdiTable,
               end.gdiTable);
  } else {
    e2e::Skip("GDI objects do not grow", "the system counts no GDI objects of another process");
  }
  if (start.userObjects != 0) {
    e2e::Check(end.userObjects <= start.userObjects + kObjectSlack, "USER objects do not grow",
               "%lu -> %lu", start.userObjects, end.userObjects);
  } else {
    e2e::Skip("USER objects do not grow",
              "GetGuiResources counts nothing here; the windows are counted instead");
  }
  e2e::Check(end.windows == start.windows, "the number of windows stays", "%lu -> %lu",
             start.windows, end.windows);
  // Wine leaves PrivateUsage at 0 and reports the resident anonymous memory as PagefileUsage.
  const SIZE_T before = start.privateBytes != 0 ? start.privateBytes : start.pagefileBytes;
  const SIZE_T after = start.privateBytes != 0 ? end.privateBytes : end.pagefileBytes;
  // Wine's heaps settle within the first thousand actions here, then stay to the page; a
  // leaked snapshot bitmap (about 180 KB) or a string per action adds far more over a run.
  const SIZE_T allowance = 192 * 1024 + before / 100;
  e2e::Check(before > 0 && after <= before + allowance, "private memory does not grow",
             "%zu KB -> %zu KB", before / 1024, after / 1024);
}

void Monkey::Run() {
  model_.base = ReadPicker(c_, kBasePicker);
  model_.final = ReadPicker(c_, kFinalPicker);
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
    e2e::Check(false, "the calculator survives every action", "%s", death_.c_str());
    return;
  }
  const ProcessUsage end = Quiet();
  for (int g = 0; g < kGroupCount; ++g) {
    const Tally& t = tallies_[g];
    char name[200];
    std::snprintf(name, sizeof name, "%s (%ld checks)", kGroupNames[g], t.actions);
    if (t.actions == 0) {
      e2e::Skip(name, "no such action in this run");
    } else {
      e2e::Check(t.failures == 0, name, "%ld failed", t.failures);
    }
  }
  e2e::Check(deepest_ >= 2 || options_.deepestStack < 2, "date-order boxes stacked", "deepest %lld",
             deepest_);
  std::printf("deepest stack of date-order boxes: %lld\n", deepest_);
  CheckUsage(start, end);
  CloseWithBoxesOpen();
}

// The close box while date-order boxes wait for an answer: the window goes at once, the boxes
// stay until answered (each then returns into a click of a window that is gone), and the
// program ends normally after the last.
void Monkey::CloseWithBoxesOpen() {
  stackTarget_ = options_.deepestStack + 1;
  for (int i = 0; i < 3 && model_.base.day > kFirstPickerDay + 400; ++i) OpenDateOrderBox();
  const std::vector<HWND> open = boxes_;
  Note("close box with %zu date-order boxes open", open.size());
  PostMessageW(c_.window, WM_SYSCOMMAND, SC_CLOSE, 0);
  e2e::Check(e2e::WaitFor([&] { return !IsWindow(c_.window); }, 10000),
             "the close box ends the window while date-order boxes are open");
  bool answered = true;
  for (auto box = open.rbegin(); box != open.rend(); ++box) {
    PostMessageW(GetDlgItem(*box, IDOK), BM_CLICK, 0, 0);
    answered = e2e::WaitFor([&] { return !IsWindow(*box); }) && answered;
  }
  boxes_.clear();
  const bool ended = WaitForSingleObject(c_.Handle(), 20000) == WAIT_OBJECT_0;
  DWORD code = 1;
  GetExitCodeProcess(c_.Handle(), &code);
  e2e::Check(answered && ended && code == 0,
             "after the last box is answered the program ends with exit code 0",
             "%zu boxes, answered %d, ended %d, exit code %lu", open.size(), answered, ended, code);
}

}  // namespace

std::string WhyNotStarted(const e2e::Calculator& calculator) {
  if (calculator.process.hProcess == nullptr) return "it could not be started";
  if (e2e::IsRunning(calculator)) return "no window with its caption answered within 30 s";
  DWORD code = 0;
  GetExitCodeProcess(calculator.process.hProcess, &code);
  return "it ended with " + e2e::DescribeExit(code) + " before showing its window";
}

int RunMonkey(const MonkeyOptions& options) {
  std::printf("monkey: seed %llu, %d actions\n", options.seed, options.actions);
  std::fflush(stdout);
  e2e::Calculator calculator;
  const bool started = e2e::Launch(options.calculator, options.folder, e2e::kCaption, calculator);
  if (!e2e::Check(started, "the calculator starts", "%s", WhyNotStarted(calculator).c_str())) {
    e2e::Kill(calculator);
  } else {
    const DWORD begun = GetTickCount();
    Monkey(options, calculator).Run();
    std::printf("actions took %.1f s\n", (GetTickCount() - begun) / 1000.0);
    e2e::Kill(calculator);  // only if something above left it running
  }
  const e2e::Tally& t = e2e::Results();
  std::printf("%d passed, %d failed, %d skipped\n", t.passed, t.failed, t.skipped);
  return t.failed == 0 ? 0 : 1;
}

}  // namespace monkey
