#include "runtime/number_text/text_to_number.h"

#include "runtime/number_text/read_based_integer.h"
#include "runtime/number_text/read_decimal_number.h"
#include "runtime/number_text/text_cursor.h"

namespace runtime {

TextNumber TextToNumber(std::string_view text, int start) {
  const std::size_t skipped = start > 1 ? static_cast<std::size_t>(start - 1) : 0;
  TextNumber result;
  if (skipped >= text.size()) return result;
  TextCursor cursor(text.substr(skipped));
  cursor.SkipWhitespace();
  if (cursor.Peek() == TextCursor::kEnd) return result;
  result.value = cursor.Accept('&') ? ReadBasedInteger(cursor, result.digitsRead)
                                    : ReadDecimalNumber(cursor, result.digitsRead);
  cursor.SkipWhitespace();
  result.charactersLeft = cursor.Remaining();
  return result;
}

TextNumber TextToNumber(DynString text, int start) {
  return TextToNumber(text.View(), start);  // `text` is freed on return
}

}  // namespace runtime
