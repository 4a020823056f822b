#include "astro/time_scales.h"

#include <atomic>
#include <ctime>

namespace varizav {
namespace {
std::atomic<double> g_delta_t_override{0.0};
std::atomic<double> g_tz_offset{0.0};
}  // namespace

double delta_t_override() noexcept { return g_delta_t_override.load(std::memory_order_relaxed); }
void set_delta_t_override(double centuries) noexcept { g_delta_t_override.store(centuries, std::memory_order_relaxed); }

double tz_offset() noexcept { return g_tz_offset.load(std::memory_order_relaxed); }
void set_tz_offset(double centuries) noexcept { g_tz_offset.store(centuries, std::memory_order_relaxed); }

double now_centuries() noexcept {
  // 946728000 s: from 1970-01-01 0h UT to J2000.0 (2000-01-01 12:00).
  constexpr double kUnixToJ2000Seconds = 946728000.0;
  return (static_cast<double>(std::time(nullptr)) - kUnixToJ2000Seconds) * kSecondsToCenturies;
}

}  // namespace varizav
