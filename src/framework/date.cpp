#include "framework/date.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "framework/numeric.h"
#include "framework/text_format.h"
#include "platform/numeric_conventions.h"

namespace varizav {

int32_t weekday_index(JulianDay jd, double day_start_shift) noexcept {
  return ifloor(fmod_floor(jd + day_start_shift, 7.0));
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
  // The text in C notation: the configured separator becomes a full stop,
  // and the other one of '.' and ',' ends the number, as it ends it for
  // strtod in a locale with that separator.
  const char separator = decimal_separator();
  char c_text[kTextCapacity];
  int n = 0;
  for (const char* q = text; *q != '\0' && n < kTextCapacity - 1; ++q) {
    if (*q == separator) {
      c_text[n++] = '.';
    } else if (*q == '.' || *q == ',') {
      break;
    } else {
      c_text[n++] = *q;
    }
  }
  c_text[n] = '\0';
  return platform::read_c_number(c_text);
}

int copy_text(char* out, const char* text) noexcept {
  int n = 0;
  while (n < kTextCapacity - 1 && text[n] != '\0') {
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

}  // namespace varizav
