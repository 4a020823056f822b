#include "framework/text_format.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "framework/date.h"

namespace varizav {
namespace {

// Independent: the C library's own snprintf (glibc, C locale) writes the
// expected text, cut as a text buffer of kTextCapacity bytes cuts it.
template <typename... Args>
std::string printf_text(const char* format, Args... args) {
  char text[2 * kTextCapacity];  // room for the longest %f; cut to the capacity below
  std::snprintf(text, sizeof text, format, args...);
  return std::string(text).substr(0, kTextCapacity - 1);
}

template <typename... Args>
std::string written_text(const char* format, Args... args) {
  char text[kTextCapacity];
  std::memset(text, 'x', sizeof text);
  const int n = format_text(text, format, args...);
  EXPECT_EQ(n, static_cast<int>(std::strlen(text))) << format;
  return text;
}

struct SeparatorScope {
  explicit SeparatorScope(char c) { set_decimal_separator(c); }
  ~SeparatorScope() { set_decimal_separator('.'); }
};

TEST(TextFormat, IntegersInEveryWidthAsPrintf) {
  const long values[] = {0,
                         1,
                         -1,
                         9,
                         10,
                         -10,
                         99,
                         100,
                         -999,
                         2024,
                         -2024,
                         12345,
                         INT32_MAX,
                         INT32_MIN,
                         std::numeric_limits<long>::max(),
                         std::numeric_limits<long>::min()};
  for (const long v : values) {
    EXPECT_EQ(written_text("%4ld|%2ld|%ld", v, v, v), printf_text("%4ld|%2ld|%ld", v, v, v)) << v;
    const int i = static_cast<int>(v);
    EXPECT_EQ(written_text("%d|%2d|%02d|%5d", i, i, i, i), printf_text("%d|%2d|%02d|%5d", i, i, i, i)) << i;
  }
}

// The writers give "-nan" for a NaN with its sign bit set, as glibc's printf
// does; the Windows C runtime's printf, the reference there, writes "nan".
#ifdef _WIN32
constexpr bool kReferenceSignsNaN = false;
#else
constexpr bool kReferenceSignsNaN = true;
#endif
bool reference_differs(double v) { return !kReferenceSignsNaN && std::isnan(v) && std::signbit(v); }

TEST(TextFormat, FixedPointAsPrintfOverEveryMagnitude) {
  // Random bit patterns cover every exponent; the hand cases are exact ties
  // (1/128 = 0.0078125 has a 5 in the seventh decimal; 0.5, 1.5, 2.5 for
  // %.0f), values that round up into the integer part, signed zeros,
  // infinities and NaNs.
  const double cases[] = {0.0,
                          -0.0,
                          0.0078125,
                          -0.0078125,
                          0.5,
                          1.5,
                          2.5,
                          -2.5,
                          0.9999995,
                          0.99999949999999994,
                          1e-7,
                          -1e-7,
                          4e-7,
                          5e-7,
                          2451544.5,
                          -76715589.5,
                          80156580.0,
                          9007199254740993.0,
                          9223372036854775808.0,
                          1.8446744073709552e19,
                          1e22,
                          1e300,
                          -1.7976931348623157e308,
                          std::numeric_limits<double>::denorm_min(),
                          std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity(),
                          std::nan(""),
                          -std::nan("")};
  for (const double v : cases) {
    if (reference_differs(v)) continue;
    EXPECT_EQ(written_text("%f", v), printf_text("%f", v)) << std::hexfloat << v;
    EXPECT_EQ(written_text("%.0f", v), printf_text("%.0f", v)) << std::hexfloat << v;
  }
  std::mt19937_64 random(18);
  std::uniform_real_distribution<double> day(-1000.0, 1000.0);
  for (int i = 0; i < 200000; ++i) {
    const double bits = std::bit_cast<double>(random());
    const double near = day(random);
    if (!reference_differs(bits)) {
      ASSERT_EQ(written_text("%f %.0f", bits, bits), printf_text("%f %.0f", bits, bits)) << std::hexfloat << bits;
    }
    ASSERT_EQ(written_text("%f %.0f %.3f", near, near, near), printf_text("%f %.0f %.3f", near, near, near))
        << std::hexfloat << near;
  }
}

TEST(TextFormat, DecimalCommaReplacesTheFullStopOnly) {
  const SeparatorScope comma(',');
  EXPECT_EQ(decimal_separator(), ',');
  EXPECT_EQ(written_text("%d.%f", 3, 1.25), "3.1,250000");  // a full stop of the format stays
  EXPECT_EQ(written_text("%.0f", 2.5), "2");
}

TEST(TextFormat, TextsAndTheCapacityBound) {
  EXPECT_EQ(written_text("%s %.3s. %s|%%", "Kal", "Februarius", ""), "Kal Feb. |%");
  // Longer than the text capacity: cut after 255 characters, as snprintf cuts it.
  const std::string long_name(300, 'n');
  EXPECT_EQ(written_text("%s, %d", long_name.c_str(), 7), long_name.substr(0, kTextCapacity - 1));
  EXPECT_EQ(written_text("%f", -1.7976931348623157e308), printf_text("%f", -1.7976931348623157e308));
  char out[kTextCapacity];
  EXPECT_EQ(put_fixed(out, kTextCapacity - 2, 12.5, 6), kTextCapacity - 1);
  EXPECT_EQ(out[kTextCapacity - 2], '1');
}

}  // namespace
}  // namespace varizav
