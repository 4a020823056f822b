#include "calendars/western/civil.h"

#include <atomic>
#include <cmath>
#include <cstdlib>

#include "calendars/western/gregorian.h"
#include "calendars/western/julian.h"
#include "calendars/western/western_shared.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

// The reform date as one word, so that a reader never sees the yyyymmdd value
// of one reform with the Julian Day of another: yyyymmdd in the high half,
// the Julian Day number in the low half.
constexpr int64_t pack(int32_t ymd, int32_t jd) {
  return static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(ymd)) << 32) | static_cast<uint32_t>(jd));
}
constexpr int32_t kDefaultReformYmd = 15821004;  // 4 October 1582 (Julian), Gregory XIII
constexpr int32_t kDefaultReformJd = 2299160;
constexpr int32_t kEnglishReformYmd = 17520903;  // 3 September 1752 (Julian), British calendar act
constexpr int32_t kEnglishReformJd = 2361222;

// Setting: written only by the configuration read at GetFunctionCount
// (VARIZAV_CALREFORM) and by SetLanguage (English moves it to 1752).
std::atomic<int64_t> g_reform{pack(kDefaultReformYmd, kDefaultReformJd)};

// Civil key of a date: 10000*y + 100*m + d, which orders dates also in
// negative years (the yyyymmdd value of a negative year does not).
int64_t civil_key(int64_t y, int64_t m, int64_t d) { return 10000 * y + 100 * m + d; }

int64_t key_of_ymd(int32_t v) {
  const int64_t year = v / 10000;  // truncation toward zero: the year of the value
  return 10000 * year + std::llabs(int64_t{v} % 10000);
}

int32_t julian_month_length(int64_t year, int32_t month) {
  static constexpr int32_t kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return kLengths[month - 1] + ((month == 2 && (year & 3) == 0) ? 1 : 0);
}

}  // namespace

int32_t reform_ymd() noexcept { return static_cast<int32_t>(g_reform.load(std::memory_order_relaxed) >> 32); }

int32_t reform_jd() noexcept {
  return static_cast<int32_t>(static_cast<uint32_t>(g_reform.load(std::memory_order_relaxed)));
}

int64_t reform_key() noexcept { return key_of_ymd(reform_ymd()); }

void set_reform(int32_t v) noexcept {
  const int32_t md = std::abs(v % 10000);
  const int32_t month = md / 100;
  const int32_t day = md - 100 * month;
  const int32_t year = v / 10000;
  if (month < 1 || month > 12 || day < 1 || day > julian_month_length(year, month)) return;
  const int32_t jd = static_cast<int32_t>(julian::to_jd(year, month, day) + 0.5);
  g_reform.store(pack(v, jd), std::memory_order_relaxed);
}

void set_reform_english() noexcept {
  g_reform.store(pack(kEnglishReformYmd, kEnglishReformJd), std::memory_order_relaxed);
}

CalendarDate civil_from_jd(JulianDay jd) noexcept {
  return western::split_day(jd).number > reform_jd() ? gregorian::from_jd(jd) : julian::from_jd(jd);
}

int32_t civil_is_leap_year(int32_t year) noexcept {
  if (year % 4 != 0) return 0;
  if (year % 100 != 0 || year % 400 == 0) return 1;
  // A century year not divisible by 400 is leap only while it is still Julian.
  return reform_key() < 10000 * int64_t{year} ? 0 : 1;
}

JulianDay civil_to_jd(int32_t year, int32_t month, double day) noexcept {
  // The whole day decides the calendar: 4 October 1582 at 18:00 is still Julian.
  const double v = std::floor(day) + static_cast<double>(civil_key(year, month, 0));
  return v > static_cast<double>(reform_key()) ? gregorian::to_jd(year, month, day) : julian::to_jd(year, month, day);
}

JulianDay civil_new_year(int32_t year) noexcept {
  return reform_key() >= 10000 * int64_t{year} ? julian_new_year(year) : gregorian_new_year(year);
}

std::array<int32_t, 12> civil_month_lengths(int32_t year) noexcept {
  std::array<int32_t, 12> lengths = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  lengths[1] += civil_is_leap_year(year);
  return lengths;
}

int civil_format_date(char* out, JulianDay jd, int32_t) noexcept { return format_text(out, "%f", jd); }

int civil_default_format_date(char* out, JulianDay jd, int32_t mode) noexcept {
  return jd >= reform_jd() + 0.5 ? gregorian::format_date(out, jd, mode) : julian::format_date(out, jd, mode);
}

}  // namespace varizav
