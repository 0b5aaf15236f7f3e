#pragma once
// The interval line under the "Tiempo total" button.

#include "platform/win_types.h"
#include "runtime/dyn_string.h"

namespace datecalc {

// The interval from the base to the final date as "1 a\xF1os 2 meses 26 dias". A final date
// before the base date shows the date-order message first and gives three zeros.
runtime::DynString CalendarInterval(const WORD& baseYear, const WORD& finalYear,
                                    const WORD& baseMonth, const WORD& finalMonth,
                                    const WORD& baseDay, const WORD& finalDay);

}  // namespace datecalc
