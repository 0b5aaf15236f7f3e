// DayCount and AddDays per call, against a plain days-from-civil formula on the same dates:
// the figure that matters is the ratio of the two.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <random>

#include "datecalc/day_count.h"

namespace {

constexpr std::size_t kDates = 1024;

// Reference: days since 1 March of year 0, the era formula with plain integers.
std::int64_t DaysFromCivil(int y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int era = y / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return std::int64_t{era} * 146097 + doe;
}

void CivilFromDays(std::int64_t z, SYSTEMTIME& t) {
  const std::int64_t era = z / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  t.wDay = static_cast<WORD>(doy - (153 * mp + 2) / 5 + 1);
  t.wMonth = static_cast<WORD>(m);
  t.wYear = static_cast<WORD>(yoe + era * 400 + (m <= 2));
}

std::array<SYSTEMTIME, kDates> MakeDates() {
  std::array<SYSTEMTIME, kDates> dates{};
  std::mt19937 random(1752);
  std::uniform_int_distribution<int> year(1753, 9999), month(1, 12), day(1, 28), hour(0, 23);
  for (SYSTEMTIME& t : dates) {
    t.wYear = static_cast<WORD>(year(random));
    t.wMonth = static_cast<WORD>(month(random));
    t.wDay = static_cast<WORD>(day(random));
    t.wHour = static_cast<WORD>(hour(random));
  }
  return dates;
}

const std::array<SYSTEMTIME, kDates> kSample = MakeDates();

void BM_DayCount(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(datecalc::DayCount(kSample[i], kSample[(i + 1) % kDates]));
    i = (i + 1) % kDates;
  }
}
BENCHMARK(BM_DayCount);

void BM_ReferenceDayCount(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    const SYSTEMTIME& a = kSample[i];
    const SYSTEMTIME& b = kSample[(i + 1) % kDates];
    const std::int64_t difference =
        DaysFromCivil(a.wYear, a.wMonth, a.wDay) - DaysFromCivil(b.wYear, b.wMonth, b.wDay);
    benchmark::DoNotOptimize(static_cast<std::int32_t>(difference < 0 ? -difference : difference));
    i = (i + 1) % kDates;
  }
}
BENCHMARK(BM_ReferenceDayCount);

void BM_AddDays(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    SYSTEMTIME t = kSample[i];
    datecalc::AddDays(t, static_cast<std::int32_t>(i) - 512);
    benchmark::DoNotOptimize(t);
    i = (i + 1) % kDates;
  }
}
BENCHMARK(BM_AddDays);

void BM_ReferenceAddDays(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    SYSTEMTIME t = kSample[i];
    const std::int64_t days = DaysFromCivil(t.wYear, t.wMonth, t.wDay) + std::int64_t(i) - 512;
    CivilFromDays(days, t);
    t.wDayOfWeek = static_cast<WORD>((days + 3) % 7);
    benchmark::DoNotOptimize(t);
    i = (i + 1) % kDates;
  }
}
BENCHMARK(BM_ReferenceAddDays);

}  // namespace
