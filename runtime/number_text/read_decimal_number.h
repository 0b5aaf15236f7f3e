#pragma once
// Decimal numbers: sign, mantissa with at most one point, exponent.

#include "runtime/number_text/text_cursor.h"

namespace runtime {

// Reads one behind TextToNumber and leaves the cursor on the first character it did not use.
long double ReadDecimalNumber(TextCursor& cursor, int& digitsRead);

}  // namespace runtime
