#include "datecalc/day_count.h"

#include "platform/time.h"

namespace datecalc {
namespace {

constexpr std::int64_t kUnitsPerMinute = 600000000;
constexpr std::int64_t kMinutesPerHour = 60;
constexpr std::int64_t kHoursPerDay = 24;
constexpr std::int64_t kUnitsPerDay = kUnitsPerMinute * kMinutesPerHour * kHoursPerDay;
static_assert(kUnitsPerDay == 864000000000);

// What a count outside the signed 64-bit range becomes: the first count no date has.
constexpr std::uint64_t kOutOfRangeCount = std::uint64_t{1} << 63;

std::uint64_t CountOf(const FILETIME& fileTime) {
  return std::uint64_t{fileTime.dwHighDateTime} << 32 | fileTime.dwLowDateTime;
}

FILETIME FileTimeOf(std::uint64_t count) {
  return {static_cast<DWORD>(count), static_cast<DWORD>(count >> 32)};
}

// count + days whole days. A negative sum keeps its two's-complement form, which as a count
// is 2^63 or more, like an overflow: either way no date has it.
std::uint64_t ShiftedCount(std::uint64_t count, std::int32_t days) {
  std::int64_t offset = 0;
  std::int64_t sum = 0;
  if (__builtin_mul_overflow(std::int64_t{days}, kUnitsPerDay, &offset) ||
      __builtin_add_overflow(static_cast<std::int64_t>(count), offset, &sum)) {
    return kOutOfRangeCount;
  }
  return static_cast<std::uint64_t>(sum);
}

}  // namespace

std::optional<std::int64_t> DayNumber(const SYSTEMTIME& date) {
  FILETIME fileTime{};
  if (!platform::SystemTimeToFileTime(&date, &fileTime)) return std::nullopt;
  // Every count a SYSTEMTIME converts to is below 2^63, so this is the floor of days.
  return static_cast<std::int64_t>(CountOf(fileTime)) / kUnitsPerMinute / kMinutesPerHour /
         kHoursPerDay;
}

std::int32_t DayCount(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  const std::optional<std::int64_t> first = DayNumber(a);
  const std::optional<std::int64_t> second = DayNumber(b);
  if (!first || !second) return 0;
  // At most 10675199 days lie between 1601 and 30828: always fits.
  return static_cast<std::int32_t>(*first > *second ? *first - *second : *second - *first);
}

void AddDays(SYSTEMTIME& date, std::int32_t days) {
  FILETIME start{};
  if (!platform::SystemTimeToFileTime(&date, &start)) return;
  const FILETIME moved = FileTimeOf(ShiftedCount(CountOf(start), days));
  // Refuses counts of 2^63 and more and then leaves the record as it was.
  platform::FileTimeToSystemTime(&moved, &date);
}

}  // namespace datecalc
