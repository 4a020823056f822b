#include "values.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace varizav::tool {
namespace {

// Quotient rounded toward minus infinity (b > 0).
constexpr int64_t floor_quot(int64_t a, int64_t b) noexcept { return a >= 0 ? a / b : -((-a - 1) / b) - 1; }

// Days from 0000-03-01 to 1899-12-30 in the day count below, so that serial day
// 0 is 30 December 1899. The count starts each year on 1 March so that the leap
// day is the last day of its year; 146097 days make 400 Gregorian years.
constexpr int64_t kSerialEpochDays = 693899;
constexpr int64_t kDaysPer400Years = 146097;
constexpr int64_t kSecondsPerDay = 86400;

// Numbers from 1 up to this magnitude are written without an exponent.
constexpr double kLargestFixed = 1e15;

// Largest |serial date| shown as a date: 1e13 days * 86400 s stays far below 2^63.
constexpr double kMaxFormattedSerial = 1e13;

bool equals_ignoring_case(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

// Reads exactly `count` decimal digits at text[pos], advancing pos.
std::optional<int64_t> read_digits(std::string_view text, size_t& pos, size_t count) noexcept {
  if (pos + count > text.size()) return std::nullopt;
  int64_t value = 0;
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

}  // namespace

int64_t serial_day_from_civil(int64_t year, int32_t month, int32_t day) noexcept {
  const int64_t y = month <= 2 ? year - 1 : year;  // years begin on 1 March
  const int64_t era = floor_quot(y, 400);
  const int64_t year_of_era = y - era * 400;                                     // [0, 399]
  const int64_t month_from_march = month > 2 ? month - 3 : month + 9;           // [0, 11]
  const int64_t day_of_year = (153 * month_from_march + 2) / 5 + day - 1;        // [0, 365]
  const int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;  // [0, 146096]
  return era * kDaysPer400Years + day_of_era - kSerialEpochDays;
}

CivilDate civil_from_serial_day(int64_t n) noexcept {
  const int64_t z = n + kSerialEpochDays;
  const int64_t era = floor_quot(z, kDaysPer400Years);
  const int64_t day_of_era = z - era * kDaysPer400Years;  // [0, 146096]
  const int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;  // [0, 399]
  const int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);  // [0, 365]
  const int64_t month_from_march = (5 * day_of_year + 2) / 153;                                     // [0, 11]
  const auto day = static_cast<int32_t>(day_of_year - (153 * month_from_march + 2) / 5 + 1);
  const auto month = static_cast<int32_t>(month_from_march < 10 ? month_from_march + 3 : month_from_march - 9);
  const int64_t year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
  return {year, month, day};
}

int32_t days_in_month(int64_t year, int32_t month) noexcept {
  static constexpr std::array<int32_t, 12> kLengths = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kLengths[static_cast<size_t>(month - 1)];
}

std::optional<double> parse_iso_date(std::string_view text) noexcept {
  size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
  size_t year_digits = 0;
  while (pos + year_digits < text.size() && text[pos + year_digits] >= '0' && text[pos + year_digits] <= '9') {
    ++year_digits;
  }
  if (year_digits < 1 || year_digits > 9) return std::nullopt;
  const auto year = read_digits(text, pos, year_digits);
  if (!expect(text, pos, '-')) return std::nullopt;
  const auto month = read_digits(text, pos, 2);
  if (!month || !expect(text, pos, '-')) return std::nullopt;
  const auto day = read_digits(text, pos, 2);
  if (!day) return std::nullopt;

  int64_t hour = 0, minute = 0, second = 0;
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

  const int64_t y = negative ? -*year : *year;
  const auto mo = static_cast<int32_t>(*month);
  if (mo < 1 || mo > 12 || *day < 1 || *day > days_in_month(y, mo)) return std::nullopt;
  if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
  const int64_t serial_day = serial_day_from_civil(y, mo, static_cast<int32_t>(*day));
  const int64_t seconds = hour * 3600 + minute * 60 + second;
  return static_cast<double>(serial_day) + static_cast<double>(seconds) / static_cast<double>(kSecondsPerDay);
}

std::optional<double> parse_number_argument(std::string_view text) noexcept {
  if (equals_ignoring_case(text, "TRUE") || equals_ignoring_case(text, "WAHR")) return 1.0;
  if (equals_ignoring_case(text, "FALSE") || equals_ignoring_case(text, "FALSCH")) return 0.0;
  if (const auto date = parse_iso_date(text)) return date;

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

std::string format_number(double value) {
  if (std::isnan(value)) return "NaN";
  // The shortest form writes 3000000 as 3e+06; serial dates and day counts
  // below 1e15 keep their digits (still the shortest text that reads back).
  std::array<char, 64> buffer{};
  const double magnitude = std::fabs(value);
  const auto result = magnitude >= 1.0 && magnitude < kLargestFixed
                          ? std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed)
                          : std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

std::optional<std::string> format_iso_datetime(double serial_date) {
  if (!(std::fabs(serial_date) <= kMaxFormattedSerial)) return std::nullopt;  // NaN, inf, too far
  const auto seconds = static_cast<int64_t>(std::llround(serial_date * static_cast<double>(kSecondsPerDay)));
  const int64_t day = floor_quot(seconds, kSecondsPerDay);
  const int64_t second_of_day = seconds - day * kSecondsPerDay;  // [0, 86399]
  const CivilDate date = civil_from_serial_day(day);
  std::array<char, 64> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%s%04lld-%02d-%02dT%02lld:%02lld:%02lld", date.year < 0 ? "-" : "",
                static_cast<long long>(date.year < 0 ? -date.year : date.year), date.month, date.day,
                static_cast<long long>(second_of_day / 3600), static_cast<long long>(second_of_day / 60 % 60),
                static_cast<long long>(second_of_day % 60));
  return std::string(buffer.data());
}

std::vector<std::string_view> split_fields(std::string_view text, char separator) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(separator, start);
    fields.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return fields;
    start = end + 1;
  }
}

}  // namespace varizav::tool
