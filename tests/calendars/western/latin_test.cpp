#include "calendars/western/latin.h"

#include <gtest/gtest.h>

#include <cstring>

#include "calendars/western/julian.h"
#include "calendars/western/western_test_support.h"
#include "framework/keyword.h"
#include "named_text.h"

namespace varizav {

using testing::named;
namespace {

using testing::leap_julian;

// The Roman name of a Julian date by direct counting, independent of the
// position tables: Nones on the 7th in March, May, July and October, else the
// 5th; Ides eight days later; the rest counts to the next Kalends, with
// 24 February doubled in a leap year (bis sextum, count 0).
RomanDate roman_by_counting(int32_t y, int32_t m, int32_t d) {
  const int32_t nones = (m == 3 || m == 5 || m == 7 || m == 10) ? 7 : 5;
  const int32_t ides = nones + 8;
  if (d == 1) return {y, static_cast<int16_t>(m), kKalendae, 1.0};
  if (d <= nones) return {y, static_cast<int16_t>(m), kNonae, static_cast<double>(nones - d + 1)};
  if (d <= ides) return {y, static_cast<int16_t>(m), kIdus, static_cast<double>(ides - d + 1)};
  int32_t count = testing::month_length(m, false) - d + 2;
  if (m == 2 && leap_julian(y)) count = d < 24 ? 30 - d : (d == 24 ? 0 : 31 - d);
  return {y, static_cast<int16_t>(m % 12 + 1), kKalendae, static_cast<double>(count)};
}

TEST(Latin, EveryDayIsNamedAsByCountingAndComesBack) {
  // Independent: the direct count above; property: to_jd inverts from_jd at
  // 0h and at 19:30 (0.8125, exact in binary).
  for (double jd = -1e6 + 0.5; jd <= 4e6; jd += 1.0) {
    const CalendarDate j = julian::from_jd(jd);
    const RomanDate want = roman_by_counting(j.year, j.month, static_cast<int32_t>(j.day));
    const RomanDate got = latin::from_jd(jd);
    ASSERT_TRUE(got.year == want.year && got.month == want.month && got.division == want.division &&
                got.day == want.day)
        << j.year << "-" << j.month << "-" << j.day << ": got " << got.month << "/" << got.division << "/" << got.day
        << " want " << want.month << "/" << want.division << "/" << want.day;
    ASSERT_EQ(latin::to_jd(got), jd) << "jd " << jd;
    const RomanDate t = latin::from_jd(jd + 0.8125);
    ASSERT_EQ(t.day - got.day, 0.8125) << "jd " << jd;
    ASSERT_EQ(latin::to_jd(t), jd + 0.8125) << "jd " << jd;
  }
}

TEST(Latin, RangeLimitsRoundTrip) {
  for (double jd : {kMinAcceptedJd - 0.5, kMinAcceptedJd, kMaxAcceptedJd, kMaxAcceptedJd + 0.5}) {
    EXPECT_EQ(latin::to_jd(latin::from_jd(jd)), jd) << jd;
  }
}

TEST(Latin, KnownDays) {
  struct Case {
    int32_t jy, jm, jd;  // Julian date
    int32_t year, month, division;
    double count;
    const char* source;
  };
  const Case cases[] = {
      {1999, 12, 19, 1999, 1, kKalendae, 14,
       "independent: a.d. XIV Kal. Ian., counted inclusively back from 1 January"},
      {-43, 3, 15, -43, 3, kIdus, 1, "independent: the Ides of March 44 BC (astronomical year -43)"},
      {2000, 2, 24, 2000, 3, kKalendae, 0, "independent: bis sextum, the doubled 24 February of a Julian leap year"},
      {2000, 2, 25, 2000, 3, kKalendae, 6, "independent: a.d. VI Kal. Mar. follows the doubled day in a leap year"},
      {2000, 2, 23, 2000, 3, kKalendae, 7, "independent: a.d. VII Kal. Mar. in a leap year"},
      {1999, 2, 24, 1999, 3, kKalendae, 6, "independent: a.d. VI Kal. Mar. is 24 February in a common year"},
      {2000, 2, 29, 2000, 3, kKalendae, 2, "independent: pridie Kalendas Martias"},
      {2000, 3, 7, 2000, 3, kNonae, 1, "independent: Nones of March on the 7th"},
      {2000, 1, 4, 2000, 1, kNonae, 2, "independent: pridie Nonas"},
      {2000, 1, 14, 2000, 2, kKalendae, 19, "independent: a.d. XIX Kal. Feb."},
      {2000, 4, 30, 2000, 5, kKalendae, 2, "independent: pridie Kalendas Maias"},
      {1999, 12, 31, 1999, 1, kKalendae, 2, "independent: the year stays that of the day"},
  };
  for (const Case& c : cases) {
    const RomanDate r = latin::from_jd(julian::to_jd(c.jy, c.jm, c.jd));
    EXPECT_EQ(r.year, c.year) << c.source;
    EXPECT_EQ(r.month, c.month) << c.source;
    EXPECT_EQ(r.division, c.division) << c.source;
    EXPECT_EQ(r.day, c.count) << c.source;
  }
  // Defined: count 0 in a common year is read as 2 February.
  EXPECT_EQ(latin::to_jd({1999, 3, kKalendae, 0.0}), julian::to_jd(1999, 2, 2.0));
  // Independent: a count that does not exist (XIX Nonas) lands in the month before.
  EXPECT_LT(latin::to_jd({2000, 3, kNonae, 19.0}), julian::to_jd(2000, 3, 1.0));
}

TEST(Latin, TextForms) {
  struct Case {
    int32_t jy, jm, jd;  // Julian date
    int32_t mode;
    const char* text;
    const char* source;
  };
  const Case cases[] = {
      {1999, 12, 19, 1, "XIV Kalendas Januarius 1999", "independent: a.d. XIV Kal. Ian.; the text format's long form"},
      {1999, 12, 19, 0, "XIV Kal. Jan. 1999", "independent: a.d. XIV Kal. Ian.; the text format's short form"},
      {1999, 12, 19, -1, "1999  1 2 14.000000", "defined: the numbers form, month 1, division 2 (Kalendae), count 14"},
      {-43, 3, 15, 1, " Idus Martius -43", "defined: on the division point the count is empty"},
      {-43, 3, 15, 0, " Idu. Mar. -43", "independent: three letters of each name"},
      {2000, 2, 24, 1, "bis sextum Kalendas Martius 2000", "independent: bis sextum Kal. Mar., the doubled day"},
      {2000, 2, 24, 0, "bis VI Kal. Mar. 2000", "independent: bis sextum Kal. Mar., short form"},
      {2000, 2, 24, -1, "2000  3 2 0.000000", "independent"},
      {2000, 2, 29, 1, "pridie Kalendas Martius 2000", "independent"},
      {2000, 1, 3, 0, "III Non. Jan. 2000", "independent"},
      {2000, 4, 14, 1, "XVIII Kalendas Maius 2000", "independent: the longest count names"},
      {2000, 5, 1, 0, " Kal. Mai. 2000", "independent"},
      {2000, 8, 5, 0, " Non. Aug. 2000", "independent"},
      {2000, 9, 14, 0, "XVIII Kal. Okt. 2000", "independent"},
      {2000, 11, 30, 0, "pridie Kal. Dez. 2000", "independent"},
  };
  for (const Case& c : cases) {
    char out[kTextCapacity];
    const int n = latin::format_date(out, julian::to_jd(c.jy, c.jm, c.jd), c.mode);
    EXPECT_STREQ(out, c.text) << c.source;
    EXPECT_EQ(n, static_cast<int>(std::strlen(c.text))) << c.source;
  }
}

TEST(Latin, KeywordTables) {
  struct Case {
    const KeywordTable* table;
    const char* text;
    int32_t entry;
    const char* source;
  };
  // Independent: entries in list order; the day counts name the count itself
  // (entry n for the numeral n), the empty text the division point.
  const Case cases[] = {
      {&roman_count_names, "", 1, "the empty name is entry 1"},
      {&roman_count_names, "pridie", 2, ""},
      {&roman_count_names, "III", 3, ""},
      {&roman_count_names, "VI", 6, ""},
      {&roman_count_names, "xiv", 14, "case-folded"},
      {&roman_count_names, "XIX", 19, ""},
      {&roman_count_names, "bis VI", 20, "the doubled day"},
      {&roman_count_names, "bis sextum", 0, "the long form is text output only"},
      {&roman_count_names, "XX", 0, "no such count"},
      {&roman_division_names, "Kalendas", 3, ""},
      {&roman_division_names, "Id", 2, ""},
      {&roman_division_names, "n", 1, ""},
      {&roman_division_names, "Kalendae", 0, "only the accusative forms"},
      {&roman_month_names, "Martius", 3, ""},
      {&roman_month_names, "Ma", 3, "Martius before Maius"},
      {&roman_month_names, "Ju", 6, "Junius before Julius"},
      {&roman_month_names, "Aprilus", 4, "the name as listed"},
      {&roman_month_names, "Dez", 12, ""},
      {&roman_month_names, "12", 12, ""},
      {&roman_month_names, "December", 0, "not a name of the list"},
  };
  for (const Case& c : cases) EXPECT_EQ(keyword_lookup(named(c.text), *c.table), c.entry) << c.text << " " << c.source;
}

}  // namespace
}  // namespace varizav
