// The Western calendars' worksheet functions as a host calls them: through
// the C interface, with numbers and texts behind pointers.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

#include "calendars/western/western_test_support.h"
#include "expect_error.h"
#include "varizav/addin.h"

namespace varizav {
namespace {

using testing::jdn_gregorian;
using testing::jdn_julian;
using testing::LanguageScope;

using testing::expect_error;
using testing::is_error_value;
using testing::kError;
constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

// Sources of the expected values: dates by the Julian Day numbers of
// Fliegel & Van Flandern (jdn_gregorian, jdn_julian; 36526 is 1 January 2000),
// ISO weeks by the rules of ISO 8601; "defined:" rows check the functions'
// defined handling of their arguments.
constexpr const char* kFliegel = "independent: Fliegel & Van Flandern";
constexpr const char* kIsoWeek = "independent: ISO 8601, 1 January 2005 is 2004-W53-6";

// Serial date of 0h of a day given by its Julian Day number (noon).
constexpr double serial_of(int64_t jdn) { return static_cast<double>(jdn) - 2415019.0; }

void expect_result(double got, double want, const char* what) {
  if (is_error_value(want)) {
    expect_error(got, what);
  } else if (std::isnan(want)) {
    EXPECT_TRUE(std::isnan(got)) << what << ": want a NaN, got " << got;
  } else {
    EXPECT_NEAR(got, want, 1e-9) << what;
  }
}

using YearMonthDayFn = void (*)(double*, const double*, const char*, const double*);

struct ConverterCase {
  YearMonthDayFn fn;
  double year;
  const char* month;
  double day;
  bool english;
  double want;
  const char* source;
};

void run(const ConverterCase* begin, const ConverterCase* end) {
  for (const ConverterCase* c = begin; c != end; ++c) {
    LanguageScope language(c->english);
    double result = 0.0;
    c->fn(&result, &c->year, c->month, &c->day);
    expect_result(result, c->want, c->source);
  }
}

TEST(WesternConverters, GregorianLookupsAndBounds) {
  // 0h of the 1st of months of 2001.
  const double jan1 = serial_of(jdn_gregorian(2001, 1, 1));
  const double mar1 = serial_of(jdn_gregorian(2001, 3, 1));
  const double may1 = serial_of(jdn_gregorian(2001, 5, 1));
  const double jun1 = serial_of(jdn_gregorian(2001, 6, 1));
  const double oct1 = serial_of(jdn_gregorian(2001, 10, 1));
  const double dec1 = serial_of(jdn_gregorian(2001, 12, 1));
  const ConverterCase cases[] = {
      {SC_gregorian, 2000, "January", 1, true, 36526, kFliegel},
      {SC_gregorian, 2001, "Feb", 30, true, serial_of(jdn_gregorian(2001, 3, 2)),
       "defined: a day past the month's end counts on"},
      {SC_gregorian, 2001, "Feb", 31.99, true, serial_of(jdn_gregorian(2001, 3, 3)) + 0.99,
       "defined: a day past the month's end counts on, with its fraction"},
      {SC_gregorian, 2001, "Feb", 32, true, kError, "defined: the day bound 32"},
      {SC_gregorian, 2001, "Feb", 0.999, true, kError, "a day below 1"},
      {SC_gregorian, 2001, "Feb", -5, true, kError, "a negative day"},
      {SC_gregorian, 2001, "Feb", kNotANumber, true, kNotANumber, "a NaN day passes and gives NaN"},
      {SC_gregorian, 2001, "13", 1, true, kError, "defined: month 13 rejected"},
      {SC_gregorian, 2001, "-1", 1, true, kError, "defined: month -1 rejected"},
      {SC_gregorian, 2001, "0", 1, true, kError, "month 0"},
      {SC_gregorian, 2001, "", 1, true, kError, "the empty month"},
      {SC_gregorian, 2001, "Dec.", 1, true, kError, "defined: a full stop behind an abbreviation is no name"},
      {SC_gregorian, 2001, "de-cember", 1, true, dec1, "defined: the lookup skips what is not a letter"},
      {SC_gregorian, 2001, "december ", 1, true, dec1, "defined: the lookup ignores a trailing blank"},
      {SC_gregorian, 2001, "12", 1, false, dec1, "numbers in both languages"},
      {SC_gregorian, 2001, "Ma", 1, true, mar1, "defined: the first English name 'Ma' abbreviates is March"},
      {SC_gregorian, 2001, "Ma", 1, false, may1, "defined: in German 'Ma' is Mai (M\xE4rz has an umlaut)"},
      {SC_gregorian, 2001, "Mar", 1, false, kError, "defined: no German month begins with Mar"},
      {SC_gregorian, 2001, "M\xE4r", 1, false, mar1, "independent: M\xE4rz"},
      {SC_gregorian, 2001, "M\xC4RZ", 1, false, mar1, "independent: folded"},
      {SC_gregorian, 2001, "j", 1, true, jan1, "defined: 'j' abbreviates January, the first match"},
      {SC_gregorian, 2001, "jun", 1, false, jun1, "defined: 'jun' abbreviates Juni"},
      {SC_gregorian, 2001, "Okt", 1, false, oct1, "independent: German"},
      {SC_gregorian, 2001, "Okt", 1, true, kError, "independent: not an English name"},
      {SC_gregorian, 2000.9, "Jan", 1, true, 36526, "independent: the year truncates"},
      {SC_gregorian, -0.5, "Mar", 1, true, serial_of(jdn_gregorian(0, 3, 1)), "independent: toward zero"},
      {SC_gregorian, kNotANumber, "Jan", 1, true, kError, "a NaN year"},
      {SC_gregorian, 2147483648.0, "Jan", 1, true, kError, "a year beyond 32 bits"},
      {SC_gregorian, -2147483649.0, "Jan", 1, true, kError, "a year below 32 bits"},
      {SC_gregorian, 2147483647.5, "Mar", 1, true, serial_of(jdn_gregorian(2147483647, 3, 1)), "independent"},
      {SC_gregorian, -2147483648.0, "Mar", 1, true, serial_of(jdn_gregorian(-2147483648LL, 3, 1)), "independent"},
  };
  run(std::begin(cases), std::end(cases));
}

TEST(WesternConverters, YearProportionalProductsDoNotOverflow) {
  // Independent: 1461 * 1469873 exceeds 2^31; 1469873 is a common year.
  const double y1 = 1469873, y0 = 1469872, day = 1;
  double a = 0, b = 0;
  SC_gregorian(&a, &y1, "3", &day);
  SC_gregorian(&b, &y0, "3", &day);
  EXPECT_EQ(a - b, 365.0);
  SC_julian(&a, &y1, "3", &day);
  SC_julian(&b, &y0, "3", &day);
  EXPECT_EQ(a - b, 365.0);
}

TEST(WesternConverters, JulianAndTheEraOffsetCalendars) {
  const double oct1_2000_julian = serial_of(jdn_julian(2000, 10, 1));
  const ConverterCase cases[] = {
      {SC_julian, 1582, "October", 4, true, -115859,
       "independent: Julian 4 October 1582 is JulianDay 2299159.5 (Fliegel & Van Flandern)"},
      {SC_julian, 1999, "Dezember", 19, false, 36526, kFliegel},
      {SC_julian, 1999, "Dec", 32, true, kError, "the day bound 32"},
      {SC_julian, 1999, "13", 1, true, kError, "month 13"},
      {SC_buddhist, 2543, "January", 1, true, 36526, "defined: Buddhist year = Gregorian + 543"},
      {SC_buddhist, 2543, "Januar", 32, false, kError, "the day bound 32"},
      {SC_taiwanese, 89, "1", 1, true, 36526, "defined: Minguo year = Gregorian - 1911"},
      {SC_taiwanese, 0, "Jan", 1, true, serial_of(jdn_gregorian(1911, 1, 1)), "defined: Minguo year 0 is 1911"},
      {SC_taiwanese, 89, "0", 1, true, kError, "month 0"},
      {SC_byzantine, 7508, "December", 19, true, 36526, "defined: Byzantine year = Julian year + 5509"},
      {SC_byzantine, 7508, "December", 0.5, true, kError, "a day below 1"},
      {SC_seleucid, 2312, "October", 1, true, oct1_2000_julian, "defined: Seleucid year = Julian year + 312"},
      {SC_seleucid, 2312, "Oktober", 1, false, oct1_2000_julian, "German month names"},
      {SC_seleucid, kNotANumber, "October", 1, true, kError, "a NaN year"},
      {SC_syrian, 2312, "1", 1, true, oct1_2000_julian, "defined: Syrian month 1 is Tishrin I, October"},
      {SC_syrian, 2312, "Tishrin I", 1, false, oct1_2000_julian,
       "defined: one list of Syrian names for both languages"},
      {SC_syrian, 2313, "Kanun II", 1, true, serial_of(jdn_julian(2001, 1, 1)),
       "defined: Syrian year = Julian year + 312; Kanun II is January"},
      {SC_syrian, 2313, "Aylul", 31, true, serial_of(jdn_julian(2001, 10, 1)), "independent: counts on"},
      {SC_syrian, 2312, "October", 1, true, kError, "not a Syrian month name"},
      {SC_syrian, 2312, "13", 1, true, kError, "month 13"},
      {SC_syrian, 2312, "1", 32, true, kError, "the day bound 32"},
      {SC_syrian, 1e10, "1", 1, true, kError, "a year beyond 32 bits"},
  };
  run(std::begin(cases), std::end(cases));
}

TEST(WesternConverters, Iso8601) {
  struct Case {
    double year, week;
    const char* day;
    bool english;
    double want;
    const char* source;
  };
  const double jan1_2005 = serial_of(jdn_gregorian(2005, 1, 1));
  const Case cases[] = {
      {2004, 53, "Sat", true, jan1_2005, kIsoWeek},
      {2004, 53, "6", true, jan1_2005, kIsoWeek},
      {2004, 53, "Sat", false, kError, "independent: German has Samstag, \"Sat\" is no weekday"},
      {2004, 53, "sa", false, jan1_2005, "independent: Samstag"},
      {2004, 53, "0", true, kError, "defined: day 0 rejected"},
      {2004, 53, "6.5", true, jan1_2005 + 0.5, "independent: noon"},
      {2004, 53, " 6", true, jan1_2005, "independent: leading blanks"},
      {2004, 53, "+6", true, jan1_2005, "independent: a sign"},
      {2004, 53, "6th", true, jan1_2005, "independent: the number ends at the first letter"},
      {2004, 53, "0.6e1", true, jan1_2005, "independent: an exponent"},
      {2004, 53, "7.999", true, jan1_2005 + 1.999, "the day bound is 8: Sunday, 23:58"},
      {2004, 53, "8", true, kError, "the day bound is 8"},
      {2004, 53, "-1", true, kError, "a negative day"},
      {2004, 53, "0x6", true, kError, "no hexadecimal numbers"},
      {2004, 53, "nan", true, kError, "no NaN text"},
      {2004, 53, "", true, kError, "the empty day"},
      {2004, 53, "M", false, jan1_2005 - 5.0, "independent: Montag"},
      {2004, 1, "Monday", true, serial_of(jdn_gregorian(2003, 12, 29)),
       "independent: ISO 8601, 2004-W01-1 is Monday 29 December 2003"},
      {2004, 53.9, "6", true, jan1_2005, "independent: the week truncates"},
      {2004, 54, "1", true, kError, "week 54"},
      {2004, 0.9, "1", true, kError, "week 0"},
      {2004, kNotANumber, "1", true, kError, "a NaN week"},
      {2004, 1e12, "1", true, kError, "a huge week"},
      {2005, 53, "1", true, serial_of(jdn_gregorian(2006, 1, 2)), "independent: week 53 of a 52-week year"},
      {kNotANumber, 1, "1", true, kError, "a NaN year"},
      {-3e9, 1, "1", true, kError, "a year below 32 bits"},
  };
  for (const Case& c : cases) {
    LanguageScope language(c.english);
    double result = 0.0;
    SC_iso8601(&result, &c.year, &c.week, c.day);
    expect_result(result, c.want, c.source);
  }
}

TEST(WesternConverters, Gengou) {
  struct Case {
    const char* era;
    double year;
    const char* month;
    double day;
    bool english;
    double want;
    const char* source;
  };
  const Case cases[] = {
      {"Heisei", 12, "Jan", 1, true, 36526, "independent: Heisei 1 is 1989, Heisei 12 is 2000"},
      {"16", 12, "1", 1, true, 36526, "defined: era-table entry 16 is Heisei"},
      {"no such era", 2660, "Jan", 1, true, 36526, "defined: an unknown era counts years from Jimmu, 660 BC"},
      {"", 2660, "Januar", 1, false, 36526, "independent: the empty era is Jimmu too"},
      {"Meiji", 100, "January", 1, true, serial_of(jdn_gregorian(1967, 1, 1)),
       "independent: Meiji 1 is 1868, Meiji 100 is 1967"},
      {"Showa", 64, "January", 7, true, serial_of(jdn_gregorian(1989, 1, 7)),
       "independent: Showa ended on 7 January 1989"},
      {"man-en", 1, "M\xE4rz", 1, false, serial_of(jdn_gregorian(1860, 3, 1)), "independent"},
      {"Reiwa", 1, "May", 1, true, 43586, "independent: Reiwa began on 1 May 2019"},
      {"17", 1, "5", 1, true, 43586, "independent: era-table entry 17"},
      {"Heisei", 12, "13", 1, true, kError, "month 13"},
      {"Heisei", 12, "", 1, true, kError, "the empty month"},
      {"Heisei", 12, "Jan", 32, true, kError, "the day bound 32"},
      {"Heisei", 12, "Jan", 0.5, true, kError, "a day below 1"},
      {"Heisei", 12, "Jan", kNotANumber, true, kNotANumber, "a NaN day gives NaN"},
      {"Heisei", kNotANumber, "Jan", 1, true, kError, "a NaN year"},
      {"Heisei", 2147483647, "Mar", 1, true, serial_of(jdn_gregorian(2147483647LL + 1988, 3, 1)),
       "independent: the Gregorian year leaves 32 bits"},
  };
  for (const Case& c : cases) {
    LanguageScope language(c.english);
    double result = 0.0;
    SC_gengou(&result, c.era, &c.year, c.month, &c.day);
    expect_result(result, c.want, c.source);
  }
}

TEST(WesternConverters, Latin) {
  struct Case {
    double year;
    const char* month;
    const char* division;
    const char* day;
    double want;
    const char* source;
  };
  const double feb24 = serial_of(jdn_julian(2000, 2, 24));
  const double mar1 = serial_of(jdn_julian(2000, 3, 1));
  const Case cases[] = {
      {2000, "Martius", "Kalendas", "bis VI", feb24, "independent: bis sextum Kal. Mar., 24 February of a leap year"},
      {2000, "Martius", "Kalendas", "VI", feb24 + 1.0, "independent: a.d. VI Kal. Mar. is 25 February of a leap year"},
      {2000, "Martius", "Kalendas", "pridie", mar1 - 1.0,
       "independent: pridie Kal. Mar. is 29 February of a leap year"},
      {2000, "Martius", "Kalendas", "", mar1, "independent: the Kalends of March"},
      {2000, "Martius", "Kalendas", "1.5", mar1 + 0.5, "defined: a fractional count carries the time of day"},
      {2000, "Martius", "Kalendas", "1", mar1, "defined: count 1 is the division day itself"},
      {2000, "Martius", "Kalendas", "0", feb24, "independent: count 0"},
      {2000, "Martius", "Kalendas", "bis sextum", feb24, "independent: no count name, count 0"},
      {2000, "Martius", "Kalendas", "nonsense", feb24, "independent: not rejected, count 0"},
      {2000, "Martius", "Kalendas", "7", feb24 - 1.0, "independent: a.d. VII Kal. Mar."},
      {2000, "Martius", "Idus", "", serial_of(jdn_julian(2000, 3, 15)), "independent: the Ides of March"},
      {2000, "3", "2", "2", serial_of(jdn_julian(2000, 3, 14)), "independent: numbers for names"},
      {2000, "Januarius", "Nonas", "III", serial_of(jdn_julian(2000, 1, 3)), "independent"},
      {1999, "Januarius", "Kalendas", "XIV", 36526,
       "independent: a.d. XIV Kal. Ian. is 19 December; the year is that of the day"},
      {2000, "Januarius", "Kalendas", "XIV", serial_of(jdn_julian(2000, 12, 19)), "independent: not the year named"},
      {1999, "Martius", "Kalendas", "bis VI", serial_of(jdn_julian(1999, 2, 2)),
       "defined: count 0 in a common year is read as 2 February"},
      {2000, "Martius", "Kalendas", "20.99", mar1 - 20.0 + 0.99, "independent: below 21 accepted, 10 February"},
      {2000, "Martius", "Kalendas", "21", kError, "the count bound 21"},
      {2000, "Martius", "Kalendas", "-1", kError, "a negative count"},
      {2000, "Martius", "Kalenda", "", mar1, "independent: an abbreviation"},
      {2000, "Martius", "Kalendae", "", kError, "not a division point name"},
      {2000, "Martius", "4", "", kError, "division point 4"},
      {2000, "13", "Idus", "", kError, "month 13"},
      {2000, "March", "Idus", "", kError, "not a Roman month name"},
      {kNotANumber, "Martius", "Idus", "", kError, "a NaN year"},
      {5e9, "Martius", "Idus", "", kError, "a year beyond 32 bits"},
  };
  for (const Case& c : cases) {
    double result = 0.0;
    SC_latin(&result, &c.year, c.month, c.division, c.day);
    expect_result(result, c.want, c.source);
  }
}

}  // namespace
}  // namespace varizav
