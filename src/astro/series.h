// Periodic-series kit of the solar and lunar theories.
//
// A theory loads each fundamental argument x into a slot of the multiple-angle
// tables (cos m*x and sin m*x for m = 1..n, built once by the addition
// theorems), and then forms every term's argument, an integer combination of
// the slot arguments, by complex multiplication of table entries instead of
// one sine per term. Each theory evaluation keeps its tables on its own
// stack, loads the slots it uses and reads only those: no state outlives a call.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "framework/numeric.h"

namespace varizav {

constexpr int32_t kSeriesSlots = 12;  // fundamental arguments per evaluation
constexpr int32_t kMaxMultiple = 63;  // largest multiple a slot holds

// The multiple-angle tables: entry [slot][m] holds a^m cos(m x), a^m sin(m x)
// for the argument x (and scale a, 1 unless loaded scaled) last loaded into
// the slot; entry [slot][0] is (1, 0).
struct MultipleAngleTables {
  double cos_multiples[kSeriesSlots][kMaxMultiple + 1];
  double sin_multiples[kSeriesSlots][kMaxMultiple + 1];
};

// Loads cos(m x), sin(m x), m = 1..n (n <= 63) into the slot (0..11).
void fill_multiples(MultipleAngleTables& tables, double x, int32_t slot, int32_t n) noexcept;

// Loads a^m cos(m x), a^m sin(m x), m = 1..n, into the slot. A negative
// multiple read from the slot is scaled by a^|m| as well.
void fill_scaled_multiples(MultipleAngleTables& tables, double x, double a, int32_t slot, int32_t n) noexcept;

// (cos, sin) of multiple m (|m| <= the count loaded) of the slot's argument;
// a negative multiple gives the conjugate, 0 gives (1, 0).
inline SinCos slot_multiple(const MultipleAngleTables& tables, int32_t slot, int32_t m) noexcept {
  const int32_t a = m < 0 ? -m : m;
  const double s = tables.sin_multiples[slot][a];
  return {tables.cos_multiples[slot][a], m < 0 ? -s : s};
}

// For each of count rows of nargs multiples (row-major, slot j = column j):
// out[row] = (cos theta, sin theta) of theta = sum_j m_j x_j.
void combine_arguments(const MultipleAngleTables& tables, int32_t count, int32_t nargs, const int8_t* multiples,
                       SinCos* out) noexcept;

namespace series_detail {
// (cos, sin) of sum_j m[j] x_j from the tables, by complex multiplication.
template <std::size_t NArgs, typename Multiple>
SinCos combine_row(const MultipleAngleTables& tables, const std::array<Multiple, NArgs>& m) noexcept {
  double c = 1.0;
  double s = 0.0;
  for (std::size_t j = 0; j < NArgs; ++j) {
    if (m[j] == 0) continue;
    const SinCos f = slot_multiple(tables, static_cast<int32_t>(j), m[j]);
    const double cn = c * f.cos - s * f.sin;
    s = s * f.cos + c * f.sin;
    c = cn;
  }
  return {c, s};
}
template <std::size_t NArgs>
SinCos combined_angle(const MultipleAngleTables& tables, const std::array<int32_t, NArgs>& m) noexcept {
  return combine_row<NArgs>(tables, m);
}
}  // namespace series_detail

// The same for a table of fixed-width rows.
template <std::size_t NArgs, std::size_t Count>
void combine_arguments(const MultipleAngleTables& tables, const std::array<std::array<int8_t, NArgs>, Count>& rows,
                       SinCos* out) noexcept {
  for (std::size_t row = 0; row < Count; ++row) out[row] = series_detail::combine_row<NArgs>(tables, rows[row]);
}

// A sine term: multiples of the slot arguments 0..NArgs-1 and the coefficient
// of sin theta, in the units of the theory's table.
template <std::size_t NArgs>
struct SineTerm {
  std::array<int32_t, NArgs> m;
  int32_t c;
};

// A sine-cosine term: coefficients of sin theta (cs) and of cos theta (cc).
template <std::size_t NArgs>
struct SineCosineTerm {
  std::array<int32_t, NArgs> m;
  int32_t cs;
  int32_t cc;
};

// A weighted pair: a cos theta_i + b sin theta_i for row i of a table of
// (cos, sin) pairs (a combine_arguments result, possibly extended by the
// theory; its row 0 may hold (1, 0) for a constant term).
struct CombinedTerm {
  double a;
  double b;
  int32_t i;
};

// scale * sum of c sin theta over the rows.
template <std::size_t NArgs>
double sum_sine_series(const MultipleAngleTables& tables, std::span<const SineTerm<NArgs>> rows,
                       double scale) noexcept {
  double sum = 0.0;
  for (const SineTerm<NArgs>& row : rows) sum += row.c * series_detail::combined_angle(tables, row.m).sin;
  return scale * sum;
}

template <std::size_t NArgs, std::size_t Count>
double sum_sine_series(const MultipleAngleTables& tables, const std::array<SineTerm<NArgs>, Count>& rows,
                       double scale) noexcept {
  return sum_sine_series(tables, std::span<const SineTerm<NArgs>>(rows), scale);
}

// {scale * sum cc cos theta, scale * sum cs sin theta} over the rows.
template <std::size_t NArgs>
SinCos sum_sine_cosine_series(const MultipleAngleTables& tables, std::span<const SineCosineTerm<NArgs>> rows,
                              double scale) noexcept {
  double sum_cos = 0.0;
  double sum_sin = 0.0;
  for (const SineCosineTerm<NArgs>& row : rows) {
    const SinCos f = series_detail::combined_angle(tables, row.m);
    sum_sin += row.cs * f.sin;
    sum_cos += row.cc * f.cos;
  }
  return {scale * sum_cos, scale * sum_sin};
}

template <std::size_t NArgs, std::size_t Count>
SinCos sum_sine_cosine_series(const MultipleAngleTables& tables, const std::array<SineCosineTerm<NArgs>, Count>& rows,
                              double scale) noexcept {
  return sum_sine_cosine_series(tables, std::span<const SineCosineTerm<NArgs>>(rows), scale);
}

// sum of a cos theta_i + b sin theta_i over the rows, theta_i read from combos.
double sum_combined_series(std::span<const CombinedTerm> rows, const SinCos* combos) noexcept;

// Rectangular coordinates of spherical {r, longitude, latitude} (radians).
struct Spherical {
  double r;
  double longitude;
  double latitude;
};
struct Rectangular {
  double x;
  double y;
  double z;
};
Rectangular spherical_to_rectangular(const Spherical& in) noexcept;

}  // namespace varizav
