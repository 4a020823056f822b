// The text form of the Hebrew and the Islamic calendar, whose days begin at
// 18:00 of the previous civil day and which name both the weekday and the
// month.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "framework/date.h"
#include "framework/language.h"
#include "framework/numeric.h"

namespace varizav {

// A list of names in English and in German.
template <std::size_t N>
struct BilingualNames {
  std::array<const char*, N> english;
  std::array<const char*, N> german;
};

// "%s, %d %s %ld" (weekday, whole day, month name, year) for mode > 0, else
// the number forms, of the date d that holds jd. The weekday changes at 18:00
// with the date; weekdays are numbered from 0 = Monday, months from 1, and
// both are shown in the display-name language.
template <std::size_t W, std::size_t M>
int format_evening_date(char* out, JulianDay jd, const CalendarDate& d, int32_t mode, const BilingualNames<W>& weekdays,
                        const BilingualNames<M>& months) noexcept {
  if (mode <= 0) return format_numeric_date(out, d, mode);
  const char* weekday = display_name(weekdays.english, weekdays.german, weekday_index(jd, 0.75), 0);
  const char* month = display_name(months.english, months.german, d.month, 1);
  return format_text(out, "%s, %d %s %ld", weekday, ifloor(d.day), month, static_cast<long>(d.year));
}

}  // namespace varizav
