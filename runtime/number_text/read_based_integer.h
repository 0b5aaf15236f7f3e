#pragma once
// Integers after "&": base 2, 8 or 16, with the type suffixes that decide sign extension.

#include "runtime/number_text/text_cursor.h"

namespace runtime {

// Reads one after the "&" and leaves the cursor on the first character it did not use.
long double ReadBasedInteger(TextCursor& cursor, int& digitsRead);

}  // namespace runtime
