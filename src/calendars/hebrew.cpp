#include "calendars/hebrew.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "calendars/evening_date_text.h"
#include "framework/language.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

constexpr BilingualNames<13> kMonths = {
    {"Nisan", "Iyyar", "Sivan", "Tammuz", "Av", "Elul", "Tishri", "Cheshvan", "Kislev", "Tevet", "Shevat", "Adar I",
     "Adar II"},
    {"Nisan", "Ijjar", "Siwan", "Tammus", "Aw", "Elul", "Tishri", "Cheschwan", "Kislew", "Tewet", "Schewat", "Adar I",
     "Adar II"},
};
// Index 0 = Monday. The grave accent (0x60) is part of the transliteration.
constexpr BilingualNames<7> kWeekdays = {
    {"yom sheni", "yom shelishi", "yom revi`i", "yom hamishi", "yom shishi", "yom shabbat", "yom rishon"},
    {"Jom Sheni", "Jom Shlishi", "Jom Revi`i", "Jom Chamishi", "Jom Shishi", "Jom Schabath", "Jom Rishon"},
};

// Mean synodic month 29d 12h 793p (29 + 13753/25920 days; 1 part = 1/1080 h)
// and the molad of the first month, 11h 204p after the epoch's start of day
// (12084/25920 days; the six hours of the molad-zaken rule are included).
constexpr double kMeanMonthDays = 29.53059413580247;
constexpr double kFirstMoladDays = 0.4662037037037037;
// The same mean month and first molad in parts of 1/25920 day (1/1080 hour
// = 24 parts of 1/25920 day): 29d 12h 793p and 11h 204p.
constexpr int64_t kMeanMonthParts = 765433;
constexpr int64_t kFirstMoladParts = 12084;
constexpr int64_t kPartsPerDay = 25920;

// Days from 1 Tishri to the first day of month m (columns 1..13) for each of
// the six year lengths; column 0 holds the length itself. Row = length mod 9 - 2.
using MonthStartRow = std::array<int32_t, 14>;
constexpr std::array<MonthStartRow, 6> hebrew_month_start = {{
    //   len  Nis  Iyy  Siv  Tam   Av  Elul Tish Ches Kisl Tev  Shev Adar AdII
    {{353, 176, 206, 235, 265, 294, 324, 0, 30, 59, 88, 117, 147, 176}},
    {{354, 177, 207, 236, 266, 295, 325, 0, 30, 59, 89, 118, 148, 177}},
    {{355, 178, 208, 237, 267, 296, 326, 0, 30, 60, 90, 119, 149, 178}},
    {{383, 206, 236, 265, 295, 324, 354, 0, 30, 59, 88, 117, 147, 177}},
    {{384, 207, 237, 266, 296, 325, 355, 0, 30, 59, 89, 118, 148, 178}},
    {{385, 208, 238, 267, 297, 326, 356, 0, 30, 60, 90, 119, 149, 179}},
}};

constexpr int32_t kTishri = 7;
constexpr int32_t kKislev = 9;
constexpr int32_t kTevet = 10;

const MonthStartRow& month_start_row(int64_t length) noexcept {
  // 353..355 and 383..385 leave the remainders 2..7; the clamp only keeps an
  // impossible length inside the table.
  return hebrew_month_start[static_cast<size_t>(std::clamp<int64_t>(mod_floor(length, 9) - 2, 0, 5))];
}

int32_t month_start(const MonthStartRow& row, int32_t month) noexcept {
  return (month >= 1 && month <= 13) ? row[static_cast<size_t>(month)] : 0;
}

// hebrew_elapsed_days, in a form the compiler inlines into from_jd and
// year_span, which need it four times each.
inline int64_t elapsed_days(int64_t year) noexcept {
  const int64_t months = floor_quot(235 * year - 234, 19);  // months before the year
  const double molad_days = static_cast<double>(months) * kMeanMonthDays + kFirstMoladDays;
  // Floor by truncation, without a call of the C library's floor: exact for
  // |x| < 2^62, which holds for every 32-bit year (about 8e11 days).
  int64_t days = static_cast<int64_t>(molad_days);
  if (std::fabs(molad_days) >= 4611686018427387904.0) {
    days = ifloor64(molad_days);
  } else if (static_cast<double>(days) > molad_days) {
    --days;
  }
  // 3(days + 1) mod 7 < 3 exactly when 1 Tishri would be a Sunday, Wednesday or Friday.
  if (mod_floor(3 * (days + 1), 7) < 3) ++days;
  return days;
}

// 1 Tishri of year y from the elapsed days of y - 1, y and y + 1: two days
// later when the year would have 356 days, one day later when the year before
// would have 382 (the two never coincide).
int64_t new_year_from(int64_t before, int64_t at, int64_t after) noexcept {
  return at + (after - at == 356 ? 2 : 0) + (at - before == 382 ? 1 : 0);
}

// The year whose first molad (exact, in integer parts) falls on or before day
// n (days since the epoch). n is a 32-bit day count, so every product fits.
int64_t molad_year(int64_t n) noexcept {
  // Molad m falls on day floor((765433 m + 12084) / 25920); m counts the molads
  // on or before day n, less one.
  const int64_t m = floor_quot(kPartsPerDay * (n + 1) - kFirstMoladParts - 1, kMeanMonthParts);
  // Months before year y: floor((235 y - 234) / 19); the last y not above m.
  return floor_quot(19 * m + 252, 235);
}

