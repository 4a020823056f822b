// Date -> fields of the Gregorian and Julian calendars next to the published
// Euclidean affine algorithms (C. Neri and L. Schneider, "Euclidean affine
// functions and their application to calendar algorithms", Software: Practice
// and Experience 53 (2023) 937-970), written here from the paper in its 32-bit
// form as the peer: the same random days, split into day number and time of
// day the same way. Target: ours within 2x of the peer.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "bench_support.h"
#include "calendars/western/gregorian.h"
#include "calendars/western/julian.h"
#include "framework/date.h"

namespace varizav::bench {
namespace {

// The paper's shift: 82 cycles of 400 years, so that the 32-bit day count
// stays positive for the benchmark's years.
constexpr uint32_t kShiftCycles = 82;

CalendarDate neri_schneider_gregorian(double jd) {
  const double a = jd + 0.5;
  const double z = std::floor(a);
  const uint32_t n = static_cast<uint32_t>(static_cast<int64_t>(z) - 1721120) + kShiftCycles * 146097;
  const uint32_t n1 = 4 * n + 3;
  const uint32_t c = n1 / 146097;
  const uint32_t n_c = n1 % 146097 / 4;
  const uint64_t p2 = uint64_t{2939745} * (4 * n_c + 3);
  const uint32_t z_y = static_cast<uint32_t>(p2 >> 32);
  const uint32_t n_y = static_cast<uint32_t>(p2) / 2939745 / 4;
  const uint32_t n3 = 2141 * n_y + 197913;
  const uint32_t m = n3 >> 16;
  const uint32_t d = (n3 & 0xFFFF) / 2141;
  const bool j = n_y >= 306;
  const auto year = static_cast<int32_t>(100 * c + z_y + j) - static_cast<int32_t>(400 * kShiftCycles);
  return {year, static_cast<int32_t>(j ? m - 12 : m), a - z + (d + 1)};
}

CalendarDate neri_schneider_julian(double jd) {
  const double a = jd + 0.5;
  const double z = std::floor(a);
  const uint32_t n = static_cast<uint32_t>(static_cast<int64_t>(z) - 1721118) + kShiftCycles * 146100;
  const uint32_t n1 = 4 * n + 3;
  const uint32_t y = n1 / 1461;
  const uint32_t n_y = n1 % 1461 / 4;
  const uint32_t n3 = 2141 * n_y + 197913;
  const uint32_t m = n3 >> 16;
  const uint32_t d = (n3 & 0xFFFF) / 2141;
  const bool j = n_y >= 306;
  const auto year = static_cast<int32_t>(y + j) - static_cast<int32_t>(400 * kShiftCycles);
  return {year, static_cast<int32_t>(j ? m - 12 : m), a - z + (d + 1)};
}

template <typename FromJd>
void run(benchmark::State& state, FromJd from_jd) {
  const std::vector<double>& days = random_days();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(from_jd(days[i]));
    i = i + 1 == days.size() ? 0 : i + 1;
  }
}

const bool registered = [] {
  // The peer must agree with the library on the benchmark's days, or the comparison means nothing.
  for (const double jd : random_days()) {
    const CalendarDate a = gregorian::from_jd(jd), b = neri_schneider_gregorian(jd);
    const CalendarDate c = julian::from_jd(jd), d = neri_schneider_julian(jd);
    if (a.year != b.year || a.month != b.month || a.day != b.day || c.year != d.year || c.month != d.month ||
        c.day != d.day) {
      std::abort();
    }
  }
  benchmark::RegisterBenchmark("date->fields/gregorian/neri-schneider",
                               [](benchmark::State& s) { run(s, neri_schneider_gregorian); });
  benchmark::RegisterBenchmark("date->fields/julian/neri-schneider",
                               [](benchmark::State& s) { run(s, neri_schneider_julian); });
  // Ratio peer / ours at least 0.5: ours within twice the published algorithm's time.
  add_summary_row({"date->fields/gregorian vs Neri-Schneider", "date->fields/gregorian/varizav",
                   "date->fields/gregorian/neri-schneider", 0.5, 0});
  add_summary_row({"date->fields/julian vs Neri-Schneider", "date->fields/julian/varizav",
                   "date->fields/julian/neri-schneider", 0.5, 0});
  return true;
}();

}  // namespace
}  // namespace varizav::bench
