#include <cstdint>

#include "platform/civil_calendar.h"
#include "platform/time.h"

namespace platform {
namespace {

constexpr std::uint64_t kUnitsPerMillisecond = 10000;
constexpr std::uint64_t kMillisecondsPerDay = 86400000;
constexpr std::uint64_t kUnitsPerDay = kUnitsPerMillisecond * kMillisecondsPerDay;
constexpr std::uint64_t kFirstInvalidCount = std::uint64_t{1} << 63;
constexpr unsigned kFirstYear = 1601;
constexpr unsigned kLastYear = 30827;
constexpr unsigned kDaysPerEra = 146097;  // 400 Gregorian years
// Days from 1 March of year 0 (the origin of the era arithmetic) to 1 January 1601.
constexpr std::uint64_t kEraOriginTo1601 = 4 * kDaysPerEra + 306;
constexpr unsigned kWeekdayOfDayZero = 1;  // 1 January 1601 was a Monday

bool NamesExistingMoment(const SYSTEMTIME& t) {
  if (t.wYear < kFirstYear || t.wYear > kLastYear) return false;
  if (t.wMonth < 1 || t.wMonth > 12) return false;
  if (t.wDay < 1 || t.wDay > DaysInMonth(t.wYear, t.wMonth)) return false;
  return t.wHour < 24 && t.wMinute < 60 && t.wSecond < 60 && t.wMilliseconds < 1000;
}

// Whole days from 1 January 1601; years start on 1 March so the leap day ends the year.
std::uint64_t DaysFrom1601(unsigned year, unsigned month, unsigned day) {
  const unsigned y = month <= 2 ? year - 1 : year;                    // [1600, 30827]
  const unsigned era = y / 400;                                       // [4, 77]
  const unsigned yearOfEra = y - era * 400;                           // [0, 399]
  const unsigned shiftedMonth = month > 2 ? month - 3 : month + 9;    // [0, 11], March = 0
  const unsigned dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;  // [0, 365]
  const unsigned dayOfEra =
      yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;  // [0, 146096]
  return std::uint64_t{era} * kDaysPerEra + dayOfEra - kEraOriginTo1601;
}

struct CivilDate {
  unsigned year, month, day;
};

CivilDate CivilFromDays(std::uint64_t days) {
  const std::uint64_t sinceOrigin = days + kEraOriginTo1601;
  const auto era = static_cast<unsigned>(sinceOrigin / kDaysPerEra);  // [4, 77]
  const auto dayOfEra = static_cast<unsigned>(sinceOrigin - std::uint64_t{era} * kDaysPerEra);
  const unsigned yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;  // [0, 399]
  const unsigned dayOfYear =
      dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);  // [0, 365]
  const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;             // [0, 11]
  const unsigned day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;   // [1, 31]
  const unsigned month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
  const unsigned year = era * 400 + yearOfEra + (month <= 2 ? 1 : 0);
  return {year, month, day};
}

}  // namespace

BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, FILETIME* fileTime) {
  if (systemTime == nullptr || fileTime == nullptr || !NamesExistingMoment(*systemTime)) {
    return FALSE;
  }
  const SYSTEMTIME& t = *systemTime;
  const std::uint64_t milliseconds =
      ((std::uint64_t{t.wHour} * 60 + t.wMinute) * 60 + t.wSecond) * 1000 + t.wMilliseconds;
  const std::uint64_t count =
      DaysFrom1601(t.wYear, t.wMonth, t.wDay) * kUnitsPerDay + milliseconds * kUnitsPerMillisecond;
  fileTime->dwLowDateTime = static_cast<DWORD>(count);
  fileTime->dwHighDateTime = static_cast<DWORD>(count >> 32);
  return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime) {
  if (fileTime == nullptr || systemTime == nullptr) return FALSE;
  const std::uint64_t count =
      std::uint64_t{fileTime->dwHighDateTime} << 32 | fileTime->dwLowDateTime;
  if (count >= kFirstInvalidCount) return FALSE;
  const std::uint64_t days = count / kUnitsPerDay;
  const std::uint64_t millisecond = count % kUnitsPerDay / kUnitsPerMillisecond;
  const CivilDate date = CivilFromDays(days);
  systemTime->wYear = static_cast<WORD>(date.year);
  systemTime->wMonth = static_cast<WORD>(date.month);
  systemTime->wDayOfWeek = static_cast<WORD>((days + kWeekdayOfDayZero) % 7);
  systemTime->wDay = static_cast<WORD>(date.day);
  systemTime->wHour = static_cast<WORD>(millisecond / 3600000);
  systemTime->wMinute = static_cast<WORD>(millisecond / 60000 % 60);
  systemTime->wSecond = static_cast<WORD>(millisecond / 1000 % 60);
  systemTime->wMilliseconds = static_cast<WORD>(millisecond % 1000);
  return TRUE;
}

}  // namespace platform
