#include "calendars/western/latin.h"

#include <algorithm>
#include <array>

#include "calendars/western/julian.h"
#include "calendars/western/western_shared.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

// The Julian months by the position of their division points. Kind 0: 31 days,
// Nones on the 5th, Ides on the 13th; kind 1: 30 days, 5th/13th; kind 2:
// 31 days, 7th/15th (March, May, July, October); kind 3: February, 28 days, 5th/13th.
struct MonthRule {
  int8_t early_shift;  // added to days after the 1st: aligns the Nones and Ides on positions 7 and 15
  int8_t kind;         // also the shift added to days after the Ides: aligns the month's end on position 34
};
constexpr std::array<MonthRule, 12> kMonthRules = {{
    {2, 0},  // January
    {2, 3},  // February
    {0, 2},  // March
    {2, 1},  // April
    {0, 2},  // May
    {2, 1},  // June
    {0, 2},  // July
    {2, 0},  // August
    {2, 1},  // September
    {0, 2},  // October
    {2, 1},  // November
    {2, 0},  // December
}};

// The 34 positions of a month aligned as above: the Kalends, six days to the
// Nones, eight to the Ides, nineteen to the next Kalends. Position 29 is the
// doubled leap day (count 0); every month but the February of a leap year skips it.
struct Position {
  int8_t division;  // RomanDivision counted to
  int8_t count;     // 1 on the division point, 2 pridie, n ante diem n
};
constexpr std::array<Position, 34> kPositions = {{
    {kKalendae, 1},                                                                                    // 1
    {kNonae, 6},     {kNonae, 5},     {kNonae, 4},     {kNonae, 3},     {kNonae, 2},     {kNonae, 1},  // 2..7
    {kIdus, 8},      {kIdus, 7},      {kIdus, 6},      {kIdus, 5},      {kIdus, 4},      {kIdus, 3},   // 8..13
    {kIdus, 2},      {kIdus, 1},                                                                       // 14..15
    {kKalendae, 19}, {kKalendae, 18}, {kKalendae, 17}, {kKalendae, 16}, {kKalendae, 15},               // 16..20
    {kKalendae, 14}, {kKalendae, 13}, {kKalendae, 12}, {kKalendae, 11}, {kKalendae, 10},               // 21..25
    {kKalendae, 9},  {kKalendae, 8},  {kKalendae, 7},  {kKalendae, 0},  {kKalendae, 6},                // 26..30
    {kKalendae, 5},  {kKalendae, 4},  {kKalendae, 3},  {kKalendae, 2},                                 // 31..34
}};

// Day of the division point + 1, by division point and month kind; for the
// Kalendae the month's length + 2, the following month's Kalends counted on.
constexpr std::array<std::array<int8_t, 4>, 3> kDivisionDayPlusOne = {{
    {6, 6, 8, 6},      // Nonae
    {14, 14, 16, 14},  // Idus
    {33, 32, 33, 30},  // Kalendae
}};
// Month length by kind.
constexpr std::array<int8_t, 4> kMonthLength = {31, 30, 31, 28};

constexpr std::array<const char*, 12> kMonthNames = {
    "Januarius", "Februarius", "Martius",   "Aprilus", "Maius",    "Junius",
    "Julius",    "Augustus",   "September", "Oktober", "November", "Dezember",
};
constexpr std::array<const char*, 3> kDivisionNames = {"Nonas", "Idus", "Kalendas"};
// Count names by (count + 19) mod 20, and 20 for the leap day in the text form.
constexpr std::array<const char*, 21> kCountNames = {
    "",    "pridie", "III", "IV", "V",   "VI",   "VII",   "VIII", "IX",     "X",          "XI",
    "XII", "XIII",   "XIV", "XV", "XVI", "XVII", "XVIII", "XIX",  "bis VI", "bis sextum",
};
constexpr size_t kLeapDayTextName = 20;

