#include "calendars/chronology.h"

#include <array>
#include <cmath>
#include <limits>

#include "calendars/lunisolar/chinese.h"
#include "calendars/registry.h"
#include "calendars/western/civil.h"
#include "calendars/western/western_shared.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

constexpr std::array<const char*, 6> kCyclesEnglish = {"Epact",         "Indiction",   "Regent",
                                                       "Golden Number", "Solar Cycle", "Dominical Letter"};
constexpr std::array<const char*, 6> kCyclesGerman = {"Epakte",       "Indiktion",    "Jahresregent",
                                                      "Goldene Zahl", "Sonnenzirkel", "Sonntagsbuchstabe"};
enum Cycle : int32_t { kEpact = 1, kIndiction, kRegent, kGoldenNumber, kSolarCycle, kDominicalLetter };

// Golden numbers 1..19 as Roman numerals, indexed by y mod 19.
constexpr std::array<const char*, 19> kGoldenNumerals = {"I",    "II",  "III",  "IV",    "V",   "VI",   "VII",
                                                         "VIII", "IX",  "X",    "XI",    "XII", "XIII", "XIV",
                                                         "XV",   "XVI", "XVII", "XVIII", "XIX"};
// The planetary regent of the year, indexed by y mod 7 (the same names in both languages).
constexpr std::array<const char*, 7> kRegents = {"Mars", "Sonne", "Venus", "Merkur", "Mond", "Saturn", "Jupiter"};

// A year counts as Gregorian for the cycles when it begins after the reform day.
bool gregorian_year(int64_t y) { return 10000 * y > reform_key(); }

}  // namespace

const KeywordTable chronological_cycles = {6, nullptr, kCyclesEnglish.data(), kCyclesGerman.data()};

int64_t new_year_day_number(int32_t year) noexcept {
  return gregorian_year(year) ? western::gregorian_jan1_day_number(year) : western::julian_jan1_day_number(year);
}

std::optional<bool> leap_year_of_text(NameText calendar, const char* year_text) noexcept {
  const int32_t id = find_calendar(calendar);
  const IsLeapYearFn is_leap = id >= 0 ? is_leap_year_table[static_cast<size_t>(id)] : civil_is_leap_year;
  int64_t year = 0;
  if (id == kChinese) {
    const ChineseYearText chinese_year = read_chinese_year(year_text);  // "78-17"
    if (!chinese_year.found) return std::nullopt;
    // Outside its years the calendar has no months to count: no answer
    // rather than a plausible "common year".
    if (chinese_year.year < kChineseFirstYear || chinese_year.year > kChineseLastYear) return std::nullopt;
    year = chinese_year.year;
  } else {
    const LeadingInteger first = read_leading_integer(year_text, Blanks::white_space);
    if (!first.has_digits) return std::nullopt;
    year = first.saturated;
  }
  return is_leap(clamp_year(year)) != 0;
}

std::optional<bool> leap_year_of_date(NameText calendar, double serial_date) noexcept {
  const JulianDay jd = serial_to_jd(serial_date);
  if (!jd_in_accepted_range(jd)) return std::nullopt;
  const int32_t id = find_calendar(calendar);
  const FromJdFn from_jd = id >= 0 ? from_jd_table[static_cast<size_t>(id)] : civil_from_jd;
  const IsLeapYearFn is_leap = id >= 0 ? is_leap_year_table[static_cast<size_t>(id)] : civil_is_leap_year;
  const CalendarDate date = from_jd(jd);
  // A NaN day: the calendar cannot compute the date (the Chinese calendar
  // where the Sun's crossings no longer converge), so it has no year there.
  if (std::isnan(date.day)) return std::nullopt;
  return is_leap(date.year) != 0;
}

bool format_chronology(char* out, NameText cycle, double year) noexcept {
  const int64_t y = itrunc(year);
  switch (keyword_lookup(cycle, chronological_cycles)) {
    case kEpact: {
      int64_t e = 11 * mod_floor(y, 19) + 8;
      if (gregorian_year(y)) {
        // Solar and lunar equations of the Gregorian epact (divisions toward zero).
        const int64_t c = y / 100;
        e = e - (c - c / 4) + (8 * c + 13) / 25;
      }
      format_text(out, "%d", static_cast<int>(mod_floor(e, 30)));
      return true;
    }
    case kIndiction: format_text(out, "%d", static_cast<int>(mod_floor(y + 2, 15) + 1)); return true;
    case kRegent: copy_text(out, kRegents[static_cast<size_t>(mod_floor(y, 7))]); return true;
    case kGoldenNumber: copy_text(out, kGoldenNumerals[static_cast<size_t>(mod_floor(y, 19))]); return true;
    case kSolarCycle: format_text(out, "%d", static_cast<int>(mod_floor(y + 8, 28) + 1)); return true;
    case kDominicalLetter: {
      const int64_t r = mod_floor(new_year_day_number(static_cast<int32_t>(y)), 7);  // weekday of 1 January, 0 = Monday
      char letters[3] = {static_cast<char>('A' + (6 - r)), '\0', '\0'};
      // A leap year changes letter at the leap day: the letter before in the cycle A..G.
      if (civil_is_leap_year(static_cast<int32_t>(y)) != 0) letters[1] = static_cast<char>('A' + mod_floor(12 - r, 7));
      copy_text(out, letters);
      return true;
    }
    default: return false;
  }
}

}  // namespace varizav
