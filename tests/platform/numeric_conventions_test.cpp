// The add-in's number texts with a decimal comma: only the decimal point of a
// floating conversion changes, never a full stop in a text argument.
#include "platform/numeric_conventions.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/date.h"
#include "framework/text_format.h"

namespace varizav::platform {
namespace {

template <class... A>
std::string format(const char* format, A... args) {
  char out[kTextCapacity];
  const int n = format_text(out, format, args...);
  return std::to_string(n) + ":" + out;
}

class NumericConventionsTest : public ::testing::Test {
 protected:
  void TearDown() override { set_decimal_separator('.'); }
};

TEST_F(NumericConventionsTest, SeparatorOfALocaleName) {
  for (const char* name : {"", "C", "POSIX", "xx_YY.UTF-8"}) EXPECT_EQ(decimal_separator_named_by(name), '.') << name;
  EXPECT_EQ(decimal_separator_named_by(nullptr), '.');
}

TEST_F(NumericConventionsTest, ReadsCNotationWhateverTheLocale) {
  EXPECT_EQ(read_c_number("1.5"), 1.5);
  EXPECT_EQ(read_c_number("-2.25e1x"), -22.5);
  EXPECT_EQ(read_c_number("1,5"), 1.0);  // a comma ends the number
}

TEST_F(NumericConventionsTest, DecimalComma) {
  set_decimal_separator(',');  // the separator German conventions choose
  struct Case {
    std::string got;
    const char* want;  // length, colon, text
  };
  // independent: C's printf rules with the decimal comma written by hand
  const Case cases[] = {
      {format("%f", 1.5), "8:1,500000"},
      {format("%4ld %2d %f", 2024L, 3, 5.25), "16:2024  3 5,250000"},
      {format("%.0f|%.1f|%f", 2.5, -0.25, -0.0), "16:2|-0,2|-0,000000"},
      {format("%s %.3s|%02d|%d", "a.b", "abcdef", 7, -12), "14:a.b abc|07|-12"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want);
  EXPECT_EQ(read_decimal_text("1,5"), 1.5);
  EXPECT_EQ(read_decimal_text("-2,25e1x"), -22.5);
  EXPECT_EQ(read_decimal_text("1.5"), 1.0);  // a full stop ends the number
  set_decimal_separator('.');
  EXPECT_EQ(format("%.2f", 0.5), "4:0.50");
  EXPECT_EQ(read_decimal_text("1.5"), 1.5);
  EXPECT_EQ(read_decimal_text("1,5"), 1.0);
}

}  // namespace
}  // namespace varizav::platform
