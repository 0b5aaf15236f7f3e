#pragma once
// The texts that present the results.

#include <cstdint>

#include "datecalc/interval_result.h"
#include "runtime/dyn_string.h"

namespace datecalc {

// "<years> a\xF1os <months> meses <days> dias", no blank at either end.
runtime::DynString FormatInterval(const IntervalResult& interval);

// The count with a blank in its sign position: 451 gives " 451".
runtime::DynString FormatDayCount(std::int32_t count);

}  // namespace datecalc
