#include "datecalc/calendar_interval.h"

#include "datecalc/date_order_message.h"
#include "datecalc/measure_interval.h"
#include "datecalc/result_text.h"

namespace datecalc {

runtime::DynString CalendarInterval(const WORD& baseYear, const WORD& finalYear,
                                    const WORD& baseMonth, const WORD& finalMonth,
                                    const WORD& baseDay, const WORD& finalDay) {
  const IntervalOutcome outcome =
      MeasureInterval(baseYear, finalYear, baseMonth, finalMonth, baseDay, finalDay);
  if (outcome.finalBeforeBase) ShowDateOrderError();
  return FormatInterval(outcome.interval);
}

}  // namespace datecalc
