#include "framework/numeric.h"

#include <bit>
#include <cerrno>
#include <cfenv>
#include <cstdint>

#include "framework/constants.h"

namespace varizav {
namespace {

// Sine, cosine and tangent are computed here rather than by the C library,
// whose last bits differ between systems (glibc, the MinGW runtime and the
// WebAssembly libc each round some arguments differently). The kernels are the
// fdlibm polynomials (Sun Microsystems, 1993) on [-pi/4, pi/4], accurate to
// within one unit in the last place; only IEEE-754 +, -, * and / are used, so
// every platform gives the same bits.

// sin(x + y) for |x| <= pi/4, y the tail of a reduced argument (|y| tiny).
double kernel_sin(double x, double y) noexcept {
  constexpr double kS1 = -1.66666666666666324348e-01;
  constexpr double kS2 = 8.33333333332248946124e-03;
  constexpr double kS3 = -1.98412698298579493134e-04;
  constexpr double kS4 = 2.75573137070700676789e-06;
  constexpr double kS5 = -2.50507602534068634195e-08;
  constexpr double kS6 = 1.58969099521155010221e-10;
  const double z = x * x;
  const double v = z * x;
  const double r = kS2 + z * (kS3 + z * (kS4 + z * (kS5 + z * kS6)));
  return x - ((z * (0.5 * y - v * r) - y) - v * kS1);
}

// cos(x + y) for |x| <= pi/4.
double kernel_cos(double x, double y) noexcept {
  constexpr double kC1 = 4.16666666666666019037e-02;
  constexpr double kC2 = -1.38888888888741095749e-03;
  constexpr double kC3 = 2.48015872894767294178e-05;
  constexpr double kC4 = -2.75573143513906633035e-07;
  constexpr double kC5 = 2.08757232129817482790e-09;
  constexpr double kC6 = -1.13596475577881948265e-11;
  const double z = x * x;
  const double r = z * (kC1 + z * (kC2 + z * (kC3 + z * (kC4 + z * (kC5 + z * kC6)))));
  const double hz = 0.5 * z;
  const double w = 1.0 - hz;
  return w + (((1.0 - w) - hz) + (z * r - x * y));
}

double high_word_only(double x) noexcept {
  return std::bit_cast<double>(std::bit_cast<uint64_t>(x) & 0xFFFFFFFF00000000u);
}

// tan(x + y) (odd = false) or -1 / tan(x + y) (odd = true) for |x| <= pi/4.
double kernel_tan(double x, double y, bool odd) noexcept {
  constexpr double kT[13] = {
      3.33333333333334091986e-01, 1.33333333333201242699e-01, 5.39682539762260521377e-02, 2.18694882948595424599e-02,
      8.86323982359930005737e-03, 3.59207910759131235356e-03, 1.45620945432529025516e-03, 5.88041240820264096874e-04,
      2.46463134818469906812e-04, 7.81794442939557092300e-05, 7.14072491382608190305e-05, -1.85586374855275456654e-05,
      2.59073051863633712884e-05,
  };
  constexpr double kPio4 = 7.85398163397448278999e-01;
  constexpr double kPio4Lo = 3.06161699786838301793e-17;
  // Near pi/4 the argument is taken as pi/4 - x, and the result from
  // tan(pi/4 - x) = (1 - tan x) / (1 + tan x).
  const bool big = std::fabs(x) >= 0.6744;
  const double sign = x < 0.0 ? -1.0 : 1.0;
  if (big) {
    if (x < 0.0) {
      x = -x;
      y = -y;
    }
    x = (kPio4 - x) + (kPio4Lo - y);
    y = 0.0;
  }
  const double z = x * x;
  const double w2 = z * z;
  double r = kT[1] + w2 * (kT[3] + w2 * (kT[5] + w2 * (kT[7] + w2 * (kT[9] + w2 * kT[11]))));
  const double v = z * (kT[2] + w2 * (kT[4] + w2 * (kT[6] + w2 * (kT[8] + w2 * (kT[10] + w2 * kT[12])))));
  const double s = z * x;
  r = y + z * (s * (r + v) + y);
  r += kT[0] * s;
  const double w = x + r;
  if (big) {
    const double k = odd ? -1.0 : 1.0;
    return sign * (k - 2.0 * (x - (w * w / (w + k) - r)));
  }
  if (!odd) return w;
  // -1 / (x + r), with the division split so that it stays accurate.
  const double z_hi = high_word_only(w);
  const double v_lo = r - (z_hi - x);
  const double a = -1.0 / w;
  const double t = high_word_only(a);
  const double e = 1.0 + t * z_hi;
  return t + a * (e + t * v_lo);
}

// x = n pi/2 + (hi + lo), |hi + lo| <= about pi/4.
struct Reduced {
  int64_t n;
  double hi;
  double lo;
};

// pi/2 as five parts of at most 24 significant bits each (120 bits in all):
// n times a part is exact for n < 2^29.
constexpr double kHalfPiParts[5] = {
    0x1.921fb6p+0, -0x1.777a5cp-25, -0x1.ee59dap-50, 0x1.98a2e0p-77, 0x1.b839a2p-104,
};
constexpr double kTwoOverPi = 0.6366197723675814;
constexpr double kPiOver4 = 0.7853981633974483;
constexpr double kExactBelow = 268435456.0;  // 2^28: the quotient n stays below 2^29

Reduced reduce_half_pi(double x) noexcept {
  if (std::fabs(x) <= kPiOver4) return {0, x, 0.0};
  // Larger arguments are first brought below 2^28 modulo the double nearest
  // 2 pi: exact arithmetic on that constant, the same everywhere.
  if (!(std::fabs(x) < kExactBelow)) x = std::fmod(x, kTwoPi);
  const double n = std::floor(x * kTwoOverPi + 0.5);
  // x - n p1 is exact (n p1 lies within a factor 2 of x); the later parts
  // are subtracted with their rounding errors carried in lo.
  double hi = x - n * kHalfPiParts[0];
  double lo = 0.0;
  for (int i = 1; i < 5; ++i) {
    const double p = n * kHalfPiParts[i];
    const double s = hi - p;
    const double b = s - hi;
    lo += (hi - (s - b)) - (p + b);  // the rounding error of hi - p
    hi = s;
  }
  const double sum = hi + lo;
  return {static_cast<int64_t>(n), sum, (hi - sum) + lo};
}

}  // namespace

SinCos sincos(double x) noexcept {
  if (!std::isfinite(x)) {
    const double nan = x - x;  // NaN, and the invalid flag for an infinity
    return {fp_checked(nan, x), fp_checked(nan, x)};
  }
  const Reduced r = reduce_half_pi(x);
  const double s = kernel_sin(r.hi, r.lo);
  const double c = kernel_cos(r.hi, r.lo);
  switch (r.n & 3) {
    case 0: return {c, s};
    case 1: return {-s, c};
    case 2: return {-c, -s};
    default: return {s, -c};
  }
}

double tangent(double x) noexcept {
  if (!std::isfinite(x)) return fp_checked(x - x, x);
  const Reduced r = reduce_half_pi(x);
  return kernel_tan(r.hi, r.lo, (r.n & 1) != 0);
}

void note_fp_fault(int error_number) noexcept {
  errno = error_number;
  std::feclearexcept(FE_ALL_EXCEPT);
}

}  // namespace varizav
