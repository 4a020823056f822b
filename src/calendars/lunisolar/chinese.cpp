#include "calendars/lunisolar/chinese.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include "astro/moon.h"
#include "astro/sun_crossing.h"
#include "astro/time_scales.h"
#include "calendars/lunisolar/chinese_table.h"
#include "framework/language.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

constexpr std::array<const char*, 10> kStems = {"Gui", "Jia", "Yi", "Bing", "Ding", "Wu", "Ji", "Geng", "Xin", "Ren"};
constexpr std::array<const char*, 12> kBranches = {"Hai", "Zi", "Chou", "Yin",  "Mao", "Chen",
                                                   "Si",  "Wu", "Wei",  "Shen", "You", "Xu"};
constexpr std::array<const char*, 12> kAnimalsEnglish = {"Pig",   "Rat",   "Ox",    "Tiger",  "Hare", "Dragon",
                                                         "Snake", "Horse", "Sheep", "Monkey", "Fowl", "Dog"};
constexpr std::array<const char*, 12> kAnimalsGerman = {"Schwein",  "Ratte", "Ochse", "Tiger", "Hase", "Drache",
                                                        "Schlange", "Pferd", "Schaf", "Affe",  "Huhn", "Hund"};
constexpr std::array<const char*, 13> kMonthsEnglish = {"1st", "2nd", "3rd",  "4th",  "5th",  "6th", "7th",
                                                        "8th", "9th", "10th", "11th", "12th", "13th"};
constexpr std::array<const char*, 13> kMonthsGerman = {"1.", "2.", "3.",  "4.",  "5.",  "6.", "7.",
                                                       "8.", "9.", "10.", "11.", "12.", "13."};

// Year Y begins in Gregorian year Y - 2636; sun_longitude_crossing counts years
// from the March equinox of 2000 (Y = 4636 + 1 for the crossings of 2000/2001).
constexpr int32_t kYearOf2000 = 4636;
// 0h of 15 February 2637 BC (year -2636, proleptic Gregorian), the epoch of
// the year count.
constexpr JulianDay kYearCountEpochJd = 758325.5;
constexpr double kMeanTropicalYearsPerDay = 0.0027379093332674893;  // 1 / 365.2421896698
constexpr double kMeanSynodicMonthsPerDay = 0.033863191993038236;   // 1 / 29.5305888531
constexpr int32_t kDecemberSolsticeSign = 9;                        // apparent longitude 270 degrees
constexpr int32_t kNoLeapMonth = 13;

// Ring cache of the years computed, newest at the cursor: a cache whose value
// is a pure function of its full key, the whole year and the delta T override
// in force when it was computed (the solar terms and new moons of a year move
// with delta T). Kept per thread, so that concurrent calls never share it.
struct CacheEntry {
  bool filled;
  int32_t year;
  double delta_t_override;  // centuries; compared bit for bit
  ChineseYearInfo info;
};
struct YearCache {
  std::array<CacheEntry, 128> entries{};
  int32_t cursor = -1;
};
thread_local YearCache t_cache;

double new_moon(int32_t k) { return moon_phase(k, 0); }

// First day (local JulianDay) of the i-th month from month 1 of a year whose
// first lunation is given: from the year table inside its range, else from the
// new moon itself.
JulianDay month_start_day(int32_t year, int32_t first_lunation, int64_t i) {
  const ChineseTableYear* row = chinese_table_year(year);
  if (row != nullptr && i >= 0 && i < kChineseTableMonthCount) {
    return chinese_table_month_start(*row, static_cast<int32_t>(i));
  }
  const int64_t l = int64_t{first_lunation} + i;
  if (l < INT32_MIN || l > INT32_MAX) return std::nan("");
  return china_local_day(new_moon(static_cast<int32_t>(l)));
}

// The year information the table holds, when it holds the year.
bool tabled_year_info(int32_t year, ChineseYearInfo* info) {
  const ChineseTableYear* row = chinese_table_year(year);
  if (row == nullptr) return false;
  *info = {row->leap_month, row->first_lunation, true};
  return true;
}

// Lunation index of month 11 of year Y; not valid when the solstice or its
// new moon cannot be computed.
struct Lunation {
  int32_t k;
  bool valid;
};
Lunation chinese_month11(int64_t year) {
  const double ts = sun_longitude_crossing(static_cast<double>(year - kYearOf2000), kDecemberSolsticeSign);
  if (std::isnan(ts)) return {0, false};
  const int32_t k = ifloor(ts * kLunationsPerCentury);
  const JulianDay solstice_day = china_local_day(ts);
  const JulianDay moon_day = china_local_day(new_moon(k));
  if (std::isnan(moon_day)) return {0, false};
  // The month begins on the new-moon day at or before the solstice day.
  return {solstice_day < moon_day ? k - 1 : k, true};
}

bool in_calendar_range(int64_t year) { return year >= kChineseFirstYear && year <= kChineseLastYear; }

