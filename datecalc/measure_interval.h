#pragma once
// The time from a base date to a final date in whole years, months and days, compared field
// by field; only a day part that must borrow a month is counted in days.

#include "datecalc/interval_result.h"
#include "platform/win_types.h"

namespace datecalc {

struct IntervalOutcome {
  IntervalResult interval;  // all zero when refused
  bool finalBeforeBase = false;
};

IntervalOutcome MeasureInterval(WORD baseYear, WORD finalYear, WORD baseMonth, WORD finalMonth,
                                WORD baseDay, WORD finalDay);

}  // namespace datecalc
