// Cost of the lunar phases, the solar longitude search and the astronomical
// event dispatcher.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "astro/moon.h"
#include "astro/sun_crossing.h"
#include "events/astro_events.h"

namespace {

using namespace varizav;

// One phase per call, lunations stepping through 1900-2100.
void BM_MoonPhase(benchmark::State& state) {
  int32_t k = -1237;
  int32_t phase = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(moon_phase(k, phase));
    phase = (phase + 1) & 3;
    if (++k > 1237) k = -1237;
  }
}
BENCHMARK(BM_MoonPhase);

// One equinox, solstice or sign entry per call, years 1900-2100.
void BM_SunLongitudeCrossing(benchmark::State& state) {
  int32_t year = -100;
  int32_t sign = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(sun_longitude_crossing(year, sign));
    if (++sign == 12) {
      sign = 0;
      if (++year > 100) year = -100;
    }
  }
}
BENCHMARK(BM_SunLongitudeCrossing);

// The first event of one code at or after starts 11.3 days apart, 1900-2100.
void run_astro_event(benchmark::State& state, AstroEventCode code) {
  constexpr double kFirst = 2415020.5;  // 1900-01-01
  constexpr double kLast = 2488069.5;   // 2100-01-01
  double jd = kFirst;
  for (auto _ : state) {
    benchmark::DoNotOptimize(astro_event(jd, astro_kind(code), astro_sub(code)));
    jd += 11.3;
    if (jd > kLast) jd = kFirst;
  }
}

void BM_AstroEventFullMoon(benchmark::State& state) { run_astro_event(state, 0x00020003); }
void BM_AstroEventSolarEclipse(benchmark::State& state) { run_astro_event(state, 0x00000007); }
void BM_AstroEventVenusEastElongation(benchmark::State& state) { run_astro_event(state, 0x0004000C); }
BENCHMARK(BM_AstroEventFullMoon);
BENCHMARK(BM_AstroEventSolarEclipse);
BENCHMARK(BM_AstroEventVenusEastElongation);

}  // namespace
