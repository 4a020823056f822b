#include "varizav/tools.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace varizav {
namespace {

std::optional<double> parse_number_argument(const char* text) {
  double value = 0.0;
  if (varizav_read_number(text, &value) == 0) return std::nullopt;
  return value;
}

std::string format_number(double value) {
  char out[VARIZAV_TEXT_SIZE];
  const int32_t length = varizav_write_number(value, out);
  EXPECT_EQ(std::string(out).size(), static_cast<size_t>(length));
  return out;
}

std::optional<std::string> format_iso_datetime(double serial) {
  char out[VARIZAV_TEXT_SIZE];
  if (varizav_write_date(serial, out) == 0) return std::nullopt;
  return std::string(out);
}

TEST(ToolValues, ReadsNumberArguments) {
  struct Case {
    const char* text;
    std::optional<double> value;
    const char* source;
  };
  const Case cases[] = {
      {"36526", 36526.0, "plain number"},
      {"+2.5", 2.5, "leading plus"},
      {"-0.25", -0.25, "negative"},
      {"1e3", 1000.0, "exponent"},
      {"TRUE", 1.0, "truth value"},
      {"wahr", 1.0, "German truth value, any case"},
      {"False", 0.0, "truth value"},
      {"FALSCH", 0.0, "German truth value"},
      {"2000-01-01", 36526.0, "independent: the spreadsheet's serial of 1 January 2000"},
      {"1899-12-30", 0.0, "independent: serial day 0"},
      {"1900-03-01", 61.0, "independent: 2 days in Dec 1899, 31 + 28 in 1900"},
      {"2000-01-01T12:00", 36526.5, "independent: noon"},
      {"2000-01-01T06:00:36", 36526.25 + 36.0 / 86400.0, "independent: 06:00:36"},
      {"2000-02-29", 36585.0, "independent: 2000 is a leap year (31 + 28 days after Jan 1)"},
      {"0000-03-01", -693899.0, "independent: 693593 days from 0001-01-01 to 1899-12-30, 306 more"},
      {"-4713-11-24T12:00", -2415018.5, "independent: JD 0, noon of 24 Nov 4714 BC"},
      {"+2000-01-01", 36526.0, "signed year"},
      {"1900-02-29", std::nullopt, "1900 is no Gregorian leap year"},
      {"2000-13-01", std::nullopt, "month 13"},
      {"2000-00-10", std::nullopt, "month 0"},
      {"2000-04-31", std::nullopt, "April has 30 days"},
      {"2000-01-01T24:00", std::nullopt, "hour 24"},
      {"2000-01-01T12:60", std::nullopt, "minute 60"},
      {"2000-01-01T12:00:60", std::nullopt, "second 60"},
      {"2000-01-01T12", std::nullopt, "hour without minutes"},
      {"2000-1-01", std::nullopt, "one-digit month"},
      {"2000-01-01 12:00", std::nullopt, "blank instead of T"},
      {"1234567890-01-01", std::nullopt, "ten-digit year"},
      {"", std::nullopt, "empty"},
      {"+", std::nullopt, "sign alone"},
      {"+-1", std::nullopt, "two signs"},
      {"12abc", std::nullopt, "trailing garbage"},
      {" 1", std::nullopt, "leading blank"},
      {"TRUEX", std::nullopt, "not a truth value"},
  };
  for (const Case& c : cases) {
    const std::optional<double> got = parse_number_argument(c.text);
    ASSERT_EQ(got.has_value(), c.value.has_value()) << c.text << ": " << c.source;
    if (got) {
      EXPECT_NEAR(*got, *c.value, 1e-9) << c.text << ": " << c.source;
    }
  }
}

TEST(ToolValues, WritesNumbersAndDates) {
  struct Case {
    double value;
    const char* number;
    const char* iso;  // null: no date
    const char* source;
  };
  const Case cases[] = {
      {0.0, "0", "1899-12-30T00:00:00", "independent: serial day 0"},
      {36526.5, "36526.5", "2000-01-01T12:00:00", "independent"},
      {0.1, "0.1", "1899-12-30T02:24:00", "independent: shortest form; a tenth of a day is 2 h 24 min"},
      {-0.5, "-0.5", "1899-12-29T12:00:00", "independent: negative serials count back"},
      {36526.999994, "36526.999994", "2000-01-01T23:59:59", "independent: 86399.48 s rounds down"},
      {36526.999995, "36526.999995", "2000-01-02T00:00:00", "independent: 86399.57 s rounds up to midnight"},
      {-2415018.5, "-2415018.5", "-4713-11-24T12:00:00", "independent: JD 0"},
      {-693899.0 - 366.0, "-694265", "-0001-03-01T00:00:00", "independent: year 0 is a leap year"},
      {2958465.0, "2958465", "9999-12-31T00:00:00", "independent: the spreadsheet's last date"},
      {3e6, "3000000", "10113-09-19T00:00:00", "independent: Fliegel-Van Flandern day number"},
      {-2e6, "-2000000", "-3576-03-07T00:00:00", "independent: Fliegel-Van Flandern day number; no exponent"},
      {1e15, "1e+15", nullptr, "beyond any date"},
      {1e300, "1e+300", nullptr, "beyond any date"},
      {std::nan(""), "NaN", nullptr, "error value"},
      {-std::nan(""), "NaN", nullptr, "NaN with the sign bit"},
      {INFINITY, "inf", nullptr, "infinity"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(format_number(c.value), c.number) << c.source;
    const std::optional<std::string> iso = format_iso_datetime(c.value);
    EXPECT_EQ(iso.has_value(), c.iso != nullptr) << c.source;
    if (iso && c.iso) {
      EXPECT_EQ(*iso, c.iso) << c.source;
    }
  }
}

TEST(ToolValues, DayCountMatchesADayByDayWalk) {
  // independent: walk day by day from serial 0 (1899-12-30) with the
  // Gregorian month lengths written out here, about 2700 years each way.
  const auto month_length = [](int64_t y, int32_t m) {
    constexpr int32_t kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = y % 400 == 0 || (y % 4 == 0 && y % 100 != 0);
    return m == 2 && leap ? 29 : kLengths[m - 1];
  };
  for (int direction : {1, -1}) {
    int64_t y = 1899;
    int32_t m = 12;
    int32_t d = 30;
    for (int64_t n = 0; n * direction <= 1000000; n += direction) {
      VarizavDateTime got{};
      ASSERT_EQ(varizav_date_of_serial(static_cast<double>(n), &got), 1);
      ASSERT_TRUE(got.year == y && got.month == m && got.day == d)
          << n << ": " << got.year << "-" << got.month << "-" << got.day;
      double serial = 0.0;
      ASSERT_EQ(varizav_serial_of_date(static_cast<int32_t>(y), m, d, &serial), 1);
      ASSERT_EQ(serial, static_cast<double>(n));
      // Serial day 0, 30 December 1899, was a Saturday (5).
      ASSERT_EQ(varizav_weekday(static_cast<double>(n)), ((n + 5) % 7 + 7) % 7) << n;
      if (direction > 0 && ++d > month_length(y, m)) {
        d = 1;
        if (++m > 12) {
          m = 1;
          ++y;
        }
      } else if (direction < 0 && --d < 1) {
        if (--m < 1) {
          m = 12;
          --y;
        }
        d = month_length(y, m);
      }
    }
  }
}

TEST(ToolValues, IsoDatesReadBackEveryTenMinutes) {
  // Property: a written date reads back as the same serial, to the second.
  for (double serial = -1e6; serial <= 1e6; serial += 7.0 + 10.0 / 1440.0) {
    const std::optional<std::string> iso = format_iso_datetime(serial);
    ASSERT_TRUE(iso.has_value());
    const std::optional<double> back = parse_number_argument(iso->c_str());
    ASSERT_TRUE(back.has_value()) << *iso;
    ASSERT_NEAR(*back, serial, 0.501 / 86400.0) << *iso;  // half a second plus rounding
  }
}

TEST(ToolValues, RejectsDaysThatDoNotExist) {
  struct Case {
    int32_t year, month, day;
    bool exists;
    const char* source;
  };
  const Case cases[] = {
      {1900, 2, 29, false, "1900 is no Gregorian leap year"},
      {2000, 2, 29, true, "2000 is"},
      {-100, 2, 29, false, "neither is -100 (101 BC)"},
      {2001, 4, 31, false, "April has 30 days"},
      {2001, 0, 1, false, "month 0"},
      {2001, 13, 1, false, "month 13"},
      {2001, 1, 0, false, "day 0"},
      {999999999, 12, 31, true, "the largest year a date text holds"},
  };
  for (const Case& c : cases) {
    double serial = 0.0;
    EXPECT_EQ(varizav_serial_of_date(c.year, c.month, c.day, &serial) == 1, c.exists) << c.source;
  }
  EXPECT_EQ(varizav_weekday(NAN), -1);
  EXPECT_EQ(varizav_weekday(36526.75), 5);  // independent: 1 January 2000 was a Saturday
}

}  // namespace
}  // namespace varizav
