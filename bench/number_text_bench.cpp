// The double-precision text form beside the C library's and the standard library's
// conversions of the same values with 15 significant digits.

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/fpu.h"
#include "runtime/number_text/number_to_text.h"

namespace {

std::vector<long double> SmallIntegers() {
  std::vector<long double> values;
  std::uint32_t state = 1;
  for (int i = 0; i < 1024; ++i) {
    state = state * 1664525u + 1013904223u;
    values.push_back(static_cast<long double>(state % 10000000));
  }
  return values;
}

std::vector<long double> MixedMagnitudes() {
  std::vector<long double> values;
  std::uint32_t state = 7;
  long double scale = 1e-30L;
  for (int i = 0; i < 1024; ++i) {
    state = state * 1664525u + 1013904223u;
    const long double value = static_cast<long double>(state) / 4294967296.0L * scale;
    values.push_back(i % 3 == 0 ? -value : value);
    scale = i % 61 == 60 ? 1e-30L : scale * 10;
  }
  return values;
}

const std::vector<long double>& Values(int which) {
  static const std::vector<long double> small = SmallIntegers();
  static const std::vector<long double> mixed = MixedMagnitudes();
  return which == 0 ? small : mixed;
}

void BM_DoubleToText(benchmark::State& state) {
  platform::LoadFpuControlWord();
  const auto& values = Values(static_cast<int>(state.range(0)));
  runtime::ErrorSlot slot;
  std::size_t i = 0;
  for (auto _ : state) {
    runtime::DynString text = runtime::DoubleToText(slot, values[i++ % values.size()]);
    benchmark::DoNotOptimize(text.handle());
  }
}

void BM_Snprintf(benchmark::State& state) {
  const auto& values = Values(static_cast<int>(state.range(0)));
  char buffer[64];
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        std::snprintf(buffer, sizeof buffer, "%.15Lg", values[i++ % values.size()]));
    benchmark::ClobberMemory();
  }
}

void BM_ToChars(benchmark::State& state) {
  const auto& values = Values(static_cast<int>(state.range(0)));
  char buffer[64];
  std::size_t i = 0;
  for (auto _ : state) {
    auto result = std::to_chars(buffer, buffer + sizeof buffer, values[i++ % values.size()],
                                std::chars_format::general, 15);
    benchmark::DoNotOptimize(result.ptr);
    benchmark::ClobberMemory();
  }
}

// Argument 0: integers below 10^7; 1: mixed magnitudes and signs.
BENCHMARK(BM_DoubleToText)->Arg(0)->Arg(1);
BENCHMARK(BM_Snprintf)->Arg(0)->Arg(1);
BENCHMARK(BM_ToChars)->Arg(0)->Arg(1);

}  // namespace
