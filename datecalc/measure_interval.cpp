#include "datecalc/measure_interval.h"

#include <cstdint>

#include "datecalc/day_count.h"
#include "platform/civil_calendar.h"

namespace datecalc {
namespace {

enum Order : std::uint8_t { kGreater, kEqual, kLess };  // the final field against the base field

Order Compare(WORD finalField, WORD baseField) {
  if (finalField > baseField) return kGreater;
  return finalField == baseField ? kEqual : kLess;
}

// What one combination of comparisons does: years := y2 - y1 - yearsBack, months :=
// m2 - m1 + monthsShift, days := d2 - d1, or counted from the month before (borrow).
struct Rule {
  bool refused;
  int yearsBack;
  int monthsShift;
};

constexpr Rule kRefuse{true, 0, 0};

// [years][months][final day smaller than base day]
constexpr Rule kRules[3][3][2] = {
    {
        {{false, 0, 0}, {false, 0, -1}},   // y2 > y1, m2 > m1
        {{false, 0, 0}, {false, 1, 11}},   // y2 > y1, m2 = m1
        {{false, 1, 12}, {false, 1, 11}},  // y2 > y1, m2 < m1
    },
    {
        {{false, 0, 0}, {false, 0, -1}},  // y2 = y1, m2 > m1
        {{false, 0, 0}, kRefuse},         // y2 = y1, m2 = m1
        {kRefuse, kRefuse},               // y2 = y1, m2 < m1
    },
    {
        {kRefuse, kRefuse},  // y2 < y1
        {kRefuse, kRefuse},
        {kRefuse, kRefuse},
    },
};

// The last day of a month; an impossible month keeps `day` as it is (no date results).
WORD LastDayOrSame(WORD year, WORD month, WORD day) {
  if (month < 1 || month > 12) return day;
  return static_cast<WORD>(platform::DaysInMonth(year, month));
}

// Days from the base day in the month before the final month to the final date. A base day
// that month does not have (31 February, 31 April, 29 February of a common year) counts from
// the month's last day instead, so the interval still lands exactly on the final date.
std::int16_t BorrowedDays(WORD baseDay, WORD finalYear, WORD finalMonth, WORD finalDay) {
  SYSTEMTIME reference{};
  reference.wYear = finalMonth == 1 ? static_cast<WORD>(finalYear - 1) : finalYear;
  reference.wMonth = finalMonth == 1 ? WORD{12} : static_cast<WORD>(finalMonth - 1);
  const WORD lastDay = LastDayOrSame(reference.wYear, reference.wMonth, baseDay);
  reference.wDay = baseDay < lastDay ? baseDay : lastDay;

  SYSTEMTIME final{};
  final.wYear = finalYear;
  final.wMonth = finalMonth;
  final.wDay = finalDay;
  return static_cast<std::int16_t>(DayCount(reference, final));
}

}  // namespace

IntervalOutcome MeasureInterval(WORD baseYear, WORD finalYear, WORD baseMonth, WORD finalMonth,
                                WORD baseDay, WORD finalDay) {
  const bool borrow = finalDay < baseDay;
  const Rule& rule = kRules[Compare(finalYear, baseYear)][Compare(finalMonth, baseMonth)][borrow];
  IntervalOutcome outcome;
  if (rule.refused) {
    outcome.finalBeforeBase = true;
    return outcome;
  }
  // Differences in 32 bits, kept in the 16-bit fields.
  const std::int32_t years = std::int32_t{finalYear} - baseYear - rule.yearsBack;
  const std::int32_t months = std::int32_t{finalMonth} - baseMonth + rule.monthsShift;
  outcome.interval.years = static_cast<std::int16_t>(years);
  outcome.interval.months = static_cast<std::int16_t>(months);
  outcome.interval.days = borrow ? BorrowedDays(baseDay, finalYear, finalMonth, finalDay)
                                 : static_cast<std::int16_t>(std::int32_t{finalDay} - baseDay);
  return outcome;
}

}  // namespace datecalc
