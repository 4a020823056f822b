#include "astro/time_scales.h"

#include <array>
#include <atomic>

#include "framework/numeric.h"

namespace varizav {
namespace {
// Settings: written only by the configuration read at GetFunctionCount.
std::atomic<double> g_delta_t_override{0.0};
std::atomic<int64_t> g_tz_offset_seconds{0};
}  // namespace

double delta_t_override() noexcept { return g_delta_t_override.load(std::memory_order_relaxed); }
void set_delta_t_override(double centuries) noexcept { g_delta_t_override.store(centuries, std::memory_order_relaxed); }

int64_t tz_offset_seconds() noexcept { return g_tz_offset_seconds.load(std::memory_order_relaxed); }
void set_tz_offset_seconds(int64_t seconds) noexcept { g_tz_offset_seconds.store(seconds, std::memory_order_relaxed); }

double delta_t(double t_centuries_ut) noexcept {
  const double override_centuries = delta_t_override();
  if (override_centuries != 0.0) return override_centuries;
  const double t = t_centuries_ut;
  // Before 1800.0 (and NaN, whose comparisons fail): 102.3 + 123.5 T + 32.5 T^2 s.
  if (!(t >= -2.0)) return (1.03e-08 * t + 3.9135e-08) * t + 3.2417e-08;
  if (t < -0.12) {
    // 1800.0 to 1988.0: the degree-12 polynomial of Schmadel and Zech
    // (Astronomische Nachrichten 309, 219, 1988; quoted by Meeus, Astronomical
    // Algorithms, 1st ed., ch. 9) in centuries from 1900.0, its coefficients
    // converted from days to centuries (divided by 36525), constant term first.
    static constexpr std::array<double, 13> kCoefficients = {
        -3.832991e-10, 3.143053e-08,  9.190965e-08, -3.41191e-07, -6.171663e-07, 1.724052e-06,  2.174976e-06,
        -4.023546e-06, -4.087036e-06, 4.419329e-06, 3.995318e-06, -1.847255e-06, -1.590445e-06,
    };
    return horner(kCoefficients, t + 1.0);
  }
  // From 1988.0: 64 + 76 T seconds.
  return 2.4082946738662004e-08 * t + 2.028037620097853e-08;
}

}  // namespace varizav
