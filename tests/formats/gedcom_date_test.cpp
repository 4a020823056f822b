#include "formats/gedcom_date.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "calendars/registry.h"
#include "varizav/gedcom.h"

namespace varizav {
namespace {

// Independent day counts: the Julian Day Number of a proleptic Gregorian or
// Julian date (Fliegel and Van Flandern, astronomical years), and the serial
// day of it (serial 0 = 30 December 1899 = JDN 2415019).
int64_t jdn_gregorian(int64_t y, int64_t m, int64_t d) {
  const int64_t a = (14 - m) / 12, yy = y + 4800 - a, mm = m + 12 * a - 3;
  return d + (153 * mm + 2) / 5 + 365 * yy + yy / 4 - yy / 100 + yy / 400 - 32045;
}
int64_t jdn_julian(int64_t y, int64_t m, int64_t d) {
  const int64_t a = (14 - m) / 12, yy = y + 4800 - a, mm = m + 12 * a - 3;
  return d + (153 * mm + 2) / 5 + 365 * yy + yy / 4 - 32083;
}
double g(int64_t y, int64_t m, int64_t d) { return static_cast<double>(jdn_gregorian(y, m, d) - 2415019); }
double j(int64_t y, int64_t m, int64_t d) { return static_cast<double>(jdn_julian(y, m, d) - 2415019); }

struct Case {
  const char* value;
  GedcomKind kind;
  double first;
  double last;
  const char* source;
};

TEST(GedcomDate, ReadsTheDatesOfBothGrammars) {
  const Case cases[] = {
      // GEDCOM 5.5.1: the calendar escapes, dual years, B.C.
      {"@#DJULIAN@ 11 FEB 1731/32", GedcomKind::kExact, g(1732, 2, 22), g(1732, 2, 22), "Washington's birth, N.S."},
      {"@#DHEBREW@ 15 NSN 5784", GedcomKind::kExact, g(2024, 4, 23), g(2024, 4, 23), "first day of Pesach 2024"},
      {"@#DFRENCH R@ 1 VEND 2", GedcomKind::kExact, g(1793, 9, 22), g(1793, 9, 22), "new year of an II"},
      {"@#DGREGORIAN@ 1 JAN 2000", GedcomKind::kExact, g(2000, 1, 1), g(2000, 1, 1), "by the rule"},
      {"11 FEB 1731/32", GedcomKind::kExact, g(1732, 2, 11), g(1732, 2, 11), "dual year, Gregorian"},
      {"FEB 1731/32", GedcomKind::kExact, g(1732, 2, 1), g(1732, 2, 29), "1732 is leap"},
      {"@#DJULIAN@ 1731/32", GedcomKind::kExact, j(1732, 1, 1), j(1732, 3, 24), "1 Jan to Lady Day eve"},
      {"1699/00", GedcomKind::kExact, g(1700, 1, 1), g(1700, 3, 24), "dual year over a century"},
      {"@#DJULIAN@ 15 MAR 44 B.C.", GedcomKind::kExact, j(-43, 3, 15), j(-43, 3, 15), "Ides of March"},
      {"@#DJULIAN@ 44B.C.", GedcomKind::kExact, j(-43, 1, 1), j(-43, 12, 31), "B.C. joined to the year"},
      {"@#DJULIAN@ 29 FEB 1700", GedcomKind::kExact, g(1700, 3, 11), g(1700, 3, 11), "Julian leap day"},
      {"1900", GedcomKind::kExact, g(1900, 1, 1), g(1900, 12, 31), "a year"},
      {"FEB 1900", GedcomKind::kExact, g(1900, 2, 1), g(1900, 2, 28), "1900 is common"},
      {"@#DHEBREW@ 5784", GedcomKind::kExact, g(2023, 9, 16), g(2024, 10, 2), "1 Tishri 5784 .. 29 Elul 5784"},
      {"@#DFRENCH R@ COMP 2", GedcomKind::kExact, g(1794, 9, 17), g(1794, 9, 21), "the five sansculottides"},
      {"ABT 1850", GedcomKind::kAbout, g(1850, 1, 1), g(1850, 12, 31), "qualifier"},
      {"CAL 1850", GedcomKind::kAbout, g(1850, 1, 1), g(1850, 12, 31), "qualifier"},
      {"EST @#DJULIAN@ 1650", GedcomKind::kAbout, j(1650, 1, 1), j(1650, 12, 31), "qualifier and escape"},
      {"BEF 3 MAR 1900", GedcomKind::kBefore, g(1900, 3, 3), g(1900, 3, 3), "range"},
      {"AFT 1900", GedcomKind::kAfter, g(1900, 1, 1), g(1900, 12, 31), "range"},
      {"BET 1850 AND 1860", GedcomKind::kBetween, g(1850, 1, 1), g(1860, 12, 31), "range"},
      {"BET @#DJULIAN@ 1700 AND @#DGREGORIAN@ 1710", GedcomKind::kBetween, j(1700, 1, 1), g(1710, 12, 31),
       "two calendars"},
      {"FROM 1900 TO 1905", GedcomKind::kPeriod, g(1900, 1, 1), g(1905, 12, 31), "period"},
      {"FROM 12 JUN 1900", GedcomKind::kPeriod, g(1900, 6, 12), g(1900, 6, 12), "period"},
      {"TO 1905", GedcomKind::kPeriod, g(1905, 1, 1), g(1905, 12, 31), "period"},
      {"INT 2 JAN 1900 (the day after New Year's Day)", GedcomKind::kInterpreted, g(1900, 1, 2), g(1900, 1, 2),
       "interpreted"},
      {"  abt 1 jan 1900 ", GedcomKind::kAbout, g(1900, 1, 1), g(1900, 1, 1), "any case, blanks"},
      // GEDCOM 7.0: calendar words and the epoch BCE.
      {"JULIAN 11 FEB 1732", GedcomKind::kExact, g(1732, 2, 22), g(1732, 2, 22), "7.0 calendar word"},
      {"GREGORIAN 6 JAN 1700", GedcomKind::kExact, g(1700, 1, 6), g(1700, 1, 6), "7.0"},
      {"HEBREW 1 TSH 5785", GedcomKind::kExact, g(2024, 10, 3), g(2024, 10, 3), "Rosh Hashana 2024"},
      {"FRENCH_R 1 VEND 2", GedcomKind::kExact, g(1793, 9, 22), g(1793, 9, 22), "7.0"},
      {"JULIAN 15 MAR 44 BCE", GedcomKind::kExact, j(-43, 3, 15), j(-43, 3, 15), "7.0 epoch"},
      // The examples of the 7.0 calendars appendix: dual dates and calendars per date.
      {"30 JAN 1649", GedcomKind::kExact, g(1649, 1, 30), g(1649, 1, 30), "7.0 appendix"},
      {"6 DEC 1907", GedcomKind::kExact, g(1907, 12, 6), g(1907, 12, 6), "7.0 appendix"},
      {"BET 1903 AND 1904", GedcomKind::kBetween, g(1903, 1, 1), g(1904, 12, 31), "7.0 appendix"},
      {"FROM 1670 TO 1800", GedcomKind::kPeriod, g(1670, 1, 1), g(1800, 12, 31), "7.0 appendix"},
      {"FROM 1670 TO JULIAN 1800", GedcomKind::kPeriod, g(1670, 1, 1), j(1800, 12, 31), "7.0 appendix"},
      {"FROM JULIAN 1670 TO 1800", GedcomKind::kPeriod, j(1670, 1, 1), g(1800, 12, 31), "7.0 appendix"},
      {"FROM GREGORIAN 1670 TO JULIAN 1800", GedcomKind::kPeriod, g(1670, 1, 1), j(1800, 12, 31), "7.0 appendix"},
      {"BET JULIAN 1 JAN 1700 AND 20 JAN 1700", GedcomKind::kBetween, j(1700, 1, 1), g(1700, 1, 20), "7.0"},
      // Hebrew leap years: 5784 has 13 months, 5783 has 12.
      {"@#DHEBREW@ 1 ADR 5784", GedcomKind::kExact, g(2024, 2, 10), g(2024, 2, 10), "1 Adar I 5784"},
      {"@#DHEBREW@ 30 ADR 5784", GedcomKind::kExact, g(2024, 3, 10), g(2024, 3, 10), "Adar I has 30 days"},
      {"@#DHEBREW@ 14 ADS 5784", GedcomKind::kExact, g(2024, 3, 24), g(2024, 3, 24), "Purim 2024"},
      {"@#DHEBREW@ 14 ADR 5783", GedcomKind::kExact, g(2023, 3, 7), g(2023, 3, 7), "Purim 2023"},
      {"@#DHEBREW@ ADR 5783", GedcomKind::kExact, g(2023, 2, 22), g(2023, 3, 22), "Adar of a common year"},
      // GEDCOM 7.0 writes Adar of a common year ADS (and reads ADR as it).
      {"HEBREW 14 ADS 5783", GedcomKind::kExact, g(2023, 3, 7), g(2023, 3, 7), "Purim 2023, 7.0"},
      {"HEBREW 14 ADR 5783", GedcomKind::kExact, g(2023, 3, 7), g(2023, 3, 7), "Purim 2023, 7.0"},
      {"HEBREW 14 ADS 5784", GedcomKind::kExact, g(2024, 3, 24), g(2024, 3, 24), "Purim 2024, 7.0"},
  };
  for (const Case& c : cases) {
    char reason[kGedcomReasonSize] = "x";
    const GedcomRange r = read_gedcom_date(c.value, reason);
    EXPECT_EQ(r.kind, c.kind) << c.value << ": " << reason << " (" << c.source << ")";
    EXPECT_EQ(r.first, c.first) << c.value << " (" << c.source << ")";
    EXPECT_EQ(r.last, c.last) << c.value << " (" << c.source << ")";
    EXPECT_STREQ(reason, "") << c.value;
  }
}

TEST(GedcomDate, RejectsWhatNamesNoDayWithAReason) {
  // Each text with a word that its reason must quote or name.
  const std::array<std::pair<const char*, const char*>, 23> cases = {{
      {"5 JAN", "needs a year"},
      {"", "empty"},
      {"(about the time of the flood)", "phrase"},
      {"31 APR 2000", "30 days"},
      {"29 FEB 1900", "28 days"},
      {"@#DHEBREW@ 31 NSN 5784", "30 days"},
      {"@#DHEBREW@ 30 ADR 5783", "29 days"},
      {"@#DHEBREW@ 1 ADS 5783", "leap years"},
      {"1 FOO 2000", "'FOO'"},
      {"@#DHEBREW@ 1 JAN 5784", "'JAN'"},
      {"@#DROMAN@ 1 JAN 100", "Roman"},
      {"@#DUNKNOWN@ 1900", "UNKNOWN"},
      {"@#DISLAMIC@ 1 1 1400", "unknown calendar escape"},
      {"_ISLAMIC 1 MUHAR 1400", "_ISLAMIC"},
      {"0", "year 0"},
      {"@#DFRENCH R@ 1 VEND 2 B.C.", "before its era"},
      {"1731/33", "does not follow"},
      {"@#DHEBREW@ 5783/84", "dual year"},
      {"BET 1900", "AND"},
      {"BET 1910 AND 1900", "before the first"},
      {"1900 (a phrase)", "INT"},
      {"1 2 JAN 1900", "too many"},
      {"12345678 AD", "'AD'"},
  }};
  for (const auto& [value, word] : cases) {
    char reason[kGedcomReasonSize] = "";
    const GedcomRange r = read_gedcom_date(value, reason);
    EXPECT_EQ(r.kind, GedcomKind::kInvalid) << value;
    EXPECT_TRUE(std::isnan(r.first) && std::isnan(r.last)) << value;
    EXPECT_NE(std::string(reason).find(word), std::string::npos) << value << ": " << reason;
  }
}

// Property: over many years of each calendar, the months of a year follow one
// another without gap or overlap, span the year exactly, and a month's last
// day parses while the day after it does not.
TEST(GedcomDate, MonthsTileTheirYears) {
  struct Calendar {
    const char* prefix;
    std::array<const char*, 13> months;
    int32_t first_year;
  };
  const Calendar calendars[] = {
      {"", {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC", nullptr}, 1580},
      {"@#DJULIAN@ ",
       {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC", nullptr},
       1580},
      {"@#DHEBREW@ ",
       {"TSH", "CSH", "KSL", "TVT", "SHV", "ADR", "ADS", "NSN", "IYR", "SVN", "TMZ", "AAV", "ELL"},
       5650},
      {"@#DFRENCH R@ ",
       {"VEND", "BRUM", "FRIM", "NIVO", "PLUV", "VENT", "GERM", "FLOR", "PRAI", "MESS", "THER", "FRUC", "COMP"},
       1},
  };
  for (const Calendar& c : calendars) {
    for (int32_t year = c.first_year; year < c.first_year + 420; ++year) {
      // Built by appending: GCC 12 warns falsely (-Wrestrict) on chains of operator+.
      const auto value = [&](const std::string& day, const char* month) {
        std::string text = c.prefix;
        text.append(day).append(day.empty() ? "" : " ").append(month).append(month[0] ? " " : "");
        return text.append(std::to_string(year));
      };
      const GedcomRange whole = read_gedcom_date(value("", ""), nullptr);
      double next = whole.first;
      for (const char* month : c.months) {
        if (month == nullptr) break;
        char reason[kGedcomReasonSize];
        const GedcomRange m = read_gedcom_date(value("", month), reason);
        if (m.kind == GedcomKind::kInvalid) {
          EXPECT_STREQ(month, "ADS") << c.prefix << year << ": " << reason;
          continue;
        }
        ASSERT_EQ(m.first, next) << value("", month);
        const auto length = static_cast<int64_t>(m.last - m.first + 1);
        const std::string last_day = value(std::to_string(length), month);
        const std::string past_end = value(std::to_string(length + 1), month);
        EXPECT_EQ(read_gedcom_date(last_day, nullptr).first, m.last) << last_day;
        EXPECT_EQ(read_gedcom_date(past_end, nullptr).kind, GedcomKind::kInvalid) << past_end;
        next = m.last + 1;
      }
      ASSERT_EQ(next, whole.last + 1) << value("", "");
    }
  }
}

// Property: any sequence of the grammar's words and stray bytes is read
// without fault, and a value read as valid names a range in order whose
// reason is empty (run under ASan/UBSan as well).
TEST(GedcomDate, AnyWordsAreReadSafely) {
  const std::array<const char*, 34> words = {
      "@#DJULIAN@", "@#DHEBREW@", "@#DFRENCH", "R@",  "@#DROMAN@", "JULIAN", "HEBREW", "FRENCH_R", "GREGORIAN",
      "ABT",        "BEF",        "AFT",       "BET", "AND",       "FROM",   "TO",     "INT",      "(",
      ")",          "B.C.",       "BCE",       "0",   "1",         "29",     "30",     "31",       "1731/32",
      "5784",       "999999999",  "ADS",       "ADR", "FEB",       "COMP",   "\xFF\t("};
  uint64_t state = 0x9E3779B97F4A7C15u;  // xorshift64, a fixed seed: the same cases on every run
  const auto next = [&state]() {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  };
  for (int n = 0; n < 200000; ++n) {
    std::string value;
    const auto count = static_cast<int>(next() % 8);
    for (int w = 0; w < count; ++w) value.append(words[next() % words.size()]).append(next() % 5 == 0 ? "" : " ");
    char reason[kGedcomReasonSize];
    const GedcomRange r = read_gedcom_date(value, reason);
    if (r.kind == GedcomKind::kInvalid) {
      ASSERT_NE(reason[0], '\0') << value;
    } else {
      ASSERT_LE(r.first, r.last) << value;
      ASSERT_STREQ(reason, "") << value;
    }
  }
}

TEST(GedcomDate, ExportedEntryPoint) {
  double first = 0, last = 0;
  char reason[VARIZAV_TEXT_SIZE] = "x";
  EXPECT_EQ(varizav_gedcom_date("BET 1850 AND 1860", &first, &last, reason), VARIZAV_GEDCOM_BETWEEN);
  EXPECT_EQ(first, g(1850, 1, 1));
  EXPECT_EQ(last, g(1860, 12, 31));
  EXPECT_STREQ(varizav_gedcom_kind_name(VARIZAV_GEDCOM_BETWEEN), "between");
  EXPECT_EQ(varizav_gedcom_date(nullptr, &first, &last, reason), VARIZAV_GEDCOM_INVALID);
  EXPECT_TRUE(std::isnan(first) && std::isnan(last));
  EXPECT_STREQ(varizav_gedcom_kind_name(99), "invalid");
  // A value far longer than a host buffer: rejected, the reason within 256 bytes.
  const std::string long_value = "1 JAN " + std::string(5000, '9');
  EXPECT_EQ(varizav_gedcom_date(long_value.c_str(), &first, &last, reason), VARIZAV_GEDCOM_INVALID);
  EXPECT_LT(std::string(reason).size(), size_t{VARIZAV_TEXT_SIZE});
}

}  // namespace
}  // namespace varizav
