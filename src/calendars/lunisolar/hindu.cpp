#include "calendars/lunisolar/hindu.h"

#include <array>
#include <cmath>

#include "framework/numeric.h"

namespace varizav {
namespace {

// Mean motions of the Arya Siddhanta: a Kali Yuga of 4320000 sidereal years
// holds 1577917500 civil days and 53433336 lunar months. Every division by one
// of these quantities is a multiplication by its stored reciprocal, so that
// the results reproduce exactly on every platform.
constexpr double kEpochJd = 588465.75;                   // 06:00, 18 Feb 3102 BC (Julian), day 0 of the Kali Yuga
constexpr double kSolarYear = 365.25868055555554;        // days, 1577917500/4320000 = 210389/576
constexpr double kSolarMonth = 30.43822337962963;        // days, a twelfth of the solar year
constexpr double kLunarMonth = 29.530581807581694;       // days, 1577917500/53433336
constexpr double kLunarDay = 0.9843527269193898;         // days, a thirtieth of the lunar month (tithi)
constexpr double kPerSolarYear = 0.0027377857207363503;  // 1 / solar year
constexpr double kPerSolarMonth = 0.032853428648836204;  // 1 / solar month
constexpr double kPerLunarMonth = 0.03386320007224712;   // 1 / lunar month
constexpr double kPerLunarDay = 1.0158960021674137;      // 30 / lunar month
constexpr double kMonthDifference = 0.907641572047936;   // days, solar month - lunar month
constexpr double kPerMonthDifference = 1.1017564981556245;
// Days, 13 lunar months less 12 solar months (23902504679/1282400064): a year
// holds a leap month when the Mina before it begins at least this far into a
// lunation, so that thirteen new moons fall within the twelve solar months
// that begin with that Mina.
constexpr double kLeapThreshold = 18.638882943006465;

static_assert(kSolarYear / 12.0 == kSolarMonth);
static_assert(kSolarMonth - kLunarMonth == kMonthDifference);

// Weekday names of both calendars, 0 = Monday (Chandravara) .. 6 = Sunday.
constexpr std::array<const char*, 7> kWeekdayNames = {
    "Chandravara", "Mangalavara", "Buddhavara", "Brihaspatvara", "Sukravara", "Sanivara", "Ravivara",
};

constexpr std::array<const char*, 12> kLunarMonthNames = {
    "Chaitra", "Vaisakha", "Jyaishtha",   "Ashadha", "Sravana", "Bhadrapada",
    "Asvina",  "Kartika",  "Margasirsha", "Pausha",  "Magha",   "Phalguna",
};

constexpr std::array<const char*, 12> kSolarMonthNames = {
    "Mesha", "Vrishabha", "Mithuna", "Karka",  "Simha",  "Kanya",
    "Tula",  "Vrischika", "Dhanu",   "Makara", "Kumbha", "Mina",
};

// The day of a JulianDay counted from the Kali Yuga epoch. The Hindu day
// begins at 06:00; the mean positions that decide its month and lunar day are
// taken at its reference instant, a quarter day later (noon).
struct KaliDay {
  double count;  // whole days since the epoch (floor)
  double time;   // days elapsed since 06:00, [0, 1)
  double sun;    // reference instant, count + 0.25, in days since the epoch
};

KaliDay kali_day(JulianDay jd) noexcept {
  const double x = jd - kEpochJd;
  const double count = std::floor(x);
  return {count, x - count, count + 0.25};
}

const char* weekday_name(JulianDay jd) noexcept {
  // The weekday follows the civil day (midnight), not the 06:00 boundary.
  const int32_t w = weekday_index(jd, 0.5);
  return (w >= 0 && w <= 6) ? kWeekdayNames[static_cast<size_t>(w)] : "";
}

const char* month_name(const std::array<const char*, 12>& names, int32_t month) noexcept {
  return (month >= 1 && month <= 12) ? names[static_cast<size_t>(month - 1)] : "";
}

}  // namespace

namespace hindu {

const KeywordTable month_names = {12, nullptr, kLunarMonthNames.data(), kLunarMonthNames.data()};

int32_t is_leap_year(int32_t year) noexcept {
  // Start of the Mina before the year, taken within its lunation.
  return fmod_floor(kSolarYear * year - kSolarMonth, kLunarMonth) >= kLeapThreshold ? 1 : 0;
}

JulianDay to_jd(const LunisolarDate& date) noexcept {
  const double whole_day = std::floor(date.day);
  // Start of Mina, the last solar month of the previous year; 12*year in 64 bits.
  const double mina = kSolarMonth * static_cast<double>(12 * int64_t{date.year} - 1);
  // The first mean new moon after it begins the lunar year.
  const double lunar_new_year = kLunarMonth * (std::floor(mina * kPerLunarMonth) + 1.0);
  // The new moon drifts back by one month difference per lunation against the
  // solar months; the month in which it first falls within the difference is
  // the year's leap month (above 12 when the year has none).
  const double leap_month = std::ceil((lunar_new_year - mina) * kPerMonthDifference);
  const double month = date.month;
  const double lunations = (date.leap == 0 && leap_month <= month) ? month : month - 1.0;
  return kEpochJd + std::floor(lunar_new_year + kLunarMonth * lunations + (whole_day - 1.0) * kLunarDay + 0.75) +
         (date.day - whole_day);
}

LunisolarDate from_jd(JulianDay jd) noexcept {
  const KaliDay k = kali_day(jd);
  const double new_moon = k.sun - fmod_floor(k.sun, kLunarMonth);  // mean conjunction on or before it
  const double year = std::ceil((new_moon + kSolarMonth) * kPerSolarYear) - 1.0;
  // The lunar month takes the name of the solar month that follows the one in
  // which it begins.
  const int64_t solar_month = ifloor64(std::ceil(new_moon * kPerSolarMonth));
  // A lunar month that begins and ends within one solar month is a leap month.
  const double offset = fmod_floor(new_moon, kSolarMonth);
  const bool leap = offset > 0.0 && offset <= kMonthDifference;
  const int64_t tithi = ifloor64(k.sun * kPerLunarDay);
  return {saturate_i32(year), static_cast<int16_t>(mod_floor(solar_month, 12) + 1), static_cast<int16_t>(leap ? 1 : 0),
          static_cast<double>(mod_floor(tithi, 30) + 1) + k.time};
}

int format_date(char* out, JulianDay jd, int32_t mode) noexcept {
  const LunisolarDate d = from_jd(jd);
  const long year = d.year;
  if (mode > 0) {
    return format_text(out, "%s, %d %s%s %ld", weekday_name(jd), ifloor(d.day), month_name(kLunarMonthNames, d.month),
                       d.leap != 0 ? "!" : "", year);
  }
  if (mode == 0) return format_text(out, "%4ld %2d %d %2d", year, int{d.month}, int{d.leap}, ifloor(d.day));
  return format_text(out, "%4ld %2d %d %f", year, int{d.month}, int{d.leap}, d.day);
}

JulianDay year_start(int32_t year) noexcept { return to_jd({year, 1, 0, 1.0}); }
bool anchor_year_fits(int64_t year) noexcept { return product_in_int32_range(12, year); }

}  // namespace hindu

namespace hindu2 {
namespace {

// Day count (from the epoch) of day 1 of the solar month with the given index
// (12*year + month - 1): the first day whose count exceeds the month's start
// less a quarter day.
double first_day_count(double month_index) noexcept { return std::floor(kSolarMonth * month_index - 0.25) + 1.0; }

}  // namespace

const KeywordTable month_names = {12, nullptr, kSolarMonthNames.data(), kSolarMonthNames.data()};

int32_t is_leap_year(int32_t) noexcept { return 0; }

JulianDay to_jd(int32_t year, int32_t month, double day) noexcept {
  const double month_index = static_cast<double>(12 * int64_t{year} + month - 1);
  return first_day_count(month_index) - 1.0 + day + kEpochJd;
}

CalendarDate from_jd(JulianDay jd) noexcept {
  const KaliDay k = kali_day(jd);
  // The month estimate from sunrise is corrected against to_jd's own month
  // starts: once in every 576 years a month starts exactly at a sunrise, and
  // the product and the remainder would round to different months there.
  double month_index = std::floor(k.sun * kPerSolarMonth);
  double first = first_day_count(month_index);
  if (first > k.count) {
    month_index -= 1.0;
    first = first_day_count(month_index);
  } else if (first_day_count(month_index + 1.0) <= k.count) {
    month_index += 1.0;
    first = first_day_count(month_index);
  }
  const FloorDiv ym = floor_div(ifloor64(month_index), 12);
  return {saturate_i32(static_cast<double>(ym.quot)), static_cast<int32_t>(ym.rem + 1), k.count - first + 1.0 + k.time};
}

int format_date(char* out, JulianDay jd, int32_t mode) noexcept {
  const CalendarDate d = from_jd(jd);
  if (mode > 0) {
    return format_text(out, "%s, %d %s %ld", weekday_name(jd), ifloor(d.day), month_name(kSolarMonthNames, d.month),
                       static_cast<long>(d.year));
  }
  return format_numeric_date(out, d, mode);
}

JulianDay year_start(int32_t year) noexcept { return std::floor(kSolarYear * year + 0.75) + kEpochJd; }
bool anchor_year_fits(int64_t /*year*/) noexcept { return true; }

}  // namespace hindu2
}  // namespace varizav
