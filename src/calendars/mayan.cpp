#include "calendars/mayan.h"

#include <array>

#include "framework/numeric.h"
#include "framework/text_format.h"

namespace varizav {
namespace {

constexpr std::array<const char*, 19> kHaabMonthNames = {
    "Pop", "Uo",  "Zip", "Zotz",   "Tzec", "Xul", "Yaxkin", "Mol",   "Chen",  "Yax",
    "Zac", "Ceh", "Mac", "Kankin", "Muan", "Pax", "Kayab",  "Cumku", "Uayeb",
};
constexpr std::array<const char*, 20> kTzolkinNames = {
    "Imix",  "Ik", "Akbal", "Kan", "Chicchan", "Cimi", "Manik", "Lamat", "Muluc", "Oc",
    "Chuen", "Eb", "Ben",   "Ix",  "Men",      "Cib",  "Caban", "Eznab", "Cauac", "Ahau",
};

// Unit lengths in days, largest first down to the uinal.
constexpr std::array<int64_t, 7> kUnitDays = {1152000000, 57600000, 2880000, 144000, 7200, 360, 20};

// Day zero of the long count is 4 Ahau 8 Cumku: position 159 of the 260-day
// count from 1 Imix and day 348 of the Haab year from 0 Pop.
constexpr int64_t kTzolkinAtEpoch = 159;
constexpr int64_t kHaabAtEpoch = 348;

constexpr int64_t kCalendarRoundDays = 18980;  // 52 Haab years = 73 Tzolkin cycles
constexpr int64_t kHaabYearDays = 365;
constexpr int64_t kTzolkinCycleDays = 260;

}  // namespace

namespace mayan {

int32_t is_leap_year(int32_t) noexcept { return 0; }

JulianDay to_jd(const MayanDate& date) noexcept {
  // 64 bits: with alautun up to 127 the count reaches about 3e12 days.
  int64_t x = date.alautun;
  for (const int8_t unit : {date.kinchiltun, date.calabtun, date.pictun, date.baktun, date.katun, date.tun}) {
    x = 20 * x + unit;
  }
  x = 18 * x + date.uinal;
  return static_cast<double>(20 * x) + static_cast<double>(date.kin) + kEpochJd;
}

MayanDate from_jd(JulianDay jd) noexcept {
  const double f = jd - kEpochJd;
  const int64_t n = ifloor(f);  // whole days since day zero
  std::array<int8_t, 7> units{};
  int64_t rest = n;
  for (size_t i = 0; i < kUnitDays.size(); ++i) {
    const FloorDiv q = floor_div(rest, kUnitDays[i]);
    units[i] = static_cast<int8_t>(q.quot);  // kinchiltun [-2, 1] for 32-bit n, the others [0, 19]
    rest = q.rem;
  }
  const int64_t haab = mod_floor(n + kHaabAtEpoch, kHaabYearDays);
  MayanDate d{};
  d.alautun = 0;
  d.kinchiltun = units[0];
  d.calabtun = units[1];
  d.pictun = units[2];
  d.baktun = units[3];
  d.katun = units[4];
  d.tun = units[5];
  d.uinal = units[6];
  d.kin = static_cast<float>((f - static_cast<double>(n)) + static_cast<double>(rest));
  d.tzolkin_number = static_cast<int8_t>(mod_floor(n + kTzolkinAtEpoch, 13) + 1);
  d.tzolkin_name = static_cast<int8_t>(mod_floor(n + kTzolkinAtEpoch, 20));
  d.haab_month = static_cast<int8_t>(haab / 20);
  d.haab_day = static_cast<int8_t>(haab % 20);
  return d;
}

CalendarDate calendar_date(JulianDay jd) noexcept {
  const double f = jd - kEpochJd;
  const int64_t n = ifloor(f);
  const FloorDiv tuns = floor_div(n, 360);
  return {static_cast<int32_t>(tuns.quot), static_cast<int32_t>(tuns.rem / 20 + 1),
          (f - static_cast<double>(n)) + static_cast<double>(tuns.rem % 20 + 1)};
}

int format_date(char* out, JulianDay jd, int32_t mode) noexcept {
  const MayanDate d = from_jd(jd);
  if (mode < 0) {
    return format_text(out, "%d.%d.%d.%d.%d.%d.%d.%d.%f: %d %d: %d %d", d.alautun, d.kinchiltun, d.calabtun, d.pictun,
                       d.baktun, d.katun, d.tun, d.uinal, static_cast<double>(d.kin), d.haab_day, d.haab_month + 1,
                       d.tzolkin_number, d.tzolkin_name + 1);
  }
  // The units above the baktun, from the first non-zero one on, each with its
  // point ("1.0." for calabtun 1, pictun 0); at most 4 * 5 characters.
  char prefix[kTextCapacity];
  int length = 0;
  bool started = false;
  for (const int8_t unit : {d.alautun, d.kinchiltun, d.calabtun, d.pictun}) {
    started = started || unit != 0;
    if (started) length = put_text(prefix, put_integer(prefix, length, unit), ".");
  }
  prefix[length] = '\0';
  const double kin = d.kin;
  if (mode > 0) {
    return format_text(out, "%s%d.%d.%d.%d.%.0f: %d %s: %d %s", prefix, d.baktun, d.katun, d.tun, d.uinal, kin,
                       d.haab_day, kHaabMonthNames[static_cast<size_t>(d.haab_month)], d.tzolkin_number,
                       kTzolkinNames[static_cast<size_t>(d.tzolkin_name)]);
  }
  return format_text(out, "%s%d.%d.%d.%d.%.0f: %d %d: %d %d", prefix, d.baktun, d.katun, d.tun, d.uinal, kin,
                     d.haab_day, d.haab_month + 1, d.tzolkin_number, d.tzolkin_name + 1);
}

JulianDay calendar_round_start(int32_t cycle) noexcept {
  return static_cast<double>(kCalendarRoundDays * cycle) + kEpochJd;
}

JulianDay haab_year_start(int32_t cycle) noexcept {
  return static_cast<double>(kHaabYearDays * cycle) + (kEpochJd - static_cast<double>(kHaabAtEpoch));
}

JulianDay tzolkin_cycle_start(int32_t cycle) noexcept {
  return static_cast<double>(kTzolkinCycleDays * cycle) + (kEpochJd - static_cast<double>(kTzolkinAtEpoch));
}

bool calendar_round_fits(int64_t cycle) noexcept { return product_in_int32_range(kCalendarRoundDays, cycle); }
bool haab_year_fits(int64_t cycle) noexcept { return product_in_int32_range(kHaabYearDays, cycle); }
bool tzolkin_cycle_fits(int64_t cycle) noexcept { return product_in_int32_range(kTzolkinCycleDays, cycle); }

int32_t cycle_in_progress(Cycle cycle, JulianDay now) noexcept {
  // Whole days from day zero to now, counted from the cycle's own start
  // before day zero, divided truncating toward zero (the count is positive
  // for any present-day clock).
  const auto count = [now](int64_t length, int64_t start_before_epoch) {
    return static_cast<int32_t>((ifloor64(now - kEpochJd) + start_before_epoch) / length);
  };
  switch (cycle) {
    case Cycle::calendar_round: return count(kCalendarRoundDays, 0);
    case Cycle::haab_year: return count(kHaabYearDays, kHaabAtEpoch);
    case Cycle::tzolkin: return count(kTzolkinCycleDays, kTzolkinAtEpoch);
  }
  return 0;
}

}  // namespace mayan
}  // namespace varizav
