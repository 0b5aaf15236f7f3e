// The result phrase built on the expression temporaries (borrowed literals, one allocation per
// join) against std::string appends of the same pieces; and widening against a plain Latin-1
// loop. The figures that matter are the ratios within one run.
#include <benchmark/benchmark.h>

#include <string>

#include "runtime/expression_stack.h"
#include "runtime/wide_string.h"

namespace {

constexpr auto kAfterYears = runtime::MakeLiteral(" a\xF1os ");
constexpr auto kAfterMonths = runtime::MakeLiteral(" meses ");
constexpr auto kAfterDays = runtime::MakeLiteral(" dias");

void ExpressionPhrase(benchmark::State& state) {
  runtime::DynString result;
  runtime::ErrorSlot slot;
  for (auto _ : state) {
    runtime::ExpressionStack stack;
    stack.PushOwned(runtime::DynString::Copy("1"));
    stack.PushBorrowed(kAfterYears);
    stack.ConcatTop(slot);
    stack.PushOwned(runtime::DynString::Copy("2"));
    stack.ConcatTop(slot);
    stack.PushBorrowed(kAfterMonths);
    stack.ConcatTop(slot);
    stack.PushOwned(runtime::DynString::Copy("26"));
    stack.ConcatTop(slot);
    stack.PushBorrowed(kAfterDays);
    stack.ConcatTop(slot);
    stack.AssignTop(slot, result);
    benchmark::DoNotOptimize(result.Text());
  }
}
BENCHMARK(ExpressionPhrase);

void StdStringPhrase(benchmark::State& state) {
  std::string result;
  for (auto _ : state) {
    std::string phrase =
        std::string("1") + " a\xF1os " + std::string("2") + " meses " + std::string("26") + " dias";
    result = std::move(phrase);
    benchmark::DoNotOptimize(result.data());
  }
}
BENCHMARK(StdStringPhrase);

const std::string kSentence = "La fecha segunda esta mal configurada ... Debe ser m\xE1s antigua";

void WidenWithCodePage(benchmark::State& state) {
  for (auto _ : state) {
    runtime::WideString wide = runtime::WidenText(kSentence, 1252);
    benchmark::DoNotOptimize(wide.Text());
  }
}
BENCHMARK(WidenWithCodePage);

void WidenLatin1Loop(benchmark::State& state) {
  for (auto _ : state) {
    std::u16string wide(kSentence.size(), u'\0');
    for (std::size_t i = 0; i < kSentence.size(); ++i) {
      wide[i] = static_cast<unsigned char>(kSentence[i]);
    }
    benchmark::DoNotOptimize(wide.data());
  }
}
BENCHMARK(WidenLatin1Loop);

}  // namespace
