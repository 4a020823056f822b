// Cost of the Chinese calendar: a day of a cached year, a day of a year not
// cached (each call a different year, beyond the 128-entry cache), and the
// text form through the calendar registry.
#include <benchmark/benchmark.h>

#include "calendars/lunisolar/chinese.h"
#include "calendars/registry.h"
#include "calendars/western/gregorian.h"

namespace {

using namespace varizav;

void BM_ChineseFromJdWarm(benchmark::State& state) {
  const JulianDay start = gregorian::to_jd(2000, 3, 1.0);
  double offset = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(chinese::from_jd(start + offset));
    offset = offset >= 300 ? 0 : offset + 1;  // stays inside one Chinese year
  }
}
BENCHMARK(BM_ChineseFromJdWarm);

void BM_ChineseFromJdCold(benchmark::State& state) {
  int32_t year = 1800;
  for (auto _ : state) {
    // 400 distinct years cycle through a 128-entry cache: every call misses.
    benchmark::DoNotOptimize(chinese::from_jd(gregorian::to_jd(year, 7, 1.0)));
    year = year >= 2200 ? 1800 : year + 1;
  }
}
BENCHMARK(BM_ChineseFromJdCold);

void BM_CalendarChineseText(benchmark::State& state) {
  char out[kTextCapacity];
  double serial = 36526;
  for (auto _ : state) {
    format_calendar_date(out, NameText{"chinese", current_language()}, serial, 1.0);
    benchmark::DoNotOptimize(out);
    serial = serial >= 36826 ? 36526 : serial + 1;
  }
}
BENCHMARK(BM_CalendarChineseText);

}  // namespace
