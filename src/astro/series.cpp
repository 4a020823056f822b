#include "astro/series.h"

namespace varizav {
namespace {

// Row m of the slot from (c1, s1) = (a cos x, a sin x) by the addition
// theorems: (c_m, s_m) = (c_{m-1}, s_{m-1}) * (c1, s1) as complex numbers.
void fill_slot(MultipleAngleTables& tables, double c1, double s1, int32_t slot, int32_t n) noexcept {
  if (slot < 0 || slot >= kSeriesSlots) return;
  double* cos_row = tables.cos_multiples[slot];
  double* sin_row = tables.sin_multiples[slot];
  cos_row[0] = 1.0;
  sin_row[0] = 0.0;
  if (n < 1) return;
  if (n > kMaxMultiple) n = kMaxMultiple;
  cos_row[1] = c1;
  sin_row[1] = s1;
  for (int32_t m = 2; m <= n; ++m) {
    cos_row[m] = cos_row[m - 1] * c1 - sin_row[m - 1] * s1;
    sin_row[m] = sin_row[m - 1] * c1 + cos_row[m - 1] * s1;
  }
}

}  // namespace

void fill_multiples(MultipleAngleTables& tables, double x, int32_t slot, int32_t n) noexcept {
  const SinCos f = sincos(x);
  fill_slot(tables, f.cos, f.sin, slot, n);
}

void fill_scaled_multiples(MultipleAngleTables& tables, double x, double a, int32_t slot, int32_t n) noexcept {
  const SinCos f = sincos(x);
  fill_slot(tables, a * f.cos, a * f.sin, slot, n);
}

void combine_arguments(const MultipleAngleTables& tables, int32_t count, int32_t nargs, const int8_t* multiples,
                       SinCos* out) noexcept {
  for (int32_t row = 0; row < count; ++row) {
    const int8_t* m = multiples + static_cast<std::ptrdiff_t>(row) * nargs;
    double c = 1.0;
    double s = 0.0;
    for (int32_t j = 0; j < nargs; ++j) {
      if (m[j] == 0) continue;
      const SinCos f = slot_multiple(tables, j, m[j]);
      const double cn = c * f.cos - s * f.sin;
      s = s * f.cos + c * f.sin;
      c = cn;
    }
    out[row] = {c, s};
  }
}

double sum_combined_series(std::span<const CombinedTerm> rows, const SinCos* combos) noexcept {
  double sum = 0.0;
  for (const CombinedTerm& row : rows) sum += row.a * combos[row.i].cos + row.b * combos[row.i].sin;
  return sum;
}

Rectangular spherical_to_rectangular(const Spherical& in) noexcept {
  const SinCos lon = sincos(in.longitude);
  const SinCos lat = sincos(in.latitude);
  const double rc = in.r * lat.cos;
  return {fp_checked(rc * lon.cos, in.r, in.longitude, in.latitude),
          fp_checked(rc * lon.sin, in.r, in.longitude, in.latitude),
          fp_checked(in.r * lat.sin, in.r, in.longitude, in.latitude)};
}

}  // namespace varizav
