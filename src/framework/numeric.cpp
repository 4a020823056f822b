#include "framework/numeric.h"

#include <cerrno>
#include <cfenv>

namespace varizav {

SinCos sincos(double x) noexcept {
  // The x87 fsincos instruction only reduces |x| < 2^63; libm reduces any
  // finite argument exactly, but reducing first keeps the results identical
  // whichever path the library takes for huge arguments.
  constexpr double kTwoPi = 6.283185307179586476925286766559;
  constexpr double kReduceAbove = 9.2233720368547758e18;  // 2^63
  // Quiet comparison: a NaN argument raises no flag of its own.
  const double reduced = std::isgreaterequal(std::fabs(x), kReduceAbove) ? std::fmod(x, kTwoPi) : x;
  return {fp_checked(std::cos(reduced), x), fp_checked(std::sin(reduced), x)};
}

void note_fp_fault(int error_number) noexcept {
  errno = error_number;
  std::feclearexcept(FE_ALL_EXCEPT);
}

}  // namespace varizav
