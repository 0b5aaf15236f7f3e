#pragma once
// Gregorian leap years and month lengths, proleptic (no 1582 gap). Here in platform/, the lowest
// layer, because the native time stand-ins and the calendar in datecalc/ both need them.

namespace platform {

// Valid for every year, 0 included.
constexpr bool IsLeapYear(unsigned year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Valid for months 1 to 12 of every year; other months are the caller's to refuse.
constexpr unsigned DaysInMonth(unsigned year, unsigned month) {
  constexpr unsigned char kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kLengths[month - 1];
}

namespace civil_calendar_checks {

constexpr unsigned DaysInYear(unsigned year) {
  unsigned days = 0;
  for (unsigned month = 1; month <= 12; ++month) days += DaysInMonth(year, month);
  return days;
}

// A whole 400-year cycle is 146097 days, exactly 20871 weeks.
constexpr unsigned DaysInCycle(unsigned firstYear) {
  unsigned days = 0;
  for (unsigned year = firstYear; year < firstYear + 400; ++year) days += DaysInYear(year);
  return days;
}

static_assert(IsLeapYear(2024) && IsLeapYear(2000) && IsLeapYear(1600) && IsLeapYear(0));
static_assert(!IsLeapYear(2023) && !IsLeapYear(1900) && !IsLeapYear(2100) && !IsLeapYear(1601));
static_assert(DaysInMonth(2024, 2) == 29 && DaysInMonth(2023, 2) == 28);
static_assert(DaysInMonth(1900, 2) == 28 && DaysInMonth(2000, 2) == 29);
static_assert(DaysInMonth(2023, 1) == 31 && DaysInMonth(2023, 4) == 30 &&
              DaysInMonth(2023, 7) == 31 && DaysInMonth(2023, 8) == 31 &&
              DaysInMonth(2023, 9) == 30 && DaysInMonth(2023, 12) == 31);
static_assert(DaysInYear(2023) == 365 && DaysInYear(2024) == 366 && DaysInYear(1900) == 365);
static_assert(DaysInCycle(1601) == 146097 && DaysInCycle(1601) % 7 == 0);
// The last year a SYSTEMTIME can hold still counts.
static_assert(DaysInYear(30827) == 365 && DaysInYear(30828) == 366);

}  // namespace civil_calendar_checks

}  // namespace platform
