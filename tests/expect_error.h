// The add-in's error value in tests: a constant to write into a table of
// expected results, the bit-exact check of a result against it, and a core
// result's "no result" shown as the worksheet function shows it.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <optional>

namespace varizav::testing {

// The single-precision quiet NaN 0xFFC00000 widened to double.
constexpr uint64_t kErrorBits = 0xFFF8000000000000u;
constexpr double kError = std::bit_cast<double>(kErrorBits);

inline bool is_error_value(double x) { return std::bit_cast<uint64_t>(x) == kErrorBits; }

// The value, or the error value for "no result", as the exports return it.
inline double or_error(std::optional<double> result) { return result.value_or(kError); }

inline void expect_error(double got, const char* what) {
  EXPECT_TRUE(is_error_value(got)) << what << ": want the error value, got " << got;
}

}  // namespace varizav::testing
