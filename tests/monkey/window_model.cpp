#include "window_model.h"

#include <cstdio>
#include <cstdlib>

#include "civil_days.h"

namespace monkey {

bool PickerAccepts(const Moment& moment) {
  if (moment.day < kFirstPickerDay || moment.day > kLastPickerDay) return false;
  if (moment.day > DaysFromCivil(1752, 9, 19) && moment.day < DaysFromCivil(1752, 10, 1)) {
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
    const Civil b = CivilFromDays(base.day);
    const Civil f = CivilFromDays(final.day);
    years = f.year - b.year;
    months = static_cast<int>(f.month) - static_cast<int>(b.month);
    days = static_cast<int>(f.day) - static_cast<int>(b.day);
    if (days < 0) {
      // Counted from the base day in the month before the final one, or from that month's
      // last day when it has no such day.
      --months;
      const int refYear = f.month == 1 ? f.year - 1 : f.year;
      const unsigned refMonth = f.month == 1 ? 12 : f.month - 1;
      const unsigned length = MonthLength(refYear, refMonth);
      days = static_cast<int>(length - (b.day < length ? b.day : length) + f.day);
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
      static_cast<__int128>(base.day - kDay1601 + *days) * kUnitsPerDay +
      static_cast<__int128>(base.hour * 3600 + base.minute * 60 + base.second) * kUnitsPerSecond;
  const __int128 limit = static_cast<__int128>(1) << 63;
  if (units < 0 || units >= limit) return base;
  Moment moved = base;
  moved.day = base.day + *days;
  // A date the picker refuses leaves it as it was.
  return PickerAccepts(moved) ? moved : model.final;
}

std::string DateName(long long day) {
  const Civil c = CivilFromDays(day);
  char text[32];
  std::snprintf(text, sizeof text, "%02u/%02u/%04d", c.day, c.month, c.year);
  return text;
}

}  // namespace monkey
