#pragma once
// What the calculator's window should show, worked out independently of the calculator: the
// monkey applies each action to this model and compares the real window with it afterwards.

#include <optional>
#include <string>

#include "support/civil_model.h"

namespace monkey {

// What the date pickers accept under Wine, and the units of the system's 64-bit time count,
// which ends 2^63 units of 100 ns after 1 January 1601 (day 0).
inline constexpr long long kFirstPickerDay = civil_model::DaysFrom1601({1752, 9, 14});
inline constexpr long long kLastPickerDay = civil_model::DaysFrom1601({9999, 12, 31});
inline constexpr long long kUnitsPerDay = 864000000000LL;
inline constexpr long long kUnitsPerSecond = 10000000LL;

// A picker's value: a day number (civil_model::DaysFrom1601) and a time of day.
struct Moment {
  long long day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

struct WindowModel {
  Moment base;
  Moment final;
  std::wstring band;      // the interval line under "Tiempo total"
  std::wstring dayTotal;  // the box after "Hay"
};

// Whether the date picker takes this value: Wine's takes 14/09/1752 to 31/12/9999 00:00:00,
// and gives September 1752 only 19 days.
bool PickerAccepts(const Moment& moment);
// Before: the final date lies before the base date, field by field.
bool IsDateOrderError(const Moment& base, const Moment& final);
// The line "Tiempo total" shows (three zeros after a date-order message).
std::wstring IntervalText(const Moment& base, const Moment& final);
// The text "Hay" shows: the day count with a leading blank.
std::wstring DayTotalText(const Moment& base, const Moment& final);
// The final date after the number-of-days box sent a command, for a typed number rounded to
// `days` (none: beyond the 32-bit range), starting from `model`.
Moment FinalAfterDayBox(const WindowModel& model, std::optional<long long> days);
std::string DateName(long long day);

}  // namespace monkey
