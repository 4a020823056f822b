// Tables indexed by an enumeration, written as rows that name their own index,
// so that a missing, doubled or misplaced row fails to compile instead of
// silently shifting every row after it.
#pragma once

#include <array>
#include <cstddef>

namespace varizav {

// True when row i carries index i in its field `id`.
template <class Row, std::size_t N, class Id>
constexpr bool rows_in_index_order(const std::array<Row, N>& rows, Id Row::*id) noexcept {
  for (std::size_t i = 0; i < N; ++i) {
    if (static_cast<std::size_t>(rows[i].*id) != i) return false;
  }
  return true;
}

// One column of a row table, as an array in row order.
template <class Row, std::size_t N, class T>
constexpr std::array<T, N> column_of(const std::array<Row, N>& rows, T Row::*field) noexcept {
  std::array<T, N> out{};
  for (std::size_t i = 0; i < N; ++i) out[i] = rows[i].*field;
  return out;
}

}  // namespace varizav
