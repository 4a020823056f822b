// Cost of the holiday search from a start date (the work behind SC_holiday2)
// for a Gregorian, a Hebrew, a Chinese and an astronomical holiday.
#include <benchmark/benchmark.h>

#include "events/holiday_resolution.h"
#include "framework/language.h"

namespace {

using namespace varizav;

// Serial dates of 1 January 1900 and 1 January 2100.
constexpr double kFirstStart = 2.0;
constexpr double kLastStart = 73051.0;

// One search per call, the start moving on by 37.3 days through 1900-2100 so
// that every part of the year and every year is met.
void search_from_moving_starts(benchmark::State& state, const char* calendar, const char* event) {
  set_current_language(kLanguageEnglish);  // the names below are the English ones
  double start = kFirstStart;
  for (auto _ : state) {
    benchmark::DoNotOptimize(holiday_on_or_after(NameText{calendar, current_language()}, NameText{event, current_language()}, start));
    start += 37.3;
    if (start > kLastStart) start = kFirstStart;
  }
}

void BM_Holiday2GregorianEaster(benchmark::State& state) { search_from_moving_starts(state, "gregorian", "Easter"); }
BENCHMARK(BM_Holiday2GregorianEaster);

void BM_Holiday2HebrewPassover(benchmark::State& state) { search_from_moving_starts(state, "hebrew", "Passover"); }
BENCHMARK(BM_Holiday2HebrewPassover);

void BM_Holiday2ChineseNewYear(benchmark::State& state) {
  search_from_moving_starts(state, "chinese", "New Year's Day");
}
BENCHMARK(BM_Holiday2ChineseNewYear);

void BM_Holiday2FullMoon(benchmark::State& state) { search_from_moving_starts(state, "astronomical", "Full Moon"); }
BENCHMARK(BM_Holiday2FullMoon);

}  // namespace
