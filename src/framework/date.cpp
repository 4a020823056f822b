#include "framework/date.h"

#include <bit>
#include <cmath>
#include <cstdarg>

#include "framework/numeric.h"
#include "platform/numeric_conventions.h"

namespace varizav {

double error_value() noexcept { return static_cast<double>(std::bit_cast<float>(0xFFC00000u)); }

int32_t weekday_index(JulianDay jd, double day_start_shift) noexcept {
  return ifloor(fmod_floor(jd + day_start_shift, 7.0));
}

void set_numeric_locale_from(const char* locale_name) noexcept { platform::set_numeric_conventions(locale_name); }

int format_text(char* out, const char* format, ...) noexcept {
  va_list args;
  va_start(args, format);
  const int n = platform::format_with_conventions(out, kHostTextSize, format, args);
  va_end(args);
  if (n < 0) {
    out[0] = '\0';
    return 0;
  }
  return n < kHostTextSize ? n : kHostTextSize - 1;
}

double read_decimal_text(const char* text) noexcept {
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  if (*p == '+' || *p == '-') ++p;
  // Only a digit or a separator may follow; this keeps the hexadecimal,
  // infinity and NaN forms of strtod out.
  const bool digit = *p >= '0' && *p <= '9';
  if (!digit && *p != '.' && *p != ',') return 0.0;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) return 0.0;
  return platform::read_with_conventions(text);
}

int copy_text(char* out, const char* text) noexcept {
  int n = 0;
  while (n < kHostTextSize - 1 && text[n] != '\0') {
    out[n] = text[n];
    ++n;
  }
  out[n] = '\0';
  return n;
}

int format_numeric_date(char* out, const CalendarDate& date, int32_t mode) noexcept {
  if (mode == 0) {
    return format_text(out, "%4ld %2d %2d", static_cast<long>(date.year), date.month,
                       ifloor(date.day));
  }
  return format_text(out, "%4ld %2d %f", static_cast<long>(date.year), date.month, date.day);
}

double convert_simple_date(double year, int32_t month, double day, int32_t month_count, double day_bound,
                           SimpleToJd to_jd) noexcept {
  if (!day_accepted(day, day_bound) || month < 1 || month > month_count || !fits_i32(year)) {
    return error_value();
  }
  return jd_to_serial(to_jd(itrunc(year), month, day));
}

}  // namespace varizav
