// Runs natively against the portable conversions and under Wine against KERNEL32: both
// must give the same answers.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>

#include "platform/time.h"
#include "support/civil_model.h"
#include "time_host.h"

namespace {

constexpr std::uint64_t kUnitsPerDay = 864000000000;
constexpr WORD kUntouched = 0xABCD;

std::uint64_t CountOf(const FILETIME& f) {
  return std::uint64_t{f.dwHighDateTime} << 32 | f.dwLowDateTime;
}

FILETIME FileTimeOf(std::uint64_t count) {
  return {static_cast<DWORD>(count), static_cast<DWORD>(count >> 32)};
}

SYSTEMTIME Fields(WORD y, WORD mo, WORD d, WORD h = 0, WORD mi = 0, WORD s = 0, WORD ms = 0) {
  SYSTEMTIME t{};
  t.wYear = y;
  t.wMonth = mo;
  t.wDay = d;
  t.wHour = h;
  t.wMinute = mi;
  t.wSecond = s;
  t.wMilliseconds = ms;
  return t;
}

SYSTEMTIME Untouched() {
  SYSTEMTIME t;
  t.wYear = t.wMonth = t.wDayOfWeek = t.wDay = kUntouched;
  t.wHour = t.wMinute = t.wSecond = t.wMilliseconds = kUntouched;
  return t;
}

bool SameFields(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// Counts worked out by hand from proleptic ordinals (see the day column of each row).
struct KnownMoment {
  SYSTEMTIME fields;
  std::uint64_t count;
  WORD weekday;
};

const KnownMoment kKnownMoments[] = {
    {Fields(1601, 1, 1), 0, 1},
    {Fields(1601, 1, 1, 0, 0, 0, 1), 10000, 1},
    {Fields(1900, 2, 28, 23, 59, 59, 999), 94405823999990000, 3},
    {Fields(1900, 3, 1), 94405824000000000, 4},  // 1900 has no 29 February
    {Fields(1970, 1, 1), 116444736000000000, 4},
    {Fields(2000, 2, 29, 12, 34, 56, 789), 125963012967890000, 2},
    {Fields(2021, 1, 1), 153402 * kUnitsPerDay, 5},
    {Fields(2024, 12, 31, 23, 59, 59, 999), 133801631999990000, 2},
    {Fields(9999, 12, 31, 23, 59, 59, 999), 2650467743999990000, 5},
    {Fields(30827, 12, 31, 23, 59, 59, 999), 9223149887999990000, 5},
};

TEST(TimeConversion, KnownMomentsConvertBothWays) {
  for (const KnownMoment& known : kKnownMoments) {
    SCOPED_TRACE(known.count);
    FILETIME f{};
    ASSERT_TRUE(platform::SystemTimeToFileTime(&known.fields, &f));
    EXPECT_EQ(CountOf(f), known.count);

    SYSTEMTIME back = Untouched();
    ASSERT_TRUE(platform::FileTimeToSystemTime(&f, &back));
    SYSTEMTIME expected = known.fields;
    expected.wDayOfWeek = known.weekday;
    EXPECT_TRUE(SameFields(back, expected));
  }
}

TEST(TimeConversion, DayOfWeekOfTheRecordIsIgnored) {
  SYSTEMTIME t = Fields(2021, 3, 1);
  t.wDayOfWeek = 6;  // wrong on purpose: 1 March 2021 was a Monday
  FILETIME f{};
  ASSERT_TRUE(platform::SystemTimeToFileTime(&t, &f));
  EXPECT_EQ(CountOf(f), (153402 + 59) * kUnitsPerDay);
}

struct Refused {
  SYSTEMTIME fields;
  bool acceptedByWine;
};

const Refused kRefused[] = {
    {Fields(1600, 12, 31, 23, 59, 59, 999), false},
    {Fields(30828, 1, 1), true},
    {Fields(65535, 1, 1), false},
    {Fields(0, 1, 1), false},
    {Fields(2021, 0, 1), false},
    {Fields(2021, 13, 1), false},
    {Fields(2021, 1, 0), false},
    {Fields(2021, 1, 32), false},
    {Fields(2021, 2, 29), true},
    {Fields(1900, 2, 29), true},
    {Fields(2100, 2, 29), true},
    {Fields(2021, 2, 30), false},
    {Fields(2021, 4, 31), false},
    {Fields(2021, 6, 31), false},
    {Fields(2021, 9, 31), false},
    {Fields(2021, 11, 31), false},
    {Fields(2021, 1, 1, 24), false},
    {Fields(2021, 1, 1, 0, 60), false},
    {Fields(2021, 1, 1, 0, 0, 60), false},
    {Fields(2021, 1, 1, 0, 0, 0, 1000), false},
    {Fields(2021, 1, 1, 65535, 65535, 65535, 65535), false},
};

TEST(TimeConversion, RecordsNamingNoMomentAreRefusedAndLeaveTheCountAlone) {
  const bool lenientHost = time_host::AcceptsSomeNonexistentDates();
  for (const Refused& row : kRefused) {
    if (row.acceptedByWine && lenientHost) continue;
    const SYSTEMTIME& t = row.fields;
    SCOPED_TRACE(testing::Message()
                 << t.wYear << "-" << t.wMonth << "-" << t.wDay << " " << t.wHour << ":"
                 << t.wMinute << ":" << t.wSecond << "." << t.wMilliseconds);
    FILETIME f{0x12345678, 0x9ABCDEF0};
    EXPECT_FALSE(platform::SystemTimeToFileTime(&t, &f));
    EXPECT_EQ(f.dwLowDateTime, 0x12345678u);
    EXPECT_EQ(f.dwHighDateTime, 0x9ABCDEF0u);
  }
}

TEST(TimeConversion, LeapDaysExistOnlyInLeapYears) {
  for (WORD year : {1604, 1996, 2000, 2020, 2400, 30824}) {
    SYSTEMTIME t = Fields(year, 2, 29);
    FILETIME f{};
    EXPECT_TRUE(platform::SystemTimeToFileTime(&t, &f)) << year;
  }
}

TEST(TimeConversion, TheLastCountIsInSeptember30828) {
  const FILETIME last = FileTimeOf((std::uint64_t{1} << 63) - 1);
  SYSTEMTIME t = Untouched();
  ASSERT_TRUE(platform::FileTimeToSystemTime(&last, &t));
  SYSTEMTIME expected = Fields(30828, 9, 14, 2, 48, 5, 477);
  expected.wDayOfWeek = 4;
  EXPECT_TRUE(SameFields(t, expected));
}

TEST(TimeConversion, CountsFromTwoToTheSixtyThreeAreRefusedAndLeaveTheRecordAlone) {
  for (std::uint64_t count :
       {std::uint64_t{1} << 63, (std::uint64_t{1} << 63) + kUnitsPerDay, ~std::uint64_t{0}}) {
    const FILETIME f = FileTimeOf(count);
    SYSTEMTIME t = Untouched();
    EXPECT_FALSE(platform::FileTimeToSystemTime(&f, &t)) << count;
    EXPECT_TRUE(SameFields(t, Untouched())) << count;
  }
}

TEST(TimeConversion, UnitsBelowAMillisecondAreDropped) {
  const FILETIME f = FileTimeOf(kUnitsPerDay + 9999);
  SYSTEMTIME t = Untouched();
  ASSERT_TRUE(platform::FileTimeToSystemTime(&f, &t));
  SYSTEMTIME expected = Fields(1601, 1, 2);
  expected.wDayOfWeek = 2;
  EXPECT_TRUE(SameFields(t, expected));
}

// Random moments over the whole range against the independent model, both directions.
TEST(TimeConversion, RandomMomentsAgreeWithTheModel) {
  const std::int64_t lastDay = civil_model::DaysFrom1601({30827, 12, 31});
  std::mt19937_64 random(20210301);
  std::uniform_int_distribution<std::int64_t> anyDay(0, lastDay);
  std::uniform_int_distribution<std::uint64_t> anyMillisecond(0, 86399999);
  for (int i = 0; i < 200000; ++i) {
    const std::int64_t day = anyDay(random);
    const std::uint64_t ms = anyMillisecond(random);
    const civil_model::Date date = civil_model::DateFromDays(day);
    SYSTEMTIME t = civil_model::ToSystemTime(
        date, static_cast<WORD>(ms / 3600000), static_cast<WORD>(ms / 60000 % 60),
        static_cast<WORD>(ms / 1000 % 60), static_cast<WORD>(ms % 1000));
    t.wDayOfWeek = static_cast<WORD>(civil_model::Weekday(day));

    FILETIME f{};
    ASSERT_TRUE(platform::SystemTimeToFileTime(&t, &f)) << day;
    const std::uint64_t count = static_cast<std::uint64_t>(day) * kUnitsPerDay + ms * 10000;
    ASSERT_EQ(CountOf(f), count) << day;

    SYSTEMTIME back = Untouched();
    ASSERT_TRUE(platform::FileTimeToSystemTime(&f, &back)) << day;
    ASSERT_TRUE(SameFields(back, t)) << day;
  }
}

}  // namespace
