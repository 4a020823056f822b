#include "host/converter.h"

#include <array>
#include <cmath>

#include "calendars/egyptian_type.h"
#include "calendars/french.h"
#include "calendars/hebrew.h"
#include "calendars/indian.h"
#include "calendars/islamic.h"
#include "calendars/lunisolar/chinese.h"
#include "calendars/lunisolar/hindu.h"
#include "calendars/persian.h"
#include "calendars/western/era_offset.h"
#include "calendars/western/gregorian.h"
#include "calendars/western/julian.h"
#include "framework/keyword.h"
#include "framework/numeric.h"
#include "framework/row_table.h"

namespace varizav {
namespace {

// Day bounds: 32 where months have up to 31 days, 31 where they have up to
// 30 (the thirteenth month of the Egyptian-type and French calendars is
// shorter still, but its day count runs on into the next year the same way).
constexpr double kDaysTo31 = 32.0;
constexpr double kDaysTo30 = 31.0;
// The astronomical calendar (Julian Day), ISO weeks and the Mayan long count
// have no month and day converter; the Roman day argument counts days before
// a division point, bounded by the count names in its export.
constexpr double kNoMonthDay = 0.0;

// One row per calendar, in CalendarId order.
constexpr std::array<ConverterRow, kCalendarCount> kConverters = {{
    {kArmenian, kDaysTo30, armenian::to_jd},
    {kAstronomical, kNoMonthDay, nullptr},
    {kBuddhist, kDaysTo31, buddhist::to_jd},
    {kByzantine, kDaysTo31, byzantine::to_jd},
    {kChinese, kDaysTo30, nullptr},  // cycle, year of cycle, month, leap flag, day
    {kCoptic, kDaysTo30, coptic::to_jd},
    {kEgyptian, kDaysTo30, egyptian::to_jd},
    {kEthiopic, kDaysTo30, ethiopic::to_jd},
    {kFrench, kDaysTo30, french::to_jd},
    {kGengou, kDaysTo31, nullptr},  // era, year of era, month, day
    {kGregorian, kDaysTo31, gregorian::to_jd},
    {kHebrew, kDaysTo30, hebrew::to_jd},
    {kHindu, kDaysTo30, nullptr},  // year, month, leap flag, lunar day
    {kHindu2, kDaysTo31, hindu2::to_jd},
    {kIndian, kDaysTo31, indian::to_jd},
    {kIslamic, kDaysTo30, islamic::to_jd},
    {kIso8601, kNoMonthDay, nullptr},
    {kJulian, kDaysTo31, julian::to_jd},
    {kLatin, kNoMonthDay, nullptr},  // year, month, division point, count
    {kMayan, kNoMonthDay, nullptr},
    {kPersian, kDaysTo31, persian::to_jd},
    {kSeleucid, kDaysTo31, seleucid::to_jd},
    {kSyrian, kDaysTo31, syrian::to_jd},
    {kTaiwanese, kDaysTo31, taiwanese::to_jd},
    {kYazdegerd, kDaysTo30, yazdegerd::to_jd},
}};
static_assert(rows_in_index_order(kConverters, &ConverterRow::calendar));

// A Chinese year has twelve numbered months; the thirteenth month name is
// looked up like the others but never taken (a leap month is month and flag).
constexpr int32_t kChineseNumberedMonths = 12;

}  // namespace

const ConverterRow& converter_row(CalendarId calendar) noexcept { return kConverters[static_cast<size_t>(calendar)]; }

const KeywordTable* converter_month_names(CalendarId calendar) noexcept {
  return calendar_record(calendar).month_names;
}

int32_t converter_month_count(CalendarId calendar) noexcept {
  const KeywordTable* names = converter_month_names(calendar);
  return names != nullptr ? names->count : 0;
}

bool month_and_day_accepted(CalendarId calendar, int32_t month, double day) noexcept {
  return day_accepted(day, converter_row(calendar).day_bound) && month >= 1 && month <= converter_month_count(calendar);
}

std::optional<SerialDate> convert_simple_date(CalendarId calendar, double year, NameText month, double day) noexcept {
  const int32_t m = keyword_lookup(month, *converter_month_names(calendar));
  if (!month_and_day_accepted(calendar, m, day) || !fits_i32(year)) return std::nullopt;
  return jd_to_serial(converter_row(calendar).to_jd(itrunc(year), m, day));
}

std::optional<SerialDate> convert_chinese_date(double cycle, double year, NameText month, double leap,
                                               double day) noexcept {
  const int64_t c = itrunc(cycle);
  const int32_t y = itrunc(year);
  const int32_t m = keyword_lookup(month, *converter_month_names(kChinese));
  if (y < 1 || y > 60 || !day_accepted(day, converter_row(kChinese).day_bound) || m < 1 || m > kChineseNumberedMonths) {
    return std::nullopt;
  }
  const int32_t l = leap != 0.0 ? 1 : 0;  // NaN compares unequal: it counts as a leap month
  // Cycles whose years lie beyond the accepted date range (about 200,000 years
  // either side) are rejected before any astronomy is done.
  const int64_t chinese_year = chinese_year_of_cycle(c, y);
  constexpr int64_t kYearLimit = 220000;
  if (chinese_year < -kYearLimit || chinese_year > kYearLimit) return std::nullopt;
  const JulianDay jd = chinese::to_jd(static_cast<int32_t>(chinese_year), m, l, day);
  if (!jd_in_accepted_range(jd)) return std::nullopt;
  // A leap flag or a day past the month's end carries a date of the last year
  // beyond it, into days the calendar gives no date.
  if (chinese_year == kChineseLastYear && std::isnan(chinese::from_jd(jd).day)) return std::nullopt;
  return jd_to_serial(jd);
}

}  // namespace varizav
