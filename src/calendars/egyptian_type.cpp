#include "calendars/egyptian_type.h"

#include <array>

#include "framework/numeric.h"

namespace varizav {
namespace {
namespace egyptian_type {

using MonthList = std::array<const char*, 13>;
using WeekdayList = std::array<const char*, 7>;

// One Egyptian-type calendar: where its count begins, whether it has the
// quadrennial sixth epagomenal day, and the names of its text output.
struct EgyptianType {
  double epoch;                 // JulianDay at which 1/1/1 begins
  bool quadrennial;             // a sixth epagomenal day when year mod 4 = 3
  double weekday_shift;         // 0.5: the day begins at midnight, 0.75: at 18:00 of the day before
  const MonthList* months;      // 1..13, month 13 = the epagomenal days
  const WeekdayList* weekdays;  // 0 = Monday .. 6 = Sunday; null: the text has no weekday
};

// Month and weekday names, one list for both languages.
constexpr MonthList kArmenianMonths = {"Nawasardi", "Hori",    "Sahmi",  "Tre",     "Kaloch",  "Arach",   "Mehekani",
                                       "Areg",      "Ahekani", "Mareri", "Margach", "Hrotich", "Aweleach"};
constexpr MonthList kCopticMonths = {"Tut",        "Babah",   "Hatur",   "Kiyahk", "Tubah", "Amshir", "Baramhat",
                                     "Baramundah", "Bashans", "Ba'unah", "Abib",   "Misra", "al-Nasi"};
constexpr MonthList kEgyptianMonths = {"Thoth",     "Phaophi", "Athyr", "Choiak", "Tybi",   "Mechir",    "Phamenoth",
                                       "Pharmuthi", "Pachon",  "Payni", "Epiphi", "Mesori", "Epagomenai"};
constexpr MonthList kEthiopicMonths = {"Maskaram", "Teqemt", "Kehdar", "Takhsas", "Ter",    "Yakatit", "Magabit",
                                       "Miyazya",  "Genbot", "Sane",   "Hamle",   "Nahase", "Paguemen"};
constexpr MonthList kYazdegerdMonths = {"Farvardin", "Ordibehesht", "Xordad", "Tir",    "Mordad", "Shahrivar", "Mehr",
                                        "Aban",      "Azar",        "Dey",    "Bahman", "Esfand", "Andarjah"};

constexpr WeekdayList kArmenianWeekdays = {"Erkoushabathi", "Erekhshabathi", "Chorekhshabathi", "Hingshabathi",
                                           "Urbath",        "Shabath",       "Miashabathi"};
constexpr WeekdayList kCopticWeekdays = {"Pesnau", "Pshoment", "Peftoou", "Ptiou", "Psoou", "Psabbaton", "Tkyriaka"};
constexpr WeekdayList kEthiopicWeekdays = {"Sanyo", "Maksanyo", "Rob", "Hamus", "Arb", "Kidamme", "Ihud"};

// Epochs: 1/1/1 in the proleptic Julian calendar. Armenian 11 July 552,
// Egyptian (era of Nabonassar) 26 February -746, Yazdegerd 16 June 632, Coptic
// (era of the Martyrs) 29 August 284, Ethiopic 29 August 8; the Coptic and
// Ethiopic epochs lie a quarter day earlier, at 18:00 of the day before.
constexpr EgyptianType kArmenian = {1922867.5, false, 0.5, &kArmenianMonths, &kArmenianWeekdays};
constexpr EgyptianType kEgyptian = {1448637.5, false, 0.5, &kEgyptianMonths, nullptr};
constexpr EgyptianType kYazdegerd = {1952062.5, false, 0.5, &kYazdegerdMonths, nullptr};
constexpr EgyptianType kCoptic = {1825029.25, true, 0.75, &kCopticMonths, &kCopticWeekdays};
constexpr EgyptianType kEthiopic = {1724220.25, true, 0.75, &kEthiopicMonths, &kEthiopicWeekdays};

// The month names double as the keyword table of the month argument.
constexpr KeywordTable month_table(const EgyptianType& cal) noexcept {
  return {13, nullptr, cal.months->data(), cal.months->data()};
}

int32_t leap(const EgyptianType& cal, int32_t year) noexcept {
  return cal.quadrennial && mod_floor(year, 4) == 3 ? 1 : 0;
}

// Days from the epoch to the start of `year`, plus 365 (the bases of to_jd and
// year_start take the 365 off again): 365 * year, or floor(1461 * year / 4),
// which puts the leap day at the end of every year with year mod 4 = 3.
// 64-bit: 1461 * year overflows 32 bits.
int64_t year_days(const EgyptianType& cal, int32_t year) noexcept {
  return cal.quadrennial ? floor_quot(1461 * int64_t{year}, 4) : 365 * int64_t{year};
}

JulianDay to_jd(const EgyptianType& cal, int32_t year, int32_t month, double day) noexcept {
  // to_jd base = epoch - 396: year 1 contributes 365, month 1 contributes 30, day 1 contributes 1.
  return day + static_cast<double>(year_days(cal, year) + 30 * int64_t{month}) + (cal.epoch - 396.0);
}

JulianDay year_start(const EgyptianType& cal, int32_t year) noexcept {
  return static_cast<double>(year_days(cal, year)) + (cal.epoch - 365.0);
}

CalendarDate from_jd(const EgyptianType& cal, JulianDay jd) noexcept {
  const double f = jd - cal.epoch;  // days since the epoch, with the time since the day began
  const int64_t n = ifloor(f);      // whole days; saturates far outside every date range
  if (!cal.quadrennial) {
    const FloorDiv y = floor_div(n, 365);  // y.rem: day of the year [0, 364]
    const int64_t m0 = y.rem / 30;         // [0, 12]
    return {static_cast<int32_t>(y.quot + 1), static_cast<int32_t>(m0 + 1),
            f - static_cast<double>(365 * y.quot) - static_cast<double>(30 * m0) + 1.0};
  }
  // Four years of 1461 days; the leap year is the last of each group (year mod 4 = 3).
  const int64_t year = floor_quot(4 * n + 1463, 1461);
  const int64_t d = n - floor_quot(1461 * year - 1580, 4);  // day of the year + 30: [30, 395]
  const int64_t month = d / 30;                             // [1, 13]
  return {static_cast<int32_t>(year), static_cast<int32_t>(month),
          (f - static_cast<double>(n)) + static_cast<double>(d - (30 * month - 1))};
}

// Name of a weekday index; weekday_index can round a remainder just below 7 up
// to 7, which is the last day of the week.
const char* weekday_name(const WeekdayList& names, int32_t index) noexcept {
  if (index == 7) index = 6;
  return index >= 0 && index < 7 ? names[static_cast<size_t>(index)] : "";
}

int format_date(const EgyptianType& cal, char* out, JulianDay jd, int32_t mode) noexcept {
  const CalendarDate date = from_jd(cal, jd);
  if (mode <= 0) return format_numeric_date(out, date, mode);
  const char* month = date.month >= 1 && date.month <= 13 ? (*cal.months)[static_cast<size_t>(date.month - 1)] : "";
  if (cal.weekdays == nullptr) {
    return format_text(out, "%d %s %ld", ifloor(date.day), month, static_cast<long>(date.year));
  }
  return format_text(out, "%s, %d %s %ld", weekday_name(*cal.weekdays, weekday_index(jd, cal.weekday_shift)),
                     ifloor(date.day), month, static_cast<long>(date.year));
}

}  // namespace egyptian_type
}  // namespace

// Each calendar binds the shared operations to its constants.
namespace {
constexpr const egyptian_type::EgyptianType& constants(EgyptianTypeYear year) noexcept {
  switch (year) {
    case EgyptianTypeYear::armenian: return egyptian_type::kArmenian;
    case EgyptianTypeYear::egyptian: return egyptian_type::kEgyptian;
    case EgyptianTypeYear::yazdegerd: return egyptian_type::kYazdegerd;
    case EgyptianTypeYear::coptic: return egyptian_type::kCoptic;
    case EgyptianTypeYear::ethiopic: break;
  }
  return egyptian_type::kEthiopic;
}
}  // namespace

template <EgyptianTypeYear Y>
const KeywordTable EgyptianTypeCalendar<Y>::month_names = egyptian_type::month_table(constants(Y));
int32_t family_is_leap_year(EgyptianTypeYear member, int32_t year) noexcept {
  return egyptian_type::leap(constants(member), year);
}
JulianDay family_to_jd(EgyptianTypeYear member, int32_t year, int32_t month, double day) noexcept {
  return egyptian_type::to_jd(constants(member), year, month, day);
}
CalendarDate family_from_jd(EgyptianTypeYear member, JulianDay jd) noexcept {
  return egyptian_type::from_jd(constants(member), jd);
}
JulianDay family_year_start(EgyptianTypeYear member, int32_t year) noexcept {
  return egyptian_type::year_start(constants(member), year);
}
bool family_anchor_year_fits(EgyptianTypeYear member, int64_t year) noexcept {
  return product_in_int32_range(constants(member).quadrennial ? 1461 : 365, year);
}
int family_format_date(EgyptianTypeYear member, char* out, JulianDay jd, int32_t mode) noexcept {
  return egyptian_type::format_date(constants(member), out, jd, mode);
}

template struct EgyptianTypeCalendar<EgyptianTypeYear::armenian>;
template struct EgyptianTypeCalendar<EgyptianTypeYear::egyptian>;
template struct EgyptianTypeCalendar<EgyptianTypeYear::yazdegerd>;
template struct EgyptianTypeCalendar<EgyptianTypeYear::coptic>;
template struct EgyptianTypeCalendar<EgyptianTypeYear::ethiopic>;

}  // namespace varizav
