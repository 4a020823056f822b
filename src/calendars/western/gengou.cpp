#include "calendars/western/gengou.h"

#include <array>

#include "calendars/western/gregorian.h"
#include "calendars/western/western_names.h"
#include "calendars/western/western_shared.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

// Gregorian year = offset + era year, so the era's first year is offset + 1.
struct GengouEra {
  const char* name;
  JulianDay first_day;  // 0h of the era's first day (Gregorian date in the comment)
  int32_t offset;
};

// Jimmu counts the years from the legendary foundation in 660 BC. The eras from
// Kyowa to Keio are counted from 1 January of their first Gregorian year, Meiji
// and the later eras from the day of their beginning.
constexpr std::array<GengouEra, kGengouEraCount> kEras = {{
    {"Jimmu", 1480365.5, -660},   // 1 January -659
    {"Kyowa", 2378861.5, 1800},   // 1 January 1801
    {"Bunkwa", 2379956.5, 1803},  // 1 January 1804
    {"Bunsei", 2385070.5, 1817},  // 1 January 1818
    {"Tempo", 2389453.5, 1829},   // 1 January 1830
    {"Kokwa", 2394566.5, 1843},   // 1 January 1844
    {"Kaei", 2396027.5, 1847},    // 1 January 1848
    {"Ansei", 2398219.5, 1853},   // 1 January 1854
    {"Man-en", 2400410.5, 1859},  // 1 January 1860
    {"Bunkyu", 2400776.5, 1860},  // 1 January 1861
    {"Genji", 2401871.5, 1863},   // 1 January 1864
    {"Keio", 2402237.5, 1864},    // 1 January 1865
    {"Meiji", 2403583.5, 1867},   // 8 September 1868
    {"Taisho", 2419613.5, 1911},  // 30 July 1912
    {"Showa", 2424874.5, 1925},   // 25 December 1926
    {"Heisei", 2447534.5, 1988},  // 8 January 1989
    {"Reiwa", 2458604.5, 2018},   // 1 May 2019
}};

constexpr std::array<const char*, kGengouEraCount> kEraNames = [] {
  std::array<const char*, kGengouEraCount> names{};
  for (size_t i = 0; i < names.size(); ++i) names[i] = kEras[i].name;
  return names;
}();

// The Jimmu-count year is the Gregorian year + 660.
constexpr int32_t kJimmuOffset = 660;

const GengouEra& era_of(int32_t era) noexcept { return kEras[static_cast<size_t>(mod_floor(era, kGengouEraCount))]; }

}  // namespace

const KeywordTable gengou_era_names = {kGengouEraCount, nullptr, kEraNames.data(), kEraNames.data()};

namespace gengou {

int32_t is_leap_year(int32_t year) noexcept { return western::gregorian_leap(int64_t{year} - kJimmuOffset); }

JulianDay to_jd(const GengouDate& date) noexcept {
  return western::gregorian_to_jd(int64_t{era_of(date.era).offset} + date.year, date.month, date.day);
}

GengouDate from_jd(JulianDay jd) noexcept {
  const CalendarDate g = gregorian::from_jd(jd);
  int16_t era = 0;  // Jimmu before 1 January 1801 (and for NaN)
  for (int16_t n = kGengouEraCount - 1; n >= 1; --n) {
    if (jd >= kEras[static_cast<size_t>(n)].first_day) {
      era = n;
      break;
    }
  }
  return {clamp_year(int64_t{g.year} + kJimmuOffset), static_cast<int16_t>(g.month), era, g.day};
}

int format_date(char* out, JulianDay jd, int32_t mode) noexcept {
  const GengouDate d = from_jd(jd);
  const GengouEra& era = era_of(d.era);
  const long era_year = static_cast<long>(int64_t{d.year} - era.offset - kJimmuOffset);
  if (mode > 0) {
    return format_text(out, "%d %s %ld (%s)", ifloor(d.day), western_month_display_name(d.month), era_year, era.name);
  }
  if (mode < 0) return format_text(out, "%d %4ld %2d %f", d.era, era_year, d.month, d.day);
  return format_text(out, "%4ld %2d %2d", static_cast<long>(d.year), d.month, ifloor(d.day));
}

JulianDay year_start(int32_t year) noexcept { return western::gregorian_to_jd(int64_t{year} - kJimmuOffset, 1, 1.0); }
bool anchor_year_fits(int64_t year) noexcept { return western::new_year_fits(year - kJimmuOffset); }

}  // namespace gengou
}  // namespace varizav
