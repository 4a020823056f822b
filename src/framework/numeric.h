// Numeric kit shared by every calendar and by the astronomy: rounding that is
// safe for negative values, remainders with the divisor's sign, Horner
// polynomials and sine/cosine with large-argument reduction.
//
// Conversions from double to 32-bit integers saturate: NaN gives INT32_MIN and
// values beyond the 32-bit range give the nearest limit, so no conversion is
// undefined behaviour and range checks of the worksheet functions reject them.
#pragma once

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <type_traits>

namespace varizav {

// Quotient of a / b rounded toward minus infinity; rem gets a - q*b, which has
// the sign of b (0 <= rem < b for b > 0). b must not be 0.
struct FloorDiv {
  int64_t quot;
  int64_t rem;
};

constexpr FloorDiv floor_div(int64_t a, int64_t b) noexcept {
  int64_t q = a / b;
  int64_t r = a % b;
  if (r != 0 && ((r < 0) != (b < 0))) {
    --q;
    r += b;
  }
  return {q, r};
}

constexpr int64_t floor_quot(int64_t a, int64_t b) noexcept { return floor_div(a, b).quot; }

constexpr int64_t mod_floor(int64_t a, int64_t b) noexcept { return floor_div(a, b).rem; }

// Saturating conversion of an integral-valued double to int32_t.
constexpr int32_t saturate_i32(double x) noexcept {
  if (!(x == x)) return std::numeric_limits<int32_t>::min();  // NaN
  if (x <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  if (x >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(x);
}

// Double to int32 toward minus infinity / toward zero, saturating (NaN -> INT32_MIN).
inline int32_t ifloor(double x) noexcept { return saturate_i32(std::floor(x)); }
inline int32_t itrunc(double x) noexcept { return saturate_i32(std::trunc(x)); }

// Double to int64 toward minus infinity, saturating (NaN -> INT64_MIN).
inline int64_t ifloor64(double x) noexcept {
  const double f = std::floor(x);
  if (!(f == f) || f <= -9223372036854775808.0) return std::numeric_limits<int64_t>::min();
  if (f >= 9223372036854775807.0) return std::numeric_limits<int64_t>::max();
  return static_cast<int64_t>(f);
}

// A year computed in 64 bits, clamped to the signed 32-bit year field of a date.
constexpr int32_t clamp_year(int64_t year) noexcept {
  if (year < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  if (year > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(year);
}

// True when x truncates to a value inside the signed 32-bit range (false for NaN).
constexpr bool fits_i32(double x) noexcept { return x > -2147483649.0 && x < 2147483648.0; }

// True when v lies inside the signed 32-bit range.
constexpr bool in_int32_range(int64_t v) noexcept {
  return v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max();
}

// True when count and factor * count both lie inside the signed 32-bit range:
// a year-start formula such as 1461 (year - 1) / 4 that is defined on 32-bit
// day counts can be formed for that count. |factor| < 2^32.
constexpr bool product_in_int32_range(int64_t factor, int64_t count) noexcept {
  return in_int32_range(count) && in_int32_range(factor * count);
}

// Floating-point fault path of the numeric kit. An operation faults when it
// turns operands that are not NaN into a NaN (invalid operation) or finite
// operands into an infinity (overflow, division by zero). A fault is recorded
// in errno (EDOM for an invalid operation, ERANGE otherwise) and the
// floating-point exception flags are cleared; the IEEE result stands. NaN
// operands pass through silently. Rounding mode and traps are not touched.
void note_fp_fault(int error_number) noexcept;
inline double fp_checked(double result, double a, double b = 0.0, double c = 0.0) noexcept {
  if (!std::isfinite(result)) [[unlikely]] {
    if (std::isnan(a) || std::isnan(b) || std::isnan(c)) return result;
    if (std::isnan(result))
      note_fp_fault(EDOM);
    else if (std::isfinite(a) && std::isfinite(b) && std::isfinite(c))
      note_fp_fault(ERANGE);
  }
  return result;
}

// x - trunc(x): negative for negative non-integers (frac(-1.25) = -0.25).
inline double frac(double x) noexcept { return fp_checked(x - std::trunc(x), x); }

// fmod made non-negative for a positive divisor.
// The result lies in [0, y): a remainder a hair below zero would round to y
// itself when y is added, so it is taken as the largest double below y.
inline double fmod_floor(double x, double y) noexcept {
  const double r = fp_checked(std::fmod(x, y), x, y);
  if (!(r < 0)) return r;
  const double shifted = r + y;
  return shifted < y ? shifted : std::nextafter(y, 0.0);
}

// c[0] + c[1] x + ... + c[n] x^n by Horner's rule; n = degree.
constexpr double poly_eval(double x, int n, const double* c) noexcept {
  double acc = c[n];
  for (int i = n - 1; i >= 0; --i) acc = acc * x + c[i];
  if (!std::is_constant_evaluated()) fp_checked(acc, x);
  return acc;
}

// The polynomial whose coefficients, constant term first, are c (at least
// one); its degree is the count less one.
constexpr double horner(std::span<const double> c, double x) noexcept {
  return poly_eval(x, static_cast<int>(c.size()) - 1, c.data());
}

// Cosine and sine, and the tangent, of x in radians, computed by the kit
// itself so that every platform gives the same bits (within one unit in the
// last place of the exact value for |x| < 2^28; larger arguments are first
// reduced modulo the double nearest 2 pi). NaN for NaN and infinities.
struct SinCos {
  double cos;
  double sin;
};
SinCos sincos(double x) noexcept;
double tangent(double x) noexcept;

}  // namespace varizav
