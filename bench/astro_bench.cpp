// Cost of the solar theory and of one planetary phenomenon search.
#include <benchmark/benchmark.h>

#include "astro/planets.h"
#include "astro/sun.h"

namespace {

using namespace varizav;

// One position per call, the instant stepping through two centuries.
void BM_SunPosition(benchmark::State& state) {
  double t = -1.0;
  for (auto _ : state) {
    const SunPosition p = sun_position(t);
    benchmark::DoNotOptimize(p);
    t += 0.0001;
    if (t > 1.0) t = -1.0;
  }
}
BENCHMARK(BM_SunPosition);

// The next greatest eastern elongation of Venus, from starts a month apart.
void BM_NextVenusElongation(benchmark::State& state) {
  double t = -1.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(next_planet_event(Planet::venus, t, kEasternElongation));
    t += 30.0 / 36525.0;
    if (t > 1.0) t = -1.0;
  }
}
BENCHMARK(BM_NextVenusElongation);

}  // namespace
