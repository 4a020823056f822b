#include "calendars/western/western_names.h"

#include <array>
#include <cstddef>

#include "framework/language.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

constexpr std::array<const char*, 12> kMonthsEnglish = {"January",   "February", "March",    "April",
                                                        "May",       "June",     "July",     "August",
                                                        "September", "October",  "November", "December"};
constexpr std::array<const char*, 12> kMonthsGerman = {"Januar",    "Februar", "M\xE4rz",  "April",
                                                       "Mai",       "Juni",    "Juli",     "August",
                                                       "September", "Oktober", "November", "Dezember"};
constexpr std::array<const char*, 7> kWeekdaysEnglish = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                                         "Friday", "Saturday", "Sunday"};
constexpr std::array<const char*, 7> kWeekdaysGerman = {"Montag",  "Dienstag", "Mittwoch", "Donnerstag",
                                                        "Freitag", "Samstag",  "Sonntag"};

}  // namespace

const KeywordTable gregorian_month_names = {12, nullptr, kMonthsEnglish.data(), kMonthsGerman.data()};
const KeywordTable weekday_names = {7, nullptr, kWeekdaysEnglish.data(), kWeekdaysGerman.data()};

const char* western_month_display_name(int32_t month) noexcept {
  return display_name(kMonthsEnglish, kMonthsGerman, month, 1);
}

const char* western_weekday_display_name(int32_t index) noexcept {
  return display_name(kWeekdaysEnglish, kWeekdaysGerman, index, 0);
}

int format_western_date(char* out, JulianDay jd, const CalendarDate& d, int32_t mode, DayStop stop) noexcept {
  if (mode <= 0) return format_numeric_date(out, d, mode);
  const char* weekday = western_weekday_display_name(weekday_index(jd));
  const char* month = western_month_display_name(d.month);
  const int32_t day = ifloor(d.day);
  const long year = static_cast<long>(d.year);
  if (stop == DayStop::full_stop) return format_text(out, "%s, %d. %s %ld", weekday, day, month, year);
  return format_text(out, "%s, %d %s %ld", weekday, day, month, year);
}

}  // namespace varizav