// The elapsed days of year y - 1 as new_year_from(before, e(y), ...) needs
// them: the 382-day rule can only hold after a leap year (e(y) - e(y - 1) is
// 353..356 after a common one), so a common year y - 1 gets a stand-in 354
// days back instead of its own molad.
int64_t elapsed_before(int64_t year, int64_t e_at) noexcept {
  return mod_floor(7 * (year - 1) + 1, 19) <= 6 ? elapsed_days(year - 1) : e_at - 354;
}

// Likewise the elapsed days of year y + 1 after year y: the 356-day rule can
// only hold for a common year y (a leap year spans 382..385 days of molads),
// so a leap year y gets a stand-in 384 days on.
int64_t elapsed_after(int64_t year, int64_t e_at) noexcept {
  return mod_floor(7 * year + 1, 19) <= 6 ? e_at + 384 : elapsed_days(year + 1);
}

// 1 Tishri of year y and of year y + 1.
struct YearSpan {
  int64_t start;
  int64_t next;
};

YearSpan year_span(int64_t year) noexcept {
  const int64_t a = elapsed_days(year - 1);
  const int64_t b = elapsed_days(year);
  const int64_t c = elapsed_days(year + 1);
  const int64_t d = elapsed_days(year + 2);
  return {new_year_from(a, b, c), new_year_from(b, c, d)};
}

JulianDay month_anchor(int32_t year, int32_t month) noexcept {
  const YearSpan s = year_span(year);
  return static_cast<double>(s.start + month_start(month_start_row(s.next - s.start), month)) + hebrew::kEpochJd;
}

}  // namespace

int64_t hebrew_elapsed_days(int64_t year) noexcept { return elapsed_days(year); }

int64_t hebrew_new_year(int64_t year) noexcept {
  return new_year_from(hebrew_elapsed_days(year - 1), hebrew_elapsed_days(year), hebrew_elapsed_days(year + 1));
}

const KeywordTable hebrew_month_names = {13, nullptr, kMonths.english.data(), kMonths.german.data()};

namespace hebrew {

int32_t is_leap_year(int32_t year) noexcept { return mod_floor(7 * int64_t{year} + 1, 19) <= 6 ? 1 : 0; }

int32_t year_length(int32_t year) noexcept {
  const YearSpan s = year_span(year);
  return static_cast<int32_t>(s.next - s.start);
}

JulianDay year_start(int32_t year) noexcept { return static_cast<double>(hebrew_new_year(year)) + kEpochJd; }
JulianDay kislev_start(int32_t year) noexcept { return month_anchor(year, kKislev); }
JulianDay tevet_start(int32_t year) noexcept { return month_anchor(year, kTevet); }
JulianDay next_year_start(int32_t year) noexcept {
  return static_cast<double>(hebrew_new_year(int64_t{year} + 1)) + kEpochJd;
}

JulianDay to_jd(int32_t year, int32_t month, double day) noexcept {
  const YearSpan s = year_span(year);
  const int64_t days = s.start + month_start(month_start_row(s.next - s.start), month);
  return day + static_cast<double>(days) + (kEpochJd - 1.0);
}

CalendarDate from_jd(JulianDay jd) noexcept {
  // Months in reverse order of the year: the first whose start is not after
  // the day holds it. In a common year Nisan comes before Adar II, whose
  // start it shares, so Adar II never results there.
  static constexpr std::array<int32_t, 13> kReverseYearOrder = {6, 5, 4, 3, 2, 1, 13, 12, 11, 10, 9, 8, 7};

  const double f = jd - kEpochJd;
  const int64_t n = ifloor(f);  // whole days since the epoch (saturates far outside the date range)
  int64_t year = molad_year(n);
  // 1 Tishri falls 0..2 days after the molad day (the float molad at most one
  // day before the exact one): the year holding day n is the molad year or,
  // rarely, one either side of it.
  int64_t e_at = elapsed_days(year);
  int64_t e_after = elapsed_days(year + 1);
  int64_t start = new_year_from(elapsed_before(year, e_at), e_at, e_after);
  int64_t next = new_year_from(e_at, e_after, elapsed_after(year + 1, e_after));
  if (n < start) {
    --year;
    next = start;
    e_after = e_at;
    e_at = elapsed_days(year);
    start = new_year_from(elapsed_before(year, e_at), e_at, e_after);
  } else if (n >= next) {
    ++year;
    start = next;
    e_at = e_after;
    e_after = elapsed_days(year + 1);
    next = new_year_from(e_at, e_after, elapsed_after(year + 1, e_after));
  }
  const int64_t doy = n - start;  // [0, 384]
  const MonthStartRow& row = month_start_row(next - start);
  int32_t month = kTishri;
  for (const int32_t m : kReverseYearOrder) {
    if (row[static_cast<size_t>(m)] <= doy) {
      month = m;
      break;
    }
  }
  const double day = (f - static_cast<double>(n)) + static_cast<double>(doy - row[static_cast<size_t>(month)] + 1);
  return {static_cast<int32_t>(year), month, day};
}

int format_date(char* out, JulianDay jd, int32_t mode) noexcept {
  return format_evening_date(out, jd, from_jd(jd), mode, kWeekdays, kMonths);
}

bool anchor_year_fits(int64_t year) noexcept {
  // The month count and three times the elapsed days (the weekday test of
  // the new year) must stay within 32 bits for each year used.
  const auto fits = [](int64_t y) {
    const int64_t month_count = 235 * y - 234;
    if (!in_int32_range(month_count)) return false;
    const double days = std::floor(static_cast<double>(floor_quot(month_count, 19)) * kMeanMonthDays + kFirstMoladDays);
    return std::fabs(3.0 * (days + 1.0)) < 2147483647.0;
  };
  return fits(year - 1) && fits(year + 2);
}

}  // namespace hebrew
}  // namespace varizav
