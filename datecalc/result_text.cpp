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

// A number or a join that ran out of memory would leave only part of the text, such as
// " años 2 meses 26 dias": the whole text or none of it.
runtime::DynString FormatInterval(const IntervalResult& interval) {
  bool ranOut = false;
  auto noteMemory = [&ranOut](const runtime::ErrorSlot& slot) {
    ranOut = ranOut || slot.number() == runtime::error::kOutOfMemory;
  };
  runtime::ErrorSlot slot;
  runtime::DynString years = runtime::DoubleToText(slot, interval.years);
  noteMemory(slot);
  runtime::DynString months = runtime::DoubleToText(slot, interval.months);
  noteMemory(slot);
  runtime::DynString days = runtime::DoubleToText(slot, interval.days);
  noteMemory(slot);
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
  noteMemory(joinSlot);
  if (ranOut) return {};
  return stack.PopTop();
}

runtime::DynString FormatDayCount(std::int32_t count) {
  runtime::ErrorSlot slot;
  return runtime::DoubleToSignedText(slot, count);
}

}  // namespace datecalc
