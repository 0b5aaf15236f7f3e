#include "datecalc/result_text.h"

#include <utility>

#include "runtime/error_numbers.h"
#include "runtime/error_slot.h"
#include "runtime/expression_stack.h"
#include "runtime/literal.h"
#include "runtime/number_text/number_to_text.h"

namespace datecalc {
namespace {

constexpr auto kAfterYears = runtime::MakeLiteral(" a\xF1os ");
constexpr auto kAfterMonths = runtime::MakeLiteral(" meses ");
constexpr auto kAfterDays = runtime::MakeLiteral(" dias");

}  // namespace

runtime::DynString FormatInterval(const IntervalResult& interval) {
  runtime::ErrorSlot slot;
  runtime::DynString years = runtime::DoubleToText(slot, interval.years);
  runtime::DynString months = runtime::DoubleToText(slot, interval.months);
  runtime::DynString days = runtime::DoubleToText(slot, interval.days);
  runtime::ErrorSlot joinSlot;
  runtime::ExpressionStack stack;
  stack.PushOwned(std::move(years));
  stack.PushBorrowed(kAfterYears);
  stack.ConcatTop(joinSlot);
  stack.PushOwned(std::move(months));
  stack.ConcatTop(joinSlot);
  stack.PushBorrowed(kAfterMonths);
  stack.ConcatTop(joinSlot);
  stack.PushOwned(std::move(days));
  stack.ConcatTop(joinSlot);
  stack.PushBorrowed(kAfterDays);
  stack.ConcatTop(joinSlot);
  // A step that ran out of memory leaves only part of the text: give none of it instead.
  if (joinSlot.number() == runtime::error::kOutOfMemory) return {};
  return stack.PopTop();
}

runtime::DynString FormatDayCount(std::int32_t count) {
  runtime::ErrorSlot slot;
  return runtime::DoubleToSignedText(slot, count);
}

}  // namespace datecalc
