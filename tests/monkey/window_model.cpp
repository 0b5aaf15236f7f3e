#include "window_model.h"

#include <cstdio>
#include <cstdlib>

namespace monkey {

using civil_model::DateFromDays;
using civil_model::DaysFrom1601;

bool PickerAccepts(const Moment& moment) {
  if (moment.day < kFirstPickerDay || moment.day > kLastPickerDay) return false;
  if (moment.day > DaysFrom1601({1752, 9, 19}) && moment.day < DaysFrom1601({1752, 10, 1})) {
    return false;
  }
  const bool midnight = moment.hour == 0 && moment.minute == 0 && moment.second == 0;
  return moment.day < kLastPickerDay || midnight;
}

bool IsDateOrderError(const Moment& base, const Moment& final) {
  // Comparing whole days is the same as comparing year, month and day in turn.
  return final.day < base.day;
}

std::wstring IntervalText(const Moment& base, const Moment& final) {
  int years = 0, months = 0, days = 0;
  if (!IsDateOrderError(base, final)) {
    const civil_model::Date b = DateFromDays(base.day);
    const civil_model::Date f = DateFromDays(final.day);
    years = f.year - b.year;
    months = f.month - b.month;
    days = f.day - b.day;
    if (days < 0) {
      // Counted from the base day in the month before the final one, or from that month's
      // last day when it has no such day.
      --months;
      const int refYear = f.month == 1 ? f.year - 1 : f.year;
      const int refMonth = f.month == 1 ? 12 : f.month - 1;
      const int length = civil_model::MonthLength(refYear, refMonth);
      days = length - (b.day < length ? b.day : length) + f.day;
    }
    if (months < 0) {
      months += 12;
      --years;
    }
  }
  return std::to_wstring(years) + L" a\u00F1os " + std::to_wstring(months) + L" meses " +
         std::to_wstring(days) + L" dias";
}

std::wstring DayTotalText(const Moment& base, const Moment& final) {
  return L" " + std::to_wstring(std::llabs(final.day - base.day));
}

Moment FinalAfterDayBox(const WindowModel& model, std::optional<long long> days) {
  const Moment& base = model.base;
  if (!days) return base;
  // The move goes through the system's 64-bit count of 100 ns since 1601: outside it the
  // date does not move and the final picker gets the base date.
  const __int128 units =
      static_cast<__int128>(base.day + *days) * kUnitsPerDay +
      static_cast<__int128>(base.hour * 3600 + base.minute * 60 + base.second) * kUnitsPerSecond;
  const __int128 limit = static_cast<__int128>(1) << 63;
  if (units < 0 || units >= limit) return base;
  Moment moved = base;
  moved.day = base.day + *days;
  // A date the picker refuses leaves it as it was.
  return PickerAccepts(moved) ? moved : model.final;
}

std::string DateName(long long day) {
  const civil_model::Date c = DateFromDays(day);
  char text[32];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", c.day, c.month, c.year);
  return text;
}

}  // namespace monkey
