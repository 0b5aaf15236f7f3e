// Every accepted interval, laid onto the base date (whole months first, then days), must land
// exactly on the final date; every refusal must be a final date before the base date.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "datecalc/measure_interval.h"
#include "support/civil_model.h"

namespace {

using civil_model::Date;

// Checks one pair; returns false (after reporting it) when it breaks the property.
bool HoldsFor(const Date& base, const Date& final) {
  const datecalc::IntervalOutcome outcome = datecalc::MeasureInterval(
      static_cast<WORD>(base.year), static_cast<WORD>(final.year), static_cast<WORD>(base.month),
      static_cast<WORD>(final.month), static_cast<WORD>(base.day), static_cast<WORD>(final.day));
  const datecalc::IntervalResult& r = outcome.interval;
  const auto describe = [&] {
    return testing::Message() << base.day << "/" << base.month << "/" << base.year << " -> "
                              << final.day << "/" << final.month << "/" << final.year << ": "
                              << r.years << " " << r.months << " " << r.days;
  };
  if (outcome.finalBeforeBase) {
    const bool holds =
        civil_model::IsBefore(final, base) && r.years == 0 && r.months == 0 && r.days == 0;
    EXPECT_TRUE(holds) << describe();
    return holds;
  }
  const bool inRange =
      r.years >= 0 && r.months >= 0 && r.months <= 11 && r.days >= 0 && r.days < 31;
  const Date landed =
      civil_model::AddDays(civil_model::AddMonths(base, 12 * r.years + r.months), r.days);
  EXPECT_TRUE(inRange) << describe();
  EXPECT_EQ(landed, final) << describe();
  return inRange && landed == final;
}

TEST(IntervalProperty, EveryPairOfDatesFromDecember2019ToJanuary2023) {
  std::vector<Date> dates;
  const std::int64_t first = civil_model::DaysFrom1601({2019, 12, 1});
  const std::int64_t last = civil_model::DaysFrom1601({2023, 1, 31});
  for (std::int64_t day = first; day <= last; ++day) {
    dates.push_back(civil_model::DateFromDays(day));
  }
  std::size_t pairs = 0;
  for (const Date& base : dates) {
    for (const Date& final : dates) {
      ++pairs;
      ASSERT_TRUE(HoldsFor(base, final));
    }
  }
  EXPECT_GT(pairs, 1000000u);
}

TEST(IntervalProperty, RandomPairsAcrossCenturies) {
  const std::int64_t last = civil_model::DaysFrom1601({9999, 12, 31});
  std::mt19937_64 random(19000228);
  std::uniform_int_distribution<std::int64_t> anyDay(0, last);
  std::uniform_int_distribution<std::int64_t> nearby(-800, 800);
  for (int i = 0; i < 200000; ++i) {
    const std::int64_t baseDay = anyDay(random);
    std::int64_t finalDay = i % 2 == 0 ? anyDay(random) : baseDay + nearby(random);
    if (finalDay < 0 || finalDay > last) finalDay = baseDay;
    ASSERT_TRUE(HoldsFor(civil_model::DateFromDays(baseDay), civil_model::DateFromDays(finalDay)));
  }
}

}  // namespace
