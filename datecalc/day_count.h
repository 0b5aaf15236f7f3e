#pragma once
// Day numbers, day counts and moving a date by days, all through the FILETIME count.

#include <cstdint>
#include <optional>

#include "platform/win_types.h"

namespace datecalc {

// Whole days from 1 January 1601 (day 0) to the date; the time of day drops out. Empty when
// the record names no existing moment of the years 1601 to 30827.
std::optional<std::int64_t> DayNumber(const SYSTEMTIME& date);

// Whole days between the two dates, whichever comes first. A record that names no existing
// moment has no day number: the count is then 0.
std::int32_t DayCount(const SYSTEMTIME& a, const SYSTEMTIME& b);

// Moves the date by `days` (negative: back), keeping the time of day; the day of the week
// follows. A date that would leave the FILETIME range, or a record that names no existing
// moment, stays as it was.
void AddDays(SYSTEMTIME& date, std::int32_t days);

}  // namespace datecalc
