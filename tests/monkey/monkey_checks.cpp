// The monkey's checks: the real window against the model after each action, the calculator's
// health, and its use of objects and memory over the run.
#include <windows.h>

#include <cstdarg>
#include <cstdio>

#include "monkey_run.h"
#include "real_window.h"
#include "support/health.h"
#include "support/remote.h"
#include "support/tally.h"

namespace monkey {
using support::Narrow;

const char* const kGroupNames[kGroupCount] = {
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

std::string Describe(const Moment& m) {
  char text[48];
  std::snprintf(text, sizeof text, "%s %02d:%02d:%02d", DateName(m.day).c_str(), m.hour, m.minute,
                m.second);
  return text;
}

bool SameMoment(const Moment& a, const Moment& b) {
  return a.day == b.day && a.hour == b.hour && a.minute == b.minute && a.second == b.second;
}

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
  GroupTally& tally = tallies_[group];
  ++tally.failures;
  if (tally.failures > 8) return;  // the first few tell the story
  std::printf("  %s (%s): %s\n    after:", kind, kGroupNames[group], text.c_str());
  for (const std::string& step : history_) std::printf(" | %s", step.c_str());
  std::printf("\n");
  std::fflush(stdout);
}

// A calculator that ended, faulted into the crash debugger or stopped answering ends the run
// here, with its reason, before its state could show up as a mismatch.
bool Monkey::Healthy(Group group) {
  if (!death_.empty()) return false;  // reported once, with the first reason seen
  if (std::string why = support::WhyUnwell(c_); !why.empty()) {
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
  const Moment base = ReadPicker(c_, kBaseDatePicker);
  const Moment final = ReadPicker(c_, kFinalDatePicker);
  const std::wstring band = Text(c_, kTotalTimeText);
  const std::wstring total = Text(c_, kTotalDaysEdit);
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
    support::Check(end.gdiObjects <= start.gdiObjects + kObjectSlack, "GDI objects do not grow",
                   "%lu -> %lu", start.gdiObjects, end.gdiObjects);
  } else if (start.gdiTable != 0) {
    support::Check(end.gdiTable <= start.gdiTable + kObjectSlack,
                   "GDI objects (the process's handle table) do not grow", "%lu -> %lu",
                   start.gdiTable, end.gdiTable);
  } else {
    support::Skip("GDI objects do not grow", "the system counts no GDI objects of another process");
  }
  if (start.userObjects != 0) {
    support::Check(end.userObjects <= start.userObjects + kObjectSlack, "USER objects do not grow",
                   "%lu -> %lu", start.userObjects, end.userObjects);
  } else {
    support::Skip("USER objects do not grow",
                  "GetGuiResources counts nothing here; the windows are counted instead");
  }
  support::Check(end.windows == start.windows, "the number of windows stays", "%lu -> %lu",
                 start.windows, end.windows);
  // Wine leaves PrivateUsage at 0 and reports the resident anonymous memory as PagefileUsage.
  const SIZE_T before = start.privateBytes != 0 ? start.privateBytes : start.pagefileBytes;
  const SIZE_T after = start.privateBytes != 0 ? end.privateBytes : end.pagefileBytes;
  // Wine's heaps settle within the first thousand actions here, then stay to the page; a
  // leaked snapshot bitmap (about 180 KB) or a string per action adds far more over a run.
  const SIZE_T allowance = 192 * 1024 + before / 100;
  support::Check(before > 0 && after <= before + allowance, "private memory does not grow",
                 "%zu KB -> %zu KB", before / 1024, after / 1024);
}

}  // namespace monkey
