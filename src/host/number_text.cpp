// Number arguments read from text and numbers written as text for hosts that
// are not spreadsheets (varizav/tools.h). Decimal numbers go through the C++
// library's locale-independent, shortest round-trip conversions; the
// WebAssembly build's C++ library lacks them for doubles, so the npm package
// reads and writes decimal numbers in JavaScript to the same rules.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <string_view>

#include "host/host_text.h"
#include "varizav/tools.h"

namespace varizav {
namespace {

// Numbers from 1 up to this magnitude are written without an exponent.
constexpr double kLargestFixed = 1e15;

bool equals_ignoring_case(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

std::optional<double> read_number(const char* c_text) noexcept {
  const std::string_view text(c_text);
  if (equals_ignoring_case(text, "TRUE") || equals_ignoring_case(text, "WAHR")) return 1.0;
  if (equals_ignoring_case(text, "FALSE") || equals_ignoring_case(text, "FALSCH")) return 0.0;
  double serial = 0.0;
  if (varizav_read_date(c_text, &serial) != 0) return serial;

  // from_chars reads a leading '-' itself but no '+'.
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '+') {
    digits.remove_prefix(1);
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) return std::nullopt;
  }
  if (digits.empty()) return std::nullopt;
  double value = 0.0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

}  // namespace
}  // namespace varizav

extern "C" {

VARIZAV_API int32_t varizav_read_number(const char* text, double* value) {
  const auto number = varizav::read_number(text);
  if (!number) return 0;
  *value = *number;
  return 1;
}

VARIZAV_API int32_t varizav_write_number(double value, char* out) {
  if (std::isnan(value)) return varizav::copy_to_host_buffer(out, "NaN", 3);
  // The shortest form writes 3000000 as 3e+06; serial dates and day counts
  // below 1e15 keep their digits (still the shortest text that reads back).
  std::array<char, 64> buffer{};
  const double magnitude = std::fabs(value);
  const auto result = magnitude >= 1.0 && magnitude < varizav::kLargestFixed
                          ? std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed)
                          : std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return varizav::copy_to_host_buffer(out, buffer.data(), static_cast<size_t>(result.ptr - buffer.data()));
}

}  // extern "C"
