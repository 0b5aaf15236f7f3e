#include "datecalc/result_text.h"

#include <cstring>
#include <string_view>

#include "runtime/error_slot.h"
#include "runtime/literal.h"
#include "runtime/number_text/number_to_text.h"

namespace datecalc {
namespace {

constexpr auto kAfterYears = runtime::MakeLiteral(" a\xF1os ");
constexpr auto kAfterMonths = runtime::MakeLiteral(" meses ");
constexpr auto kAfterDays = runtime::MakeLiteral(" dias");

std::string_view ViewOf(const auto& literal) {
  return {literal.data(), literal.length};
}

// One new string of all the pieces; out of memory raises error 7 and gives the empty string.
template <std::size_t N>
runtime::DynString Join(runtime::ErrorSlot& slot, const std::string_view (&pieces)[N]) {
  std::uint32_t length = 0;
  for (std::string_view piece : pieces) length += static_cast<std::uint32_t>(piece.size());
  runtime::DynString joined = runtime::DynString::Allocate(length);
  if (joined.IsEmpty()) {
    if (length != 0) runtime::RaiseRuntimeError(slot, runtime::error::kOutOfMemory);
    return joined;
  }
  char* out = joined.MutableText();
  for (std::string_view piece : pieces) {
    std::memcpy(out, piece.data(), piece.size());
    out += piece.size();
  }
  return joined;
}

}  // namespace

runtime::DynString FormatInterval(const IntervalResult& interval) {
  runtime::ErrorSlot slot;
  const runtime::DynString years = runtime::DoubleToText(slot, interval.years);
  const runtime::DynString months = runtime::DoubleToText(slot, interval.months);
  const runtime::DynString days = runtime::DoubleToText(slot, interval.days);
  const std::string_view pieces[] = {years.View(),         ViewOf(kAfterYears), months.View(),
                                     ViewOf(kAfterMonths), days.View(),         ViewOf(kAfterDays)};
  return Join(slot, pieces);
}

runtime::DynString FormatDayCount(std::int32_t count) {
  runtime::ErrorSlot slot;
  return runtime::DoubleToSignedText(slot, count);
}

}  // namespace datecalc
