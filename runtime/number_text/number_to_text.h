#pragma once
// Numbers to text: the shortest decimal text of an extended-precision value with at most a
// given number of significant digits.

#include "runtime/dyn_string.h"
#include "runtime/error_slot.h"

namespace runtime {

// `digits` 1 to 17 (0, negative counts and 18 or more mean 18). A non-negative number starts with a
// blank in its sign position unless `keepSignBlank` is false. Out of memory raises error 7 in
// `slot`.
DynString NumberToText(ErrorSlot& slot, long double value, int digits, bool keepSignBlank);

// The six fixed forms.
DynString SingleToText(ErrorSlot& slot, long double value);               // 7 digits
DynString DoubleToText(ErrorSlot& slot, long double value);               // 15 digits
DynString CountedToText(ErrorSlot& slot, long double value, int digits);  // caller's count
DynString SingleToSignedText(ErrorSlot& slot, long double value);         // 7, blank kept
DynString DoubleToSignedText(ErrorSlot& slot, long double value);         // 15, blank kept
DynString CountedToSignedText(ErrorSlot& slot, long double value, int digits);

}  // namespace runtime