const MonthRule& month_rule(int64_t month) noexcept {
  return kMonthRules[static_cast<size_t>(mod_floor(month - 1, 12))];
}

}  // namespace

const KeywordTable roman_month_names = {12, nullptr, kMonthNames.data(), kMonthNames.data()};
const KeywordTable roman_division_names = {3, nullptr, kDivisionNames.data(), kDivisionNames.data()};
// The text-form name "bis sextum" is not a keyword: the table ends at "bis VI".
const KeywordTable roman_count_names = {20, nullptr, kCountNames.data(), kCountNames.data()};

namespace latin {

RomanDate from_jd(JulianDay jd) noexcept {
  const CalendarDate j = julian::from_jd(jd);
  const int32_t whole = ifloor(j.day);
  const double fraction = j.day - whole;
  const MonthRule& rule = month_rule(j.month);
  // Position of the day in the aligned month, [1, 34].
  int32_t c = whole;
  if (c > 1) c += rule.early_shift;
  if (c > 15) c += rule.kind;
  const int32_t past_leap_day = c > 28 ? 1 : 0;
  if (j.month == 2) {
    c += (1 - julian::is_leap_year(j.year)) * past_leap_day;
  } else {
    c += past_leap_day;
  }
  const Position& p = kPositions[static_cast<size_t>(std::clamp(c, 1, 34) - 1)];  // clamped for a NaN day only
  const int16_t month = static_cast<int16_t>(c <= 15 ? j.month : j.month % 12 + 1);
  return {j.year, month, p.division, p.count + fraction};
}

JulianDay to_jd(const RomanDate& date) noexcept {
  const int64_t n = ifloor(date.day);
  const int64_t division = mod_floor(date.division, 3);
  // 0-based month of the day: the named month on a division point and for
  // counts to the Nones or Ides, the month before for counts to the Kalends.
  const int64_t m0 = n == 1 ? mod_floor(int64_t{date.month} + 11, 12)
                            : mod_floor(int64_t{date.month} + 11 - (division == kKalendae ? 1 : 0), 12);
  const int32_t kind = kMonthRules[static_cast<size_t>(m0)].kind;
  const int64_t g = kDivisionDayPlusOne[static_cast<size_t>(division)][static_cast<size_t>(kind)];
  int64_t d = (g - n - 1) % kMonthLength[static_cast<size_t>(kind)] + 1;  // remainder with the dividend's sign
  // In a leap year the counts to the Kalends of March from VI on fall one day
  // later, and count 0 is the doubled day, 24 February.
  int64_t t = d > 23 ? 1 : 0;
  if (n == 0) t += 22;
  if (m0 == 1) d += t * julian::is_leap_year(date.year);
  const double day = (date.day - static_cast<double>(n)) + static_cast<double>(d);
  return western::julian_to_jd(date.year, static_cast<int32_t>(m0 + 1), day);
}

int format_date(char* out, JulianDay jd, int32_t mode) noexcept {
  const RomanDate r = from_jd(jd);
  const int32_t n = ifloor(r.day);
  const size_t count_name = static_cast<size_t>(mod_floor(int64_t{n} + 19, 20));
  const char* division = kDivisionNames[static_cast<size_t>(r.division)];
  const char* month = kMonthNames[static_cast<size_t>(r.month - 1)];
  if (mode > 0) {
    return format_text(out, "%s %s %s %ld", kCountNames[n == 0 ? kLeapDayTextName : count_name], division, month,
                       static_cast<long>(r.year));
  }
  if (mode == 0) {
    // Division point and month abbreviated to their first three letters.
    return format_text(out, "%s %.3s. %.3s. %ld", kCountNames[count_name], division, month, static_cast<long>(r.year));
  }
  return format_text(out, "%4ld %2d %d %f", static_cast<long>(r.year), r.month, r.division, r.day);
}

}  // namespace latin
}  // namespace varizav
