// The monkey's actions: what a user could do to the window, each applied to the model as well
// and followed by its check.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "monkey_run.h"
#include "real_window.h"
#include "snapshot_file_check.h"
#include "support/remote.h"
#include "support/tally.h"
#include "typed_texts.h"

namespace monkey {

using support::Narrow;

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
      const civil_model::Date c =
          civil_model::DateFromDays(Between(kFirstPickerDay + 31, kLastPickerDay - 31));
      const int length = civil_model::MonthLength(c.year, c.month);
      m.day = civil_model::DaysFrom1601({c.year, c.month, static_cast<int>(Between(28, length))});
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
  Moment& target = picker == kBaseDatePicker ? model_.base : model_.final;
  Moment m = RandomMoment(picker == kBaseDatePicker ? model_.final.day : model_.base.day);
  if (outside) {
    // 1601 up to the day before the first the picker shows, or just beyond 9999.
    m.day =
        Between(0, 1) == 0 ? Between(0, kFirstPickerDay - 1) : kLastPickerDay + Between(1, 3000);
  }
  Note("%s picker := %s", picker == kBaseDatePicker ? "base" : "final", Describe(m).c_str());
  WritePicker(c_, picker, m);
  if (PickerAccepts(m)) target = m;
  Matches(kPickers);
}

void Monkey::PressHay() {
  Note("Hay");
  SendMessageW(c_.Item(kTotalDaysButton), BM_CLICK, 0, 0);
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
  support::WaitFor([&] {
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
  if (std::wstring text = support::WindowText(GetDlgItem(box, 0xFFFF)); text != kDateOrderText) {
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
    if (!support::WaitFor([&] { return !IsWindow(box); })) {
      Fail(kOrderBoxes, "box %zu did not close", boxes_.size());
      return;
    }
    boxes_.pop_back();
    model_.band = IntervalText(model_.base, model_.base);
    support::WaitFor([&] { return Text(c_, kTotalTimeText) == model_.band; }, 5000);
    Matches(kOrderBoxes);
  }
  if (!DateOrderBoxes(c_).empty()) Fail(kOrderBoxes, "a date-order box is still open");
  stackTarget_ = Between(1, options_.deepestStack);
}

void Monkey::TypeText(bool exotic) {
  const TypedText typed = exotic ? ExoticText(random_) : CommonText(random_);
  Note("box := '%s' (%s)", Narrow(typed.text).c_str(), typed.kind);
  SetText(c_, kDayCountEdit, typed.text);
  if (typed.known) {
    model_.final = FinalAfterDayBox(model_, typed.days);
    Matches(exotic ? kDayBoxExoticKnown : kDayBoxKnown);
    return;
  }
  // Whatever the reading, the final date is the old one, the base, or a date the picker
  // shows with the base's time of day; the results stay.
  ++tallies_[kDayBoxExotic].actions;
  if (!Healthy(kDayBoxExotic)) return;
  const Moment final = ReadPicker(c_, kFinalDatePicker);
  const Moment& base = model_.base;
  const bool sameTime =
      final.hour == base.hour && final.minute == base.minute && final.second == base.second;
  if (!SameMoment(final, model_.final) && !(sameTime && PickerAccepts(final))) {
    Fail(kDayBoxExotic, "final %s from base %s", Describe(final).c_str(), Describe(base).c_str());
  }
  if (Text(c_, kTotalTimeText) != model_.band || Text(c_, kTotalDaysEdit) != model_.dayTotal) {
    Fail(kDayBoxExotic, "a result changed");
  }
  model_.final = final;
}

void Monkey::TypeDigits() {
  std::wstring typed = Between(0, 3) == 0 ? L"-" : L"";
  const long long count = Between(1, 6);
  for (long long i = 0; i < count; ++i) typed += static_cast<wchar_t>(L'0' + Between(0, 9));
  Note("clear the box and type '%s'", Narrow(typed).c_str());
  SetText(c_, kDayCountEdit, L"");
  model_.final = FinalAfterDayBox(model_, 0);
  Matches(kTyping);
  for (std::size_t i = 0; i < typed.size(); ++i) {
    SendMessageW(c_.Item(kDayCountEdit), EM_SETSEL, i, i);
    SendMessageW(c_.Item(kDayCountEdit), WM_CHAR, typed[i], 1);
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
      CheckSnapshotFile(options_.folder + L"\\" + support::kSnapshotFile,
                        outer.right - outer.left + 1, outer.bottom - outer.top + 2);
  if (!problem.empty()) Fail(kSnapshots, "%s", problem.c_str());
  Matches(kPickers);  // and nothing else moved
}

void Monkey::DropDown() {
  const int id = Between(0, 1) == 0 ? kBaseDatePicker : kFinalDatePicker;
  Note("drop-down of the %s picker", id == kBaseDatePicker ? "base" : "final");
  ++tallies_[kDropDowns].actions;
  HWND picker = c_.Item(id);
  HWND calendar = support::DropDownCalendar(picker);
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
  if (!support::WaitFor([&] { return !IsWindowVisible(calendar); }, 500)) {
    support::ClickPickerArrow(picker);
  }
  if (!support::WaitFor([&] { return !IsWindowVisible(calendar); }, 5000)) {
    Fail(kDropDowns, "the calendar did not close");
    ShowWindow(calendar, SW_HIDE);
  }
  Matches(kPickers);  // Esc keeps the date
}

void Monkey::Act() {
  const long long roll = Between(0, 99);
  if (roll < 14) return SetDate(kBaseDatePicker, false);
  if (roll < 28) return SetDate(kFinalDatePicker, false);
  if (roll < 31) return SetDate(Between(0, 1) == 0 ? kBaseDatePicker : kFinalDatePicker, true);
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
  WritePicker(c_, kFinalDatePicker, earlier);
  if (PickerAccepts(earlier)) model_.final = earlier;
  PressTotalTime();
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
  support::Check(support::WaitFor([&] { return !IsWindow(c_.window); }, 10000),
                 "the close box ends the window while date-order boxes are open");
  bool answered = true;
  for (auto box = open.rbegin(); box != open.rend(); ++box) {
    PostMessageW(GetDlgItem(*box, IDOK), BM_CLICK, 0, 0);
    answered = support::WaitFor([&] { return !IsWindow(*box); }) && answered;
  }
  boxes_.clear();
  const bool ended = WaitForSingleObject(c_.Handle(), 20000) == WAIT_OBJECT_0;
  DWORD code = 1;
  GetExitCodeProcess(c_.Handle(), &code);
  support::Check(answered && ended && code == 0,
                 "after the last box is answered the program ends with exit code 0",
                 "%zu boxes, answered %d, ended %d, exit code %lu", open.size(), answered, ended,
                 code);
}

}  // namespace monkey
