// Reading short numbers beside strtold and std::from_chars(double).

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/fpu.h"
#include "runtime/number_text/text_to_number.h"

namespace {

constexpr const char* kTexts[] = {"42", "  -7", "12.5", "2.5e-2", "&H10"};

void BM_TextToNumber(benchmark::State& state) {
  platform::LoadFpuControlWord();
  const std::string_view text = kTexts[state.range(0)];
  for (auto _ : state) {
    benchmark::DoNotOptimize(runtime::TextToNumber(text).value);
    benchmark::ClobberMemory();
  }
  state.SetLabel(std::string(text));
}

// strtold reads "&H10" as 0 and "  -7" with its blanks, as the program would ask.
void BM_Strtold(benchmark::State& state) {
  const char* text = kTexts[state.range(0)];
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::strtold(text, nullptr));
    benchmark::ClobberMemory();
  }
  state.SetLabel(text);
}

// from_chars takes no blanks: it is given the text from its first non-blank.
void BM_FromCharsDouble(benchmark::State& state) {
  std::string_view text = kTexts[state.range(0)];
  text.remove_prefix(text.find_first_not_of(' '));
  for (auto _ : state) {
    double value = 0;
    benchmark::DoNotOptimize(std::from_chars(text.data(), text.data() + text.size(), value).ec);
    benchmark::DoNotOptimize(value);
  }
  state.SetLabel(std::string(text));
}

BENCHMARK(BM_TextToNumber)->DenseRange(0, 4);
BENCHMARK(BM_Strtold)->DenseRange(0, 4);
BENCHMARK(BM_FromCharsDouble)->DenseRange(0, 4);

}  // namespace
