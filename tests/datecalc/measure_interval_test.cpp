#include "datecalc/measure_interval.h"

#include <gtest/gtest.h>

namespace {

struct Fields {
  WORD year, month, day;
};

struct IntervalCase {
  Fields base;
  Fields final;
  int years, months, days;
};

datecalc::IntervalOutcome Measure(const Fields& base, const Fields& final) {
  return datecalc::MeasureInterval(base.year, final.year, base.month, final.month, base.day,
                                   final.day);
}

void ExpectInterval(const IntervalCase& c) {
  SCOPED_TRACE(testing::Message() << c.base.day << "/" << c.base.month << "/" << c.base.year
                                  << " -> " << c.final.day << "/" << c.final.month << "/"
                                  << c.final.year);
  const datecalc::IntervalOutcome outcome = Measure(c.base, c.final);
  EXPECT_FALSE(outcome.finalBeforeBase);
  EXPECT_EQ(outcome.interval.years, c.years);
  EXPECT_EQ(outcome.interval.months, c.months);
  EXPECT_EQ(outcome.interval.days, c.days);
}

TEST(MeasureInterval, WorkedExamples) {
  const IntervalCase cases[] = {
      {{2021, 3, 10}, {2021, 3, 10}, 0, 0, 0},   {{2021, 6, 5}, {2022, 6, 5}, 1, 0, 0},
      {{2020, 12, 31}, {2021, 1, 1}, 0, 0, 1},   {{2020, 11, 15}, {2021, 2, 20}, 0, 3, 5},
      {{2020, 11, 20}, {2021, 2, 15}, 0, 2, 26}, {{2020, 1, 20}, {2021, 1, 15}, 0, 11, 26},
      {{2020, 1, 15}, {2021, 4, 10}, 1, 2, 26},  {{2020, 2, 29}, {2021, 2, 28}, 0, 11, 30},
      {{2021, 1, 10}, {2021, 3, 5}, 0, 1, 23},   {{2021, 1, 31}, {2021, 2, 28}, 0, 0, 28},
  };
  for (const IntervalCase& c : cases) ExpectInterval(c);
}

// One case per accepted row of the decision table.
TEST(MeasureInterval, EveryAcceptedRow) {
  const IntervalCase cases[] = {
      {{2019, 3, 10}, {2021, 5, 12}, 2, 2, 2},    // y>, m>, d>
      {{2019, 3, 12}, {2021, 5, 10}, 2, 1, 28},   // y>, m>, d< (from 12 April)
      {{2019, 3, 10}, {2021, 3, 10}, 2, 0, 0},    // y>, m=, d=
      {{2019, 3, 12}, {2021, 3, 10}, 1, 11, 26},  // y>, m=, d< (from 12 February)
      {{2019, 5, 10}, {2021, 3, 10}, 1, 10, 0},   // y>, m<, d=
      {{2019, 5, 12}, {2021, 3, 10}, 1, 9, 26},   // y>, m<, d<
      {{2021, 3, 10}, {2021, 7, 10}, 0, 4, 0},    // y=, m>, d=
      {{2021, 3, 12}, {2021, 7, 10}, 0, 3, 28},   // y=, m>, d< (from 12 June)
      {{2021, 7, 10}, {2021, 7, 31}, 0, 0, 21},   // y=, m=, d>
  };
  for (const IntervalCase& c : cases) ExpectInterval(c);
}

// The base day does not exist in the month before the final month: the borrow counts from
// that month's last day.
TEST(MeasureInterval, BorrowFromAShorterMonthCountsFromItsLastDay) {
  const IntervalCase cases[] = {
      {{2021, 1, 31}, {2021, 3, 1}, 0, 1, 1},     // 31 February -> 28 February
      {{2020, 1, 31}, {2020, 3, 1}, 0, 1, 1},     // 31 February -> 29 February
      {{2020, 1, 30}, {2020, 3, 1}, 0, 1, 1},     // 30 February -> 29 February
      {{2021, 3, 31}, {2021, 5, 1}, 0, 1, 1},     // 31 April -> 30 April
      {{2021, 8, 31}, {2021, 10, 15}, 0, 1, 15},  // 31 September -> 30 September
      {{2020, 2, 29}, {2021, 3, 1}, 1, 0, 1},     // 29 February 2021 -> 28 February
      {{2019, 12, 31}, {2021, 3, 30}, 1, 2, 30},  // 31 February -> 28 February
  };
  for (const IntervalCase& c : cases) ExpectInterval(c);
}

TEST(MeasureInterval, AFinalDateBeforeTheBaseIsRefusedWithZeros) {
  const Fields refused[][2] = {
      {{2021, 3, 15}, {2021, 3, 10}},  // y=, m=, d<
      {{2021, 5, 10}, {2021, 3, 20}},  // y=, m<, final day larger
      {{2021, 5, 10}, {2021, 3, 5}},   // y=, m<, d<
      {{2021, 5, 10}, {2021, 3, 10}},  // y=, m<, d=
      {{2022, 1, 1}, {2021, 12, 31}},  // y<
      {{2022, 1, 1}, {2021, 1, 1}},    // y<, m=, d=
      {{2022, 1, 1}, {2021, 12, 1}},   // y<, m>, d=
  };
  for (const auto& pair : refused) {
    const datecalc::IntervalOutcome outcome = Measure(pair[0], pair[1]);
    EXPECT_TRUE(outcome.finalBeforeBase) << pair[0].year << "-" << pair[0].month;
    EXPECT_EQ(outcome.interval.years, 0);
    EXPECT_EQ(outcome.interval.months, 0);
    EXPECT_EQ(outcome.interval.days, 0);
  }
}

TEST(MeasureInterval, FieldsAreTakenInTheirParameterOrder) {
  // baseYear, finalYear, baseMonth, finalMonth, baseDay, finalDay
  const datecalc::IntervalOutcome outcome = datecalc::MeasureInterval(2000, 2003, 1, 5, 2, 9);
  EXPECT_FALSE(outcome.finalBeforeBase);
  EXPECT_EQ(outcome.interval.years, 3);
  EXPECT_EQ(outcome.interval.months, 4);
  EXPECT_EQ(outcome.interval.days, 7);
}

}  // namespace
