#pragma once
// The monkey's own calendar: proleptic Gregorian day numbers, independent of the calculator's
// date code and of the system's conversions.

namespace monkey {

struct Civil {
  int year;
  unsigned month;  // [1, 12]
  unsigned day;    // [1, 31]
};

// Days since 1 January 1970 (negative before).
constexpr long long DaysFromCivil(int year, unsigned month, unsigned day) {
  const int y = year - (month <= 2 ? 1 : 0);
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);                               // [0, 399]
  const unsigned doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;  // [0, 365]
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;  // [0, 146096]
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

constexpr Civil CivilFromDays(long long days) {
  const long long z = days + 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);                    // [0, 146096]
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);                // [0, 365]
  const unsigned mp = (5 * doy + 2) / 153;                                     // [0, 11]
  const unsigned day = doy - (153 * mp + 2) / 5 + 1;                           // [1, 31]
  const unsigned month = mp < 10 ? mp + 3 : mp - 9;                            // [1, 12]
  const long long year = static_cast<long long>(yoe) + era * 400 + (month <= 2 ? 1 : 0);
  return {static_cast<int>(year), month, day};
}

constexpr bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

constexpr unsigned MonthLength(int year, unsigned month) {
  constexpr unsigned kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kLengths[month - 1];
}

static_assert(DaysFromCivil(1970, 1, 1) == 0);
static_assert(DaysFromCivil(2021, 1, 1) - DaysFromCivil(1601, 1, 1) == 153402);
static_assert(CivilFromDays(DaysFromCivil(1752, 9, 14)).day == 14);

// What the date pickers accept under Wine, and where the system's 64-bit time count starts
// and ends (2^63 units of 100 ns after 1 January 1601).
inline constexpr long long kFirstPickerDay = DaysFromCivil(1752, 9, 14);
inline constexpr long long kLastPickerDay = DaysFromCivil(9999, 12, 31);
inline constexpr long long kDay1601 = DaysFromCivil(1601, 1, 1);
inline constexpr long long kUnitsPerDay = 864000000000LL;
inline constexpr long long kUnitsPerSecond = 10000000LL;

}  // namespace monkey
