#pragma once
// Text to number: the value of the number at the beginning of a text. Never fails: text that
// holds no number gives 0, and whatever follows the number is ignored.

#include <string_view>

#include "runtime/dyn_string.h"

namespace runtime {

struct TextNumber {
  long double value = 0;
  int digitsRead = 0;      // digits of the mantissa or of the based integer
  int charactersLeft = 0;  // after the number and the whitespace that follows it
};

// Reads from the 1-based position `start` (below 1 reads as 1), after skipping blanks, tabs,
// carriage returns and line feeds: a decimal number (sign, digits, point, exponent after
// E, e, D or d) or an integer after "&" in base 2 ("&B"), 8 ("&O", "&Q", "&") or 16 ("&H"),
// with an optional type suffix (%, &, &&, ?, ?? or ???). The string is consumed: an owned
// one is freed.
TextNumber TextToNumber(DynString text, int start = 1);

// The same over bytes it only reads, never beyond their end.
TextNumber TextToNumber(std::string_view text, int start = 1);

}  // namespace runtime
