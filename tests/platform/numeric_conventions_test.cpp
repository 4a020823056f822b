// The add-in's number texts with a decimal comma: only the decimal point of a
// floating conversion changes, never a full stop in a text argument.
#include "platform/numeric_conventions.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <string>

namespace varizav::platform {
namespace {

std::string format(int size, const char* format, ...) {
  char out[64];
  va_list args;
  va_start(args, format);
  const int n = format_with_conventions(out, size, format, args);
  va_end(args);
  return std::to_string(n) + ":" + out;
}

class NumericConventionsTest : public ::testing::Test {
 protected:
  void TearDown() override { set_numeric_conventions(""); }
};

TEST_F(NumericConventionsTest, SeparatorOfALocaleName) {
  for (const char* name : {"", "C", "POSIX", "xx_YY.UTF-8"}) EXPECT_EQ(decimal_separator_named_by(name), '.') << name;
  EXPECT_EQ(decimal_separator_named_by(nullptr), '.');
}

TEST_F(NumericConventionsTest, DecimalComma) {
  // German conventions; a POSIX system may lack the locale.
  if (decimal_separator_named_by("de_DE.UTF-8") != ',') GTEST_SKIP() << "no German locale installed";
  set_numeric_conventions("de_DE.UTF-8");
  struct Case {
    std::string got;
    const char* want;  // length, colon, text
  };
  // independent: C's printf rules with the decimal comma written by hand
  const Case cases[] = {
      {format(64, "%f", 1.5), "8:1,500000"},
      {format(64, "%4ld %2d %f", 2024L, 3, 5.25), "16:2024  3 5,250000"},
      {format(64, "%.0f|%.1f|%f", 2.5, -0.25, -0.0), "16:2|-0,2|-0,000000"},
      {format(64, "%s %.3s|%02d|%d", "a.b", "abcdef", 7, -12), "14:a.b abc|07|-12"},
      {format(64, "%5.1f%%", 9.96), "6: 10,0%"},
      {format(8, "%f", 123.456), "10:123,456"},  // cut to the buffer, full length returned
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want);
  EXPECT_EQ(read_with_conventions("1,5"), 1.5);
  EXPECT_EQ(read_with_conventions("-2,25e1x"), -22.5);
  EXPECT_EQ(read_with_conventions("1.5"), 1.0);  // a full stop ends the number
  set_numeric_conventions("C");
  EXPECT_EQ(format(64, "%.2f", 0.5), "4:0.50");
  EXPECT_EQ(read_with_conventions("1.5"), 1.5);
  EXPECT_EQ(read_with_conventions("1,5"), 1.0);
}

}  // namespace
}  // namespace varizav::platform
