#include "runtime/number_text/number_to_text.h"

#include <cstring>

#include "runtime/number_text/extract_digits.h"
#include "runtime/number_text/layout_number.h"

namespace runtime {
namespace {

constexpr int kSingleDigits = 7;
constexpr int kDoubleDigits = 15;

}  // namespace

DynString NumberToText(ErrorSlot& slot, long double value, int digits, bool keepSignBlank) {
  const int n = digits <= 0 || digits >= kMaxSignificantDigits ? kMaxSignificantDigits : digits;
  const NumberLayout layout = LayoutNumber(value, n);
  const char* text = layout.text;
  int length = layout.length - 1;  // the final blank goes
  if (!keepSignBlank && text[0] == ' ') {
    ++text;
    --length;
  }
  DynString result = DynString::Allocate(static_cast<std::uint32_t>(length));
  if (result.IsEmpty()) {
    RaiseRuntimeError(slot, error::kOutOfMemory);
    return result;
  }
  std::memcpy(result.MutableText(), text, static_cast<std::size_t>(length));
  return result;
}

DynString SingleToText(ErrorSlot& slot, long double value) {
  return NumberToText(slot, value, kSingleDigits, false);
}
DynString DoubleToText(ErrorSlot& slot, long double value) {
  return NumberToText(slot, value, kDoubleDigits, false);
}
DynString CountedToText(ErrorSlot& slot, long double value, int digits) {
  return NumberToText(slot, value, digits, false);
}
DynString SingleToSignedText(ErrorSlot& slot, long double value) {
  return NumberToText(slot, value, kSingleDigits, true);
}
DynString DoubleToSignedText(ErrorSlot& slot, long double value) {
  return NumberToText(slot, value, kDoubleDigits, true);
}
DynString CountedToSignedText(ErrorSlot& slot, long double value, int digits) {
  return NumberToText(slot, value, digits, true);
}

}  // namespace runtime
