#pragma once
// The tests' own calendar: the one oracle for day numbers, day counts and moved dates, for the
// unit tests, the end-to-end driver and the monkey alike. It counts whole years, then months,
// the plain way. The program takes its day numbers from the system's file-time conversion
// (platform/time.h: Windows itself, or natively the era arithmetic of platform/native/time.cpp);
// this shares neither route, so the two can disagree.

#include <cstdint>
#include <ostream>

// SYSTEMTIME: Windows' own for the programs that work the real window, the native build's
// stand-in of the same layout for the unit tests.
#ifdef _WIN32
#include <windows.h>
#else
#include "platform/win_types.h"
#endif

namespace civil_model {

struct Date {
  int year;
  int month;
  int day;
  bool operator==(const Date&) const = default;
};

inline void PrintTo(const Date& date, std::ostream* out) {
  *out << date.day << "/" << date.month << "/" << date.year;
}

constexpr bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

constexpr int MonthLength(int year, int month) {
  switch (month) {
    case 2:
      return IsLeapYear(year) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    default:
      return 31;
  }
}

// Leap years among 1 .. year - 1.
constexpr std::int64_t LeapYearsBefore(std::int64_t year) {
  const std::int64_t y = year - 1;
  return y / 4 - y / 100 + y / 400;
}

// Days from 1 January 1601 (day 0), for every date of the years 1 on.
constexpr std::int64_t DaysFrom1601(const Date& date) {
  std::int64_t days =
      (date.year - 1601) * std::int64_t{365} + LeapYearsBefore(date.year) - LeapYearsBefore(1601);
  for (int month = 1; month < date.month; ++month) days += MonthLength(date.year, month);
  return days + date.day - 1;
}

constexpr Date DateFromDays(std::int64_t days) {
  // A guess from the mean year of 146097 / 400 days; the walks below settle it.
  int year = 1601 + static_cast<int>(days * 400 / 146097);
  while (DaysFrom1601({year, 1, 1}) > days) --year;
  while (DaysFrom1601({year + 1, 1, 1}) <= days) ++year;
  std::int64_t left = days - DaysFrom1601({year, 1, 1});
  int month = 1;
  while (left >= MonthLength(year, month)) left -= MonthLength(year, month++);
  return {year, month, static_cast<int>(left) + 1};
}

// Sunday = 0; 1 January 2000 was a Saturday.
constexpr int Weekday(std::int64_t days) {
  const std::int64_t fromSaturday = days - DaysFrom1601({2000, 1, 1});
  return static_cast<int>(((fromSaturday % 7) + 7 + 6) % 7);
}

// Moves by whole calendar months; a day the target month lacks becomes its last day.
constexpr Date AddMonths(const Date& date, int months) {
  const int index = date.year * 12 + (date.month - 1) + months;
  const int year = index / 12;
  const int month = index % 12 + 1;
  const int length = MonthLength(year, month);
  return {year, month, date.day < length ? date.day : length};
}

constexpr Date AddDays(const Date& date, std::int64_t days) {
  return DateFromDays(DaysFrom1601(date) + days);
}

constexpr bool IsBefore(const Date& a, const Date& b) {
  return DaysFrom1601(a) < DaysFrom1601(b);
}

// Facts found outside any program, which the counting above must meet.
static_assert(DaysFrom1601({1601, 1, 1}) == 0 && DaysFrom1601({1602, 1, 1}) == 365);
static_assert(DaysFrom1601({2021, 1, 1}) == 153402);
static_assert(DaysFrom1601({1900, 3, 1}) - DaysFrom1601({1900, 2, 28}) == 1);  // 1900: no 29th
static_assert(DaysFrom1601({2000, 3, 1}) - DaysFrom1601({2000, 2, 28}) == 2);
static_assert(Weekday(0) == 1);  // 1 January 1601 was a Monday
static_assert(DateFromDays(DaysFrom1601({1752, 9, 14})) == Date{1752, 9, 14});

inline SYSTEMTIME ToSystemTime(const Date& date, WORD hour = 0, WORD minute = 0, WORD second = 0,
                               WORD millisecond = 0) {
  SYSTEMTIME t{};
  t.wYear = static_cast<WORD>(date.year);
  t.wMonth = static_cast<WORD>(date.month);
  t.wDay = static_cast<WORD>(date.day);
  t.wHour = hour;
  t.wMinute = minute;
  t.wSecond = second;
  t.wMilliseconds = millisecond;
  return t;
}

inline Date DateOf(const SYSTEMTIME& t) {
  return {t.wYear, t.wMonth, t.wDay};
}

// Whole days from a's date to b's (negative when b is earlier); the time of day drops out.
inline std::int64_t DaysBetween(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return DaysFrom1601(DateOf(b)) - DaysFrom1601(DateOf(a));
}

// The date `days` later (earlier when negative) at the same time of day, its weekday set.
inline SYSTEMTIME AddDaysTo(const SYSTEMTIME& date, std::int64_t days) {
  const std::int64_t moved = DaysFrom1601(DateOf(date)) + days;
  SYSTEMTIME t =
      ToSystemTime(DateFromDays(moved), date.wHour, date.wMinute, date.wSecond, date.wMilliseconds);
  t.wDayOfWeek = static_cast<WORD>(Weekday(moved));
  return t;
}

}  // namespace civil_model
