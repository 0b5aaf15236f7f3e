#pragma once
// An independent calendar model for tests: counts whole years, then months, the plain way,
// with none of the era arithmetic the product uses.

#include <cstdint>
#include <ostream>

#include "platform/win_types.h"

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

inline bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

inline int MonthLength(int year, int month) {
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
inline std::int64_t LeapYearsBefore(std::int64_t year) {
  const std::int64_t y = year - 1;
  return y / 4 - y / 100 + y / 400;
}

// Days from 1 January 1601 (day 0).
inline std::int64_t DaysFrom1601(const Date& date) {
  std::int64_t days =
      (date.year - 1601) * std::int64_t{365} + LeapYearsBefore(date.year) - LeapYearsBefore(1601);
  for (int month = 1; month < date.month; ++month) days += MonthLength(date.year, month);
  return days + date.day - 1;
}

inline Date DateFromDays(std::int64_t days) {
  int year = 1601 + static_cast<int>(days / 366);  // never beyond the answer
  while (DaysFrom1601({year + 1, 1, 1}) <= days) ++year;
  std::int64_t left = days - DaysFrom1601({year, 1, 1});
  int month = 1;
  while (left >= MonthLength(year, month)) left -= MonthLength(year, month++);
  return {year, month, static_cast<int>(left) + 1};
}

// Sunday = 0; 1 January 2000 was a Saturday.
inline int Weekday(std::int64_t days) {
  const std::int64_t fromSaturday = days - DaysFrom1601({2000, 1, 1});
  return static_cast<int>(((fromSaturday % 7) + 7 + 6) % 7);
}

// Moves by whole calendar months; a day the target month lacks becomes its last day.
inline Date AddMonths(const Date& date, int months) {
  const int index = date.year * 12 + (date.month - 1) + months;
  const int year = index / 12;
  const int month = index % 12 + 1;
  const int length = MonthLength(year, month);
  return {year, month, date.day < length ? date.day : length};
}

inline Date AddDays(const Date& date, std::int64_t days) {
  return DateFromDays(DaysFrom1601(date) + days);
}

inline bool IsBefore(const Date& a, const Date& b) {
  return DaysFrom1601(a) < DaysFrom1601(b);
}

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

}  // namespace civil_model