ChineseYearInfo compute_year_info(int32_t year) {
  const ChineseYearInfo invalid = {kNoLeapMonth, 0, false};
  if (!in_calendar_range(year)) return invalid;
  const Lunation a = chinese_month11(int64_t{year} - 1);
  const Lunation b = chinese_month11(year);
  if (!a.valid || !b.valid) return invalid;
  int32_t first = a.k + 2;
  int32_t p;  // principal term examined: the Sun at 30 * (p mod 12) degrees
  int32_t l;  // lunation that ends the month examined
  int64_t z;  // Chinese year whose solar terms are examined
  if (b.k - a.k == 13) {
    p = 10;
    l = a.k + 1;
    z = year;
  } else {
    const Lunation c = chinese_month11(int64_t{year} + 1);
    if (!c.valid) return invalid;
    if (c.k - (a.k + 12) != 13) return {kNoLeapMonth, first, true};
    // The leap month of the next span may fall into months 11 or 12 of Y.
    p = 21;
    l = a.k + 12;
    z = int64_t{year} + 1;
  }
  for (; p <= 23; ++p) {
    const int32_t s = p <= 11 ? p : p - 12;
    ++l;
    const JulianDay next_month = china_local_day(new_moon(l));
    const JulianDay term = china_local_day(sun_longitude_crossing(static_cast<double>(z - (kYearOf2000 + 1)), s));
    if (std::isnan(next_month) || std::isnan(term)) return invalid;
    if (term < next_month) {  // the month holds its principal term
      if (p + 1 == 12) ++z;
      continue;
    }
    // The month ending at new moon l lacks a principal term: the leap month.
    if (p == 10 || p == 11) return {kNoLeapMonth, first + 1, true};  // it belongs to Y - 1
    return {s + 1, first, true};
  }
  return {kNoLeapMonth, first, true};
}

}  // namespace

const KeywordTable chinese_month_names = {13, nullptr, kMonthsEnglish.data(), kMonthsGerman.data()};

JulianDay china_local_day(double t) noexcept {
  // Universal Time plus eight hours, floored to the local civil day.
  return std::floor(centuries_to_jd(t - delta_t(t)) - 0.16666666666666666) + 0.5;
}

ChineseYearInfo compute_chinese_year_info(int32_t year) noexcept { return compute_year_info(year); }

ChineseYearInfo chinese_year_info(int32_t year) noexcept {
  if (ChineseYearInfo tabled; tabled_year_info(year, &tabled)) return tabled;
  if (!in_calendar_range(year)) return {kNoLeapMonth, 0, false};
  YearCache& cache = t_cache;
  const double override_centuries = delta_t_override();
  for (int32_t i = 0; i < 128; ++i) {
    const CacheEntry& e = cache.entries[static_cast<size_t>(mod_floor(int64_t{cache.cursor} - i, 128))];
    if (!e.filled) break;
    if (e.year == year && std::bit_cast<uint64_t>(e.delta_t_override) == std::bit_cast<uint64_t>(override_centuries)) {
      return e.info;
    }
  }
  const ChineseYearInfo info = compute_year_info(year);
  cache.cursor = static_cast<int32_t>(mod_floor(int64_t{cache.cursor} + 1, 128));
  cache.entries[static_cast<size_t>(cache.cursor)] = {true, year, override_centuries, info};
  return info;
}

