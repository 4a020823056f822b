// Cost of the coincidence searches: a successful astronomical search, one
// that exhausts the default bound, and a two-calendar search.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "events/astro_events.h"
#include "events/coincidence.h"
#include "events/holidays.h"
#include "events/search_limits.h"

namespace {

using namespace varizav;

constexpr double kJan1st2000 = 2451544.5;

// Full moon on a Friday the 13th from 1 January 2000: 10 full moons.
void BM_WhenFriday13thFullMoon(benchmark::State& state) {
  const SearchEvent full_moon{&astro_events, kAstronomical, 0x00020003};
  for (auto _ : state) benchmark::DoNotOptimize(first_event_on_civil_pattern(full_moon, {5, 13, 0}, kJan1st2000));
}
BENCHMARK(BM_WhenFriday13thFullMoon)->Unit(benchmark::kMicrosecond);

// The 31st of February, day by day: every one of the default 65536 passes fails.
void BM_WhenFebruary31stExhaustsBound(benchmark::State& state) {
  set_max_loop(kDefaultMaxLoop);
  const SearchEvent any_day{&gregorian_holidays, kGregorian, 0};
  for (auto _ : state) benchmark::DoNotOptimize(first_event_on_civil_pattern(any_day, {0, 31, 2}, kJan1st2000));
}
BENCHMARK(BM_WhenFebruary31stExhaustsBound)->Unit(benchmark::kMillisecond);

// Easter and Passover from 1 January 2000: about 250 holiday evaluations up to 2123.
void BM_When2EasterPassover(benchmark::State& state) {
  const SearchEvent easter{holiday_tables[kGregorian], kGregorian, 0x02000000};
  const SearchEvent passover{holiday_tables[kHebrew], kHebrew, 0x1800FF5D};
  for (auto _ : state) benchmark::DoNotOptimize(first_common_occurrence(easter, passover, kJan1st2000));
}
BENCHMARK(BM_When2EasterPassover)->Unit(benchmark::kMicrosecond);

}  // namespace
