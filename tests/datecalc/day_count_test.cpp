#include "datecalc/day_count.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>

#include "support/civil_model.h"

namespace {

using civil_model::Date;
using civil_model::ToSystemTime;

bool SameFields(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(DayNumber, CountsFromTheFirstOfJanuary1601) {
  EXPECT_EQ(datecalc::DayNumber(ToSystemTime({1601, 1, 1})), 0);
  EXPECT_EQ(datecalc::DayNumber(ToSystemTime({1601, 1, 1}, 23, 59, 59, 999)), 0);
  EXPECT_EQ(datecalc::DayNumber(ToSystemTime({1601, 1, 2})), 1);
  EXPECT_EQ(datecalc::DayNumber(ToSystemTime({2021, 1, 1})), 153402);
  EXPECT_EQ(datecalc::DayNumber(ToSystemTime({30827, 12, 31}, 23, 59, 59, 999)), 10674941);
}

TEST(DayNumber, RecordsNamingNoMomentHaveNone) {
  for (const Date& bad :
       {Date{2021, 4, 31}, Date{2021, 13, 1}, Date{1600, 12, 31}, Date{2021, 1, 0}}) {
    EXPECT_FALSE(datecalc::DayNumber(ToSystemTime(bad)).has_value()) << bad.year;
  }
  EXPECT_FALSE(datecalc::DayNumber(ToSystemTime({2021, 1, 1}, 24)).has_value());
  EXPECT_FALSE(datecalc::DayNumber(ToSystemTime({2021, 1, 1}, 0, 0, 0, 1000)).has_value());
}

struct CountCase {
  SYSTEMTIME a;
  SYSTEMTIME b;
  std::int32_t days;
};

TEST(DayCount, CountsWholeCalendarDaysEitherWayRound) {
  const CountCase cases[] = {
      {ToSystemTime({2021, 3, 1}, 0), ToSystemTime({2021, 3, 1}, 23, 59, 59, 999), 0},
      {ToSystemTime({2021, 3, 1}, 23, 59), ToSystemTime({2021, 3, 2}, 0, 0), 1},
      {ToSystemTime({2020, 2, 28}), ToSystemTime({2020, 3, 1}), 2},
      {ToSystemTime({2021, 2, 28}), ToSystemTime({2021, 3, 1}), 1},
      {ToSystemTime({1900, 2, 28}), ToSystemTime({1900, 3, 1}), 1},
      {ToSystemTime({2000, 2, 28}), ToSystemTime({2000, 3, 1}), 2},
      {ToSystemTime({2020, 11, 20}), ToSystemTime({2021, 2, 15}), 87},
      {ToSystemTime({1601, 1, 1}), ToSystemTime({30827, 12, 31}, 23, 59, 59, 999), 10674941},
  };
  for (const CountCase& c : cases) {
    SCOPED_TRACE(c.days);
    const SYSTEMTIME a = c.a;
    const SYSTEMTIME b = c.b;
    EXPECT_EQ(datecalc::DayCount(a, b), c.days);
    EXPECT_EQ(datecalc::DayCount(b, a), c.days);
    EXPECT_TRUE(SameFields(a, c.a));
    EXPECT_TRUE(SameFields(b, c.b));
  }
}

TEST(DayCount, IsZeroWhenEitherRecordNamesNoMoment) {
  EXPECT_EQ(datecalc::DayCount(ToSystemTime({2021, 2, 31}), ToSystemTime({2021, 3, 1})), 0);
  EXPECT_EQ(datecalc::DayCount(ToSystemTime({2021, 3, 1}), ToSystemTime({2021, 4, 31})), 0);
}

struct AddCase {
  SYSTEMTIME start;
  std::int32_t days;
  Date expected;
};

TEST(AddDays, MovesTheDateAndKeepsTheTime) {
  const AddCase cases[] = {
      {ToSystemTime({2020, 3, 1}, 13, 14, 15, 16), 365, {2021, 3, 1}},
      {ToSystemTime({2019, 3, 1}, 13, 14, 15, 16), 366, {2020, 3, 1}},
      {ToSystemTime({2021, 3, 1}, 8), -1, {2021, 2, 28}},
      {ToSystemTime({2020, 3, 1}, 8), -1, {2020, 2, 29}},
      {ToSystemTime({1601, 1, 2}), -1, {1601, 1, 1}},
      {ToSystemTime({2021, 1, 1}), -153402, {1601, 1, 1}},
      {ToSystemTime({30827, 12, 31}, 23, 59, 59, 999), 1, {30828, 1, 1}},
      {ToSystemTime({1601, 1, 1}), 10675199, {30828, 9, 14}},
      {ToSystemTime({30827, 12, 31}, 2, 48, 5, 477), 258, {30828, 9, 14}},  // the last count
  };
  for (const AddCase& c : cases) {
    SCOPED_TRACE(c.days);
    SYSTEMTIME t = c.start;
    datecalc::AddDays(t, c.days);
    SYSTEMTIME expected = c.start;
    expected.wYear = static_cast<WORD>(c.expected.year);
    expected.wMonth = static_cast<WORD>(c.expected.month);
    expected.wDay = static_cast<WORD>(c.expected.day);
    expected.wDayOfWeek =
        static_cast<WORD>(civil_model::Weekday(civil_model::DaysFrom1601(c.expected)));
    EXPECT_TRUE(SameFields(t, expected));
  }
}

TEST(AddDays, ZeroDaysOnlyRecomputesTheDayOfTheWeek) {
  SYSTEMTIME t = ToSystemTime({2021, 3, 1}, 23, 59, 58, 7);
  t.wDayOfWeek = 5;
  SYSTEMTIME expected = t;
  expected.wDayOfWeek = 1;  // a Monday
  datecalc::AddDays(t, 0);
  EXPECT_TRUE(SameFields(t, expected));
}

TEST(AddDays, LeavingTheRangeLeavesTheRecordAsItWas) {
  struct Case {
    SYSTEMTIME start;
    std::int32_t days;
  };
  const Case cases[] = {
      {ToSystemTime({1601, 1, 1}), -1},
      {ToSystemTime({1601, 1, 1}, 23, 59, 59, 999), -1},
      {ToSystemTime({2021, 1, 1}), -153403},
      {ToSystemTime({2021, 1, 1}), INT32_MIN},
      {ToSystemTime({2021, 1, 1}), INT32_MAX},
      {ToSystemTime({30827, 12, 31}), 259},                   // 15 September 30828
      {ToSystemTime({1601, 1, 1}, 2, 48, 5, 478), 10675199},  // just past the last count
      {ToSystemTime({30827, 12, 31}, 23, 59, 59, 999), INT32_MAX},
      {ToSystemTime({2021, 4, 31}), 1},  // names no date: nothing to move from
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.days);
    SYSTEMTIME t = c.start;
    t.wDayOfWeek = 3;
    const SYSTEMTIME before = t;
    datecalc::AddDays(t, c.days);
    EXPECT_TRUE(SameFields(t, before));
  }
}

// Random dates over the whole range: every move and count against the model's day numbers.
TEST(DayArithmetic, AgreesWithTheModelOverTheWholeRange) {
  constexpr std::int64_t kUnitsPerDay = 864000000000;
  constexpr std::uint64_t kLastCount = (std::uint64_t{1} << 63) - 1;
  const std::int64_t lastDay = civil_model::DaysFrom1601({30827, 12, 31});
  std::mt19937_64 random(16010101);
  std::uniform_int_distribution<std::int64_t> anyDay(0, lastDay);
  std::uniform_int_distribution<int> anyMillisecond(0, 86399999);
  std::uniform_int_distribution<std::int32_t> anyShift(INT32_MIN, INT32_MAX);
  std::uniform_int_distribution<std::int32_t> nearShift(-20000000, 20000000);
#ifdef _WIN32
  constexpr int kRounds = 100000;
#else
  constexpr int kRounds = 300000;
#endif
  for (int i = 0; i < kRounds; ++i) {
    const std::int64_t day = anyDay(random);
    const int ms = anyMillisecond(random);
    const SYSTEMTIME start =
        ToSystemTime(civil_model::DateFromDays(day), static_cast<WORD>(ms / 3600000),
                     static_cast<WORD>(ms / 60000 % 60), static_cast<WORD>(ms / 1000 % 60),
                     static_cast<WORD>(ms % 1000));
    ASSERT_EQ(datecalc::DayNumber(start), day);

    const std::int64_t otherDay = anyDay(random);
    const SYSTEMTIME other = ToSystemTime(civil_model::DateFromDays(otherDay));
    ASSERT_EQ(datecalc::DayCount(start, other), day > otherDay ? day - otherDay : otherDay - day);

    const std::int32_t shift = i % 2 == 0 ? anyShift(random) : nearShift(random);
    SYSTEMTIME moved = start;
    datecalc::AddDays(moved, shift);
    const std::int64_t target = day + shift;
    const bool inRange =
        target >= 0 && target <= lastDay + 366 &&
        target * kUnitsPerDay + std::int64_t{ms} * 10000 <= static_cast<std::int64_t>(kLastCount);
    if (!inRange) {
      ASSERT_TRUE(SameFields(moved, start)) << day << " + " << shift;
      continue;
    }
    SYSTEMTIME expected = start;
    const Date targetDate = civil_model::DateFromDays(target);
    expected.wYear = static_cast<WORD>(targetDate.year);
    expected.wMonth = static_cast<WORD>(targetDate.month);
    expected.wDay = static_cast<WORD>(targetDate.day);
    expected.wDayOfWeek = static_cast<WORD>(civil_model::Weekday(target));
    ASSERT_TRUE(SameFields(moved, expected)) << day << " + " << shift;
  }
}

}  // namespace