namespace chinese {

int32_t is_leap_year(int32_t year) noexcept {
  const ChineseYearInfo info = chinese_year_info(year);
  return info.valid && info.leap_month != kNoLeapMonth ? 1 : 0;
}

JulianDay to_jd(int32_t year, int32_t month, int32_t leap, double day) noexcept {
  const ChineseYearInfo info = chinese_year_info(year);
  if (!info.valid) return std::nan("");
  // A leap flag on an ordinary month gives the day of the following month.
  const int64_t i = int64_t{month} - 1 + leap + (month > info.leap_month ? 1 : 0);
  return month_start_day(year, info.first_lunation, i) + day - 1.0;
}

ChineseDate from_jd(JulianDay x) noexcept {
  const ChineseDate invalid = {0, 1, 0, std::nan("")};
  // Estimate from the mean tropical year since the epoch of the year count,
  // taken in dynamical time: the solar terms that bound the years are instants
  // of TD, and the local days lag them by delta T (up to 68 years when it is
  // fixed). Inside the calendar's range the estimate is then at most one year
  // off (measured over the whole range); the search below moves year by year
  // until the year holds x.
  const JulianDay x_td = x + delta_t(jd_to_centuries(x)) * kDaysPerJulianCentury;  // delta T in days
  const double year_estimate = std::floor((x_td - kYearCountEpochJd - 10.0) * kMeanTropicalYearsPerDay);
  if (!(year_estimate >= kChineseFirstYear - 1.0 && year_estimate <= kChineseLastYear + 1.0)) return invalid;
  // A day of the first or last year may be estimated a year beyond it.
  int32_t year = static_cast<int32_t>(std::clamp(year_estimate, double{kChineseFirstYear}, double{kChineseLastYear}));
  ChineseYearInfo info{};
  JulianDay first_day = 0.0;
  // Years partition the days inside the range, so the search never turns
  // back; a turn (x between two years), a year outside the range or more
  // steps than the estimate can be off is no result.
  constexpr int32_t kMaxYearSteps = 3;
  int32_t step = 0;  // -1 or +1 once the search has moved
  for (int32_t steps = 0;; ++steps) {
    if (steps > kMaxYearSteps) return invalid;
    info = chinese_year_info(year);
    if (!info.valid) return invalid;
    // Each new moon costs a full lunar series: the first day of the year is
    // computed once per year tried and reused below.
    first_day = month_start_day(year, info.first_lunation, 0);
    int32_t move = 0;
    if (!(first_day <= x)) {
      move = -1;
    } else {
      const int32_t months = info.leap_month == kNoLeapMonth ? 12 : 13;
      if (!(month_start_day(year, info.first_lunation, months) > x)) move = 1;
    }
    if (move == 0) break;
    if (step == -move) return invalid;
    step = move;
    year += move;
  }
  // The month is the last one of months 0..cap (cap = 14, or two above the
  // estimate from the mean synodic month) that begins at or before x.
  // Month starts increase with the month, so the search starts at the
  // estimate, which is at most one month off, and moves up or down from there.
  const int32_t month_estimate = ifloor((x - first_day) * kMeanSynodicMonthsPerDay);  // 0..13
  const int32_t cap = month_estimate > 12 ? 14 : month_estimate + 2;
  int32_t i = month_estimate < cap ? month_estimate : cap;
  JulianDay month_start = month_start_day(year, info.first_lunation, i);
  if (month_start <= x) {
    while (i < cap) {
      const JulianDay next = month_start_day(year, info.first_lunation, i + 1);
      if (!(next <= x)) break;
      ++i;
      month_start = next;
    }
  }
  while (!(month_start <= x)) {
    if (--i < 0) return invalid;
    month_start = month_start_day(year, info.first_lunation, i);
  }
  ChineseDate d;
  d.year = year;
  d.leap = i == info.leap_month ? 1 : 0;
  d.month = static_cast<int16_t>(i < info.leap_month ? i + 1 : i);
  d.day = x - month_start + 1.0;
  return d;
}

int format_date(char* out, JulianDay jd, int32_t mode) noexcept {
  const ChineseDate d = from_jd(jd + 5e-10);
  if (std::isnan(d.day)) {
    out[0] = '\0';
    return 0;
  }
  const FloorDiv cy = floor_div(d.year, 60);
  const long cycle = static_cast<long>(cy.quot + 1);
  const int32_t yc = static_cast<int32_t>(cy.rem + 1);
  const int32_t day = ifloor(d.day);
  if (mode > 0) {
    const auto& animals = by_display_language(kAnimalsEnglish, kAnimalsGerman);
    return format_text(out, "%d %d%s %s-%s %ld (%s)", day, d.month, d.leap ? "!" : "",
                       kStems[static_cast<size_t>(yc % 10)], kBranches[static_cast<size_t>(yc % 12)], cycle,
                       animals[static_cast<size_t>(yc % 12)]);
  }
  if (mode == 0) return format_text(out, "%2ld %2ld %2d %d %2d", cycle, static_cast<long>(yc), d.month, d.leap, day);
  return format_text(out, "%2ld %2ld %2d %d %f", cycle, static_cast<long>(yc), d.month, d.leap, d.day);
}

CalendarDate registry_from_jd(JulianDay jd) noexcept {
  const ChineseDate d = from_jd(jd);
  return {d.year, d.month, d.day};
}

}  // namespace chinese

bool chinese_anchor_year_fits(int64_t /*year*/) noexcept { return true; }

JulianDay chinese_new_year(int32_t year) noexcept {
  const ChineseYearInfo info = chinese_year_info(year);
  if (!info.valid) return std::nan("");
  return month_start_day(year, info.first_lunation, 0);
}

JulianDay chinese_month11_start(int32_t year) noexcept {
  // Month 11 of Y lies month11_back lunations before month 1 of Y + 1.
  const ChineseTableYear* row = chinese_table_year(year);
  const ChineseTableYear* next = year < INT32_MAX ? chinese_table_year(year + 1) : nullptr;
  if (row != nullptr && next != nullptr) {
    const int32_t i = next->first_lunation - next->month11_back - row->first_lunation;
    if (i >= 0 && i < kChineseTableMonthCount) return chinese_table_month_start(*row, i);
  }
  return compute_chinese_month11_start(year);
}

JulianDay compute_chinese_month11_start(int32_t year) noexcept {
  if (!in_calendar_range(year)) return std::nan("");
  const Lunation m11 = chinese_month11(year);
  if (!m11.valid) return std::nan("");
  return china_local_day(new_moon(m11.k));
}

ChineseYearText read_chinese_year(const char* text) noexcept {
  const LeadingInteger cycle = read_leading_integer(text, Blanks::white_space);
  if (!cycle.has_digits || *cycle.end == '\0') return {false, 0};
  const LeadingInteger year = read_leading_integer(cycle.end + 1, Blanks::white_space);
  if (!year.has_digits) return {false, 0};
  return {true, chinese_year_of_cycle(cycle.saturated, year.saturated)};
}

}  // namespace varizav
