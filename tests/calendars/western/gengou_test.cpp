#include "calendars/western/gengou.h"

#include <gtest/gtest.h>

#include "calendars/western/gregorian.h"
#include "calendars/western/western_test_support.h"
#include "framework/keyword.h"
#include "named_text.h"

namespace varizav {

using testing::named;
namespace {

using testing::jdn_gregorian;

struct Era {
  const char* name;
  int32_t year, month, day;  // Gregorian first day
  int32_t offset;            // Gregorian year = offset + era year
};
// The era list with its Gregorian first days (Jimmu 660 BC = -659).
constexpr Era kEras[kGengouEraCount] = {
    {"Jimmu", -659, 1, 1, -660},  {"Kyowa", 1801, 1, 1, 1800},   {"Bunkwa", 1804, 1, 1, 1803},
    {"Bunsei", 1818, 1, 1, 1817}, {"Tempo", 1830, 1, 1, 1829},   {"Kokwa", 1844, 1, 1, 1843},
    {"Kaei", 1848, 1, 1, 1847},   {"Ansei", 1854, 1, 1, 1853},   {"Man-en", 1860, 1, 1, 1859},
    {"Bunkyu", 1861, 1, 1, 1860}, {"Genji", 1864, 1, 1, 1863},   {"Keio", 1865, 1, 1, 1864},
    {"Meiji", 1868, 9, 8, 1867},  {"Taisho", 1912, 7, 30, 1911}, {"Showa", 1926, 12, 25, 1925},
    {"Heisei", 1989, 1, 8, 1988}, {"Reiwa", 2019, 5, 1, 2018},
};

TEST(Gengou, EachEraBeginsOnItsFirstDay) {
  // Independent: first days by the Fliegel & Van Flandern day count; the day
  // before belongs to the era before (Jimmu has none before it).
  for (int16_t n = 0; n < kGengouEraCount; ++n) {
    const Era& e = kEras[n];
    const JulianDay first = static_cast<double>(jdn_gregorian(e.year, e.month, e.day)) - 0.5;
    const GengouDate d = gengou::from_jd(first);
    EXPECT_EQ(d.era, n) << e.name;
    EXPECT_EQ(d.year, e.year + 660) << e.name;
    EXPECT_EQ(d.year - 660 - e.offset, 1) << e.name << ": the first year of the era";
    EXPECT_EQ(gengou::from_jd(first - 1.0).era, n == 0 ? 0 : n - 1) << e.name;
    EXPECT_EQ(gengou::to_jd({1, static_cast<int16_t>(e.month), n, static_cast<double>(e.day)}), first) << e.name;
    EXPECT_EQ(keyword_lookup(named(e.name), gengou_era_names), n + 1) << e.name;
  }
}

TEST(Gengou, KnownDates) {
  struct Case {
    int32_t gy, gm, gd;  // Gregorian date
    int16_t era;
    int32_t era_year;
    const char* source;
  };
  const Case cases[] = {
      {1989, 1, 7, 14, 64, "independent: Showa 64 ended on 7 January 1989"},
      {1989, 1, 8, 15, 1, "independent: Heisei began on 8 January 1989"},
      {1800, 12, 31, 0, 2460, "defined: the Jimmu count, Gregorian + 660"},
      {2000, 1, 1, 15, 12, "independent: Heisei 1 is 1989"},
      {1868, 9, 7, 11, 4, "independent: the last day of Keio"},
      {-1000, 6, 1, 0, -340, "independent: Jimmu years before the foundation are negative"},
      {2019, 4, 30, 15, 31, "independent: the last day of Heisei"},
      {2019, 5, 1, 16, 1, "independent: Reiwa 1 begins on 1 May 2019"},
      {2026, 12, 8, 16, 8, "independent: Reiwa 8"},
  };
  for (const Case& c : cases) {
    const GengouDate d = gengou::from_jd(gregorian::to_jd(c.gy, c.gm, c.gd));
    EXPECT_EQ(d.era, c.era) << c.source;
    EXPECT_EQ(d.year - 660 - kEras[c.era].offset, c.era_year) << c.source;
    EXPECT_EQ(d.month, c.gm) << c.source;
    EXPECT_EQ(d.day, c.gd) << c.source;
    EXPECT_EQ(gengou::to_jd({c.era_year, static_cast<int16_t>(c.gm), c.era, static_cast<double>(c.gd)}),
              gregorian::to_jd(c.gy, c.gm, c.gd))
        << c.source;
  }
  // Defined: the era year is not checked against the era's span (Meiji 1 is 1868).
  EXPECT_EQ(gengou::to_jd({100, 1, 12, 1.0}), gregorian::to_jd(1967, 1, 1.0));
}

TEST(Gengou, RoundTripsThroughTheEraYear) {
  // Property: every day of -1000..2100 comes back from its era, era year,
  // month and day, with the time of day (0.8125, exact in binary).
  const double first = gregorian::to_jd(-1000, 1, 1.0);
  const double last = gregorian::to_jd(2100, 1, 1.0);
  for (double jd = first; jd < last; jd += 1.0) {
    const GengouDate d = gengou::from_jd(jd + 0.8125);
    const int32_t era_year = d.year - 660 - kEras[d.era].offset;
    ASSERT_EQ(gengou::to_jd({era_year, d.month, d.era, d.day}), jd + 0.8125) << "jd " << jd;
  }
}

TEST(Gengou, LeapYearsAndYearStartInJimmuYears) {
  // Independent: Jimmu-count year y is Gregorian year y - 660.
  EXPECT_EQ(gengou::is_leap_year(2660), 1);  // 2000
  EXPECT_EQ(gengou::is_leap_year(2560), 0);  // 1900
  EXPECT_EQ(gengou::is_leap_year(660), 1);   // year 0
  for (int32_t y = -3000; y <= 5000; ++y) {
    ASSERT_EQ(gengou::is_leap_year(y), gregorian::is_leap_year(y - 660)) << y;
    ASSERT_EQ(gengou::year_start(y), gregorian_new_year(y - 660)) << y;
  }
  // The Gregorian year of the lowest Jimmu year lies below the 32-bit range.
  EXPECT_EQ(gengou::is_leap_year(-2147483647 - 1) != 0, testing::leap_gregorian(-2147483648LL - 660));
  EXPECT_EQ(gengou::is_leap_year(2147483647) != 0, testing::leap_gregorian(2147483647LL - 660));
}

TEST(Gengou, EraNameLookup) {
  struct Case {
    const char* text;
    int32_t entry;
  };
  // Independent: entries in list order; hyphens are ignored in text and name.
  const Case cases[] = {{"Heisei", 16}, {"16", 16}, {"1", 1},   {"man-en", 9}, {"Manen", 9},
                        {"K", 2},       {"ke", 12}, {"Sh", 15}, {"bunk", 3},   {"", 0},
                        {"Reiwa", 17},  {"17", 17}, {"r", 17},  {"18", 0},     {"Edo", 0}};
  for (const Case& c : cases) EXPECT_EQ(keyword_lookup(named(c.text), gengou_era_names), c.entry) << c.text;
}

}  // namespace
}  // namespace varizav
