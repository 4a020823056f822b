// Dates for hosts that are not spreadsheets (varizav/tools.h): dates read
// from text and written as text, the serial date of a Gregorian date and the
// weekday. The day arithmetic is the Gregorian calendar's own; this file only
// reads and writes the texts. Decimal numbers: number_text.cpp.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>

#include "calendars/western/gregorian.h"
#include "framework/date.h"
#include "framework/numeric.h"
#include "host/host_text.h"
#include "varizav/tools.h"

namespace varizav {
namespace {

constexpr int64_t kSecondsPerDay = 86400;

// Julian Day number (the JulianDay at noon) of serial day 0, 30 December 1899.
constexpr int64_t kSerialDayZeroNumber = static_cast<int64_t>(kSerialEpochJd + 0.5);

// Largest |serial date| written as a date: 1e13 days * 86400 s stays far below 2^63.
constexpr double kMaxWrittenSerial = 1e13;

// Most digits of a year in a date text: every such year fits the 32-bit year.
constexpr size_t kMaxYearDigits = 9;

// Reads exactly `count` decimal digits at text[pos], advancing pos.
std::optional<int32_t> read_digits(std::string_view text, size_t& pos, size_t count) noexcept {
  if (pos + count > text.size()) return std::nullopt;
  int32_t value = 0;  // at most 9 digits
  for (size_t i = 0; i < count; ++i) {
    const char c = text[pos + i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  pos += count;
  return value;
}

bool expect(std::string_view text, size_t& pos, char c) noexcept {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}

// Serial date of 0h of a proleptic Gregorian date that exists: the date of
// the day number the calendar gives must be the date itself (a day past the
// month's end would count on into the next month).
std::optional<double> serial_of_date(int32_t year, int32_t month, int32_t day) noexcept {
  if (month < 1 || month > 12 || day < 1) return std::nullopt;
  const SerialDate serial = jd_to_serial(gregorian::to_jd(year, month, day));  // whole: exact in a double
  const WholeDayDate back = gregorian::date_of_day_number(static_cast<int64_t>(serial) + kSerialDayZeroNumber);
  if (back.year != year || back.month != month || back.day != day) return std::nullopt;
  return serial;
}

std::optional<double> read_date(std::string_view text) noexcept {
  size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
  size_t year_digits = 0;
  while (pos + year_digits < text.size() && text[pos + year_digits] >= '0' && text[pos + year_digits] <= '9') {
    ++year_digits;
  }
  if (year_digits < 1 || year_digits > kMaxYearDigits) return std::nullopt;
  const auto year = read_digits(text, pos, year_digits);
  if (!expect(text, pos, '-')) return std::nullopt;
  const auto month = read_digits(text, pos, 2);
  if (!month || !expect(text, pos, '-')) return std::nullopt;
  const auto day = read_digits(text, pos, 2);
  if (!day) return std::nullopt;

  int32_t hour = 0, minute = 0, second = 0;
  if (pos < text.size()) {
    if (text[pos] != 'T' && text[pos] != 't') return std::nullopt;
    ++pos;
    const auto h = read_digits(text, pos, 2);
    if (!h || !expect(text, pos, ':')) return std::nullopt;
    const auto m = read_digits(text, pos, 2);
    if (!m) return std::nullopt;
    hour = *h;
    minute = *m;
    if (pos < text.size()) {
      if (!expect(text, pos, ':')) return std::nullopt;
      const auto s = read_digits(text, pos, 2);
      if (!s) return std::nullopt;
      second = *s;
    }
    if (pos != text.size()) return std::nullopt;
  }

  const std::optional<double> serial_day = serial_of_date(negative ? -*year : *year, *month, *day);
  if (!serial_day || hour > 23 || minute > 59 || second > 59) return std::nullopt;
  const int32_t seconds = hour * 3600 + minute * 60 + second;
  return *serial_day + static_cast<double>(seconds) / static_cast<double>(kSecondsPerDay);
}

}  // namespace
}  // namespace varizav

using varizav::kHostTextSize;

extern "C" {

VARIZAV_API int32_t varizav_read_date(const char* text, double* serial) {
  const auto value = varizav::read_date(text);
  if (!value) return 0;
  *serial = *value;
  return 1;
}

VARIZAV_API int32_t varizav_serial_of_date(int32_t year, int32_t month, int32_t day, double* serial) {
  const auto value = varizav::serial_of_date(year, month, day);
  if (!value) return 0;
  *serial = *value;
  return 1;
}

VARIZAV_API int32_t varizav_date_of_serial(double serial, VarizavDateTime* out) {
  if (!(std::fabs(serial) <= varizav::kMaxWrittenSerial)) return 0;  // NaN, inf, too far
  const auto seconds = static_cast<int64_t>(std::llround(serial * static_cast<double>(varizav::kSecondsPerDay)));
  const varizav::FloorDiv day = varizav::floor_div(seconds, varizav::kSecondsPerDay);  // rem: [0, 86399]
  const varizav::WholeDayDate date = varizav::gregorian::date_of_day_number(day.quot + varizav::kSerialDayZeroNumber);
  *out = {date.year,
          date.month,
          date.day,
          static_cast<int32_t>(day.rem / 3600),
          static_cast<int32_t>(day.rem / 60 % 60),
          static_cast<int32_t>(day.rem % 60)};
  return 1;
}

VARIZAV_API int32_t varizav_weekday(double serial) {
  if (!std::isfinite(serial)) return -1;
  return varizav::weekday_index(varizav::serial_to_jd(serial));
}

VARIZAV_API int32_t varizav_write_date(double serial, char* out) {
  VarizavDateTime t;
  if (varizav_date_of_serial(serial, &t) == 0) return varizav::copy_to_host_buffer(out, "", 0);
  std::array<char, 64> buffer{};
  const int length =
      std::snprintf(buffer.data(), buffer.size(), "%s%04lld-%02d-%02dT%02d:%02d:%02d", t.year < 0 ? "-" : "",
                    static_cast<long long>(t.year < 0 ? -t.year : t.year), t.month, t.day, t.hour, t.minute, t.second);
  return varizav::copy_to_host_buffer(out, buffer.data(), static_cast<size_t>(length));
}

}  // extern "C"
