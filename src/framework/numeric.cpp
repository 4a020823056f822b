#include "framework/numeric.h"

namespace varizav {

SinCos sincos(double x) noexcept {
  // The x87 fsincos instruction only reduces |x| < 2^63; libm reduces any
  // finite argument exactly, but reducing first keeps the results identical
  // whichever path the library takes for huge arguments.
  constexpr double kTwoPi = 6.283185307179586476925286766559;
  constexpr double kReduceAbove = 9.2233720368547758e18;  // 2^63
  if (std::fabs(x) >= kReduceAbove) x = std::fmod(x, kTwoPi);
  return {std::cos(x), std::sin(x)};
}

}  // namespace varizav
