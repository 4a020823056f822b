// The error value the worksheet functions return for rejected input and for
// a computation without a result: the single-precision quiet NaN 0xFFC00000
// widened to double, which the host shows as its error code. The core beneath
// knows nothing of it: it answers "no result" (an empty std::optional), and
// the exports turn that into this value here.
#pragma once

#include <bit>
#include <cstdint>
#include <optional>

namespace varizav {

constexpr double error_value() noexcept { return static_cast<double>(std::bit_cast<float>(0xFFC00000u)); }
static_assert(std::bit_cast<uint64_t>(error_value()) == 0xFFF8000000000000u);

// The text result for an argument the function cannot use: the spreadsheet's
// own code for an invalid argument, which it shows as it shows its errors.
inline constexpr const char* kInvalidArgumentText = "Err:502";

// A core result as the host receives it: the value, or the error value for "no result".
constexpr double value_or_error(std::optional<double> result) noexcept {
  return result.has_value() ? *result : error_value();
}

}  // namespace varizav
