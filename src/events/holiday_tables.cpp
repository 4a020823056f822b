// The holiday tables of the calendars: each a keyword table of EventCodes,
// in lookup order (a number selects the entry by its 1-based position; the
// first name an abbreviation matches wins).
#include <array>
#include <cstddef>
#include <cstdint>

#include "events/astro_events.h"
#include "events/holidays.h"
#include "framework/row_table.h"

namespace varizav {
namespace {

struct HolidayEntry {
  EventCode code;
  const char* english;
  const char* german;  // Windows-1252
};

// Gregorian feasts on 1 January of the year (kind 1), Easter Sunday (2) and
// 1 January of the next year (3): fixed dates after February are counted back
// from the next new year, so they need no leap-year test.
constexpr std::array<HolidayEntry, 50> kGregorianEntries = {{
    {0x01000000, "New Year's Day", "Neujahr"},  // 1
    {0x01000005, "Epiphany", "Epiphanias"},  // 2
    {0x0200FFC1, "Septuagesima Sunday", "Septuagesima"},  // 3
    {0x0200FFC8, "Sexagesima Sunday", "Sexagesima"},  // 4
    {0x0200FFD0, "Shrove Monday", "Rosenmontag"},  // 5
    {0x0200FFD1, "Shrove Tuesday", "Fastnachtsdienstag"},  // 6
    {0x0200FFD2, "Ash Wednesday", "Aschermittwoch"},  // 7
    {0x0300FEE6, "Annunciation Day", "Mari\xE4 Verk\xFCndigung"},  // 8
    {0x0200FFF2, "Passion Sunday", "Passionssonntag"},  // 9
    {0x0200FFF9, "Palm Sunday", "Palmsonntag"},  // 10
    {0x0200FFFD, "Holy Thursday", "Gr\xFCndonnerstag"},  // 11
    {0x0200FFFE, "Good Friday", "Karfreitag"},  // 12
    {0x02000000, "Easter", "Ostern"},  // 13
    {0x02000000, "Easter Sunday", "Ostersonntag"},  // 14
    {0x02000001, "Easter Monday", "Ostermontag"},  // 15
    {0x02000023, "Rogation Sunday", "Rogate"},  // 16
    {0x02000027, "Ascencion Day", "Himmelfahrt"},  // 17
    {0x02000031, "Pentecost", "Pfingsten"},  // 18
    {0x02000031, "Whitsunday", "Pfingstsonntag"},  // 19
    {0x02000032, "Whitmonday", "Pfingstmontag"},  // 20
    {0x02000038, "Trinity Sunday", "Trinitatis"},  // 21
    {0x0200003C, "Corpus Christi", "Fronleichnam"},  // 22
    {0x0300FF75, "Assumption Day", "Mari\xE4 Himmelfahrt"},  // 23
    {0x0300FFC2, "Reformationstag", "Reformationstag"},  // 24
    {0x0300FFC3, "All Saints' Day", "Allerheiligen"},  // 25
    {0x0307FFD8, "Repentance Day", "Bu\xDFtag"},  // 26
    {0x0307FFDC, "Totensonntag", "Totensonntag"},  // 27
    {0x0307FFE3, "Advent Sunday", "Advent"},  // 28
    {0x0300FFE8, "nil", "Mari\xE4 Empf\xE4ngnis"},  // 29
    {0x0300FFF9, "Christmas", "Weihnachten"},  // 30
    {0x0300FF67, "Schweizer Bundesfeier", "Schweizer Bundesfeier"},  // 31
    {0x0300FFA6, "Tag der Deutschen Einheit", "Tag der Deutschen Einheit"},  // 32
    {0x0300FFBD, "\xD6sterreichischer Nationalfeiertag", "\xD6sterreichischer Nationalfeiertag"},  // 33
    {0x0300FF6E, "Augsburger Friedensfest", "Augsburger Friedensfest"},  // 34
    {0x0307FF18, "Mother's Day", "Muttertag"},  // 35
    {0x0306FFAA, "Harvest Festival", "Erntedankfest"},  // 36
    {0x0100002C, "Valentine's Day", "Valentinstag"},  // 37
    {0x0300FEDE, "St. Patrick's Day", "St. Patrick's Day"},  // 38
    {0x01020033, "President's Day", "President's Day"},  // 39
    // The third Saturday of May: the Saturday on or before 1 January of the
    // next year, 225 days back (255 days back, 0x0301FF01, would be a
    // Thursday in April).
    {0x0301FF1F, "Armed Forces Day", "Armed Forces Day"},  // 40
    {0x0302FF29, "Memorial Day", "Memorial Day"},  // 41
    {0x0303FF3E, "Father's Day", "Father's Day"},  // 42
    {0x0300FF37, "Flag Day", "Flag Day"},  // 43
    {0x0300FF4B, "Independance Day", "Independance Day"},  // 44
    {0x0303FF8C, "Labor Day", "Labor Day"},  // 45
    {0x0305FFB1, "Columbus Day", "Columbus Day"},  // 46
    {0x0300FFC2, "Halloween", "Halloween"},  // 47
    {0x0301FFCA, "Election Day", "Election Day"},  // 48
    {0x0300FFCD, "Veterans' Day", "Veterans' Day"},  // 49
    {0x0305FFDE, "Thanksgiving", "Thanksgiving"},  // 50
}};
static_assert(kGregorianEntries.size() == 50);

// The church feasts on Julian anchors: 1 January (kind 4), Easter (5) and
// 1 January of the next year (6).
constexpr std::array<HolidayEntry, 22> kJulianEntries = {{
    {0x04000000, "New Year's Day", "Neujahr"},  // 1
    {0x04000005, "Epiphany", "Epiphanias"},  // 2
    {0x0500FFC1, "Septuagesima Sunday", "Septuagesima"},  // 3
    {0x0500FFC8, "Sexagesima Sunday", "Sexagesima"},  // 4
    {0x0500FFD0, "Shrove Monday", "Rosenmontag"},  // 5
    {0x0500FFD1, "Shrove Tuesday", "Fastnachtsdienstag"},  // 6
    {0x0500FFD2, "Ash Wednesday", "Aschermittwoch"},  // 7
    {0x0500FFF2, "Passion Sunday", "Passionssonntag"},  // 8
    {0x0500FFF9, "Palm Sunday", "Palmsonntag"},  // 9
    {0x0500FFFD, "Holy Thursday", "Gr\xFCndonnerstag"},  // 10
    {0x0500FFFE, "Good Friday", "Karfreitag"},  // 11
    {0x05000000, "Easter", "Ostern"},  // 12
    {0x05000023, "Rogation Sunday", "Rogate"},  // 13
    {0x05000027, "Ascencion Day", "Himmelfahrt"},  // 14
    {0x05000031, "Pentecost", "Pfingsten"},  // 15
    {0x05000031, "Whitsunday", "Pfingstsonntag"},  // 16
    {0x05000032, "Whitmonday", "Pfingstmontag"},  // 17
    {0x05000038, "Trinity Sunday", "Trinitatis"},  // 18
    {0x0500003C, "Corpus Christi", "Fronleichnam"},  // 19
    {0x0600FF75, "Assumption Day", "Mari\xE4 Himmelfahrt"},  // 20
    {0x0607FFE3, "Advent Sunday", "Advent"},  // 21
    {0x0600FFF9, "Christmas", "Weihnachten"},  // 22
}};
static_assert(kJulianEntries.size() == 22);

// Chinese feasts on the first day of month 1 (kind 10), 11 (11: the month
// holding the December solstice), 5 (12) and 7 (13).
constexpr std::array<HolidayEntry, 6> kChineseEntries = {{
    {0x0A000000, "New Year's Day", "Neujahr"},  // 1
    {0x0A00000E, "Lantern Festival", "Laternenfest"},  // 2
    {0x0C000004, "Dragon Festival", "Drachenfest"},  // 3
    {0x0D000006, "Valentine's Day", "Valentinstag"},  // 4
    {0x0D00000E, "Hungry Ghosts", "Hungrige Geister"},  // 5
    {0x0B000000, "Dongzhi", "Dongzhi"},  // 6
}};
static_assert(kChineseEntries.size() == 6);

// Coptic feasts, days after the eve of 1 Thout (kind 14), and Easter on the
// Julian computus (15). The Ethiopic table is the same on its own anchors.
constexpr std::array<HolidayEntry, 8> kCopticEntries = {{
    {0x0E000000, "New Year's Day", "Neujahr"},  // 1
    {0x0E000010, "Elevation", "Kreuzerh\xF6hung"},  // 2
    {0x0E000076, "Christmas", "Weihnachten"},  // 3
    {0x0E00007D, "Circumcision", "Beschneidung"},  // 4
    {0x0E000082, "Epiphany", "Epiphanias"},  // 5
    // 29 Baramhat, 7 April (Julian 25 March), 208 days after 1 Thout
    // (209 days, 0x0E0000D1, would be 30 Baramhat, a day late).
    {0x0E0000D0, "Annunciation", "Verk\xFCndigung"},  // 6
    {0x0F000000, "Easter", "Ostern"},  // 7
    {0x0E000156, "Transfiguration", "Verkl\xE4rung"},  // 8
}};
static_assert(kCopticEntries.size() == 8);

// Ethiopic feasts: the Coptic ones on the eve of 1 Maskaram (kind 17) and
// the Ethiopic Easter (18).
constexpr std::array<HolidayEntry, 8> kEthiopicEntries = {{
    {0x11000000, "New Year's Day", "Neujahr"},  // 1
    {0x11000010, "Elevation", "Kreuzerh\xF6hung"},  // 2
    {0x11000076, "Christmas", "Weihnachten"},  // 3
    {0x1100007D, "Circumcision", "Beschneidung"},  // 4
    {0x11000082, "Epiphany", "Epiphanias"},  // 5
    {0x110000D0, "Annunciation", "Verk\xFCndigung"},  // 6: 29 Magabit, as the Coptic one
    {0x12000000, "Easter", "Ostern"},  // 7
    {0x11000156, "Transfiguration", "Verkl\xE4rung"},  // 8
}};
static_assert(kEthiopicEntries.size() == 8);

// Hebrew feasts, each at the eve (18:00 of the civil day before), from the
// eve of 1 Tishri (kind 21), of 1 Kislev (22), of 1 Tevet (23) and of
// 1 Tishri of the next year (24). Tzom Gedaliah and Shushan Purim move one
// day later, Ta'anit Esther two days earlier, when the eve is a Friday.
constexpr std::array<HolidayEntry, 22> kHebrewEntries = {{
    {0x15000000, "New Year's Day", "Neujahr"},  // 1
    {0x15000000, "Rosh ha-Shanah", "Rosh ha-Shanah"},  // 2
    {0x15000009, "Yom Kippur", "Jom Kippur"},  // 3
    {0x1500000E, "Sukkot", "Sukkot"},  // 4
    {0x15000014, "Hoshana Rabba", "Hoshana Rabba"},  // 5
    {0x15000015, "Shemini Azeret", "Shemini Azeret"},  // 6
    {0x15000016, "Simhat Torah", "Simchat Torah"},  // 7
    {0x1800FF5D, "Passover", "Passah"},  // 8
    {0x1800FF8F, "Shavout", "Shawuot"},  // 9
    {0x1800FF3F, "Purim", "Purim"},  // 10
    {0x16000018, "Hanukkah", "Chanukkah"},  // 11
    {0x1700002B, "Tu-B'Shevat", "Tu bi-Schewat"},  // 12
    {0x15140002, "Tzom Gedaliah", "Zom Gedaljah"},  // 13
    {0x17000009, "Tzom Tevet", "Zom Tewet"},  // 14
    {0x18E4FF3E, "Ta'anit Esther", "Ta'anit Esther"},  // 15
    {0x1814FF40, "Shushan Purim", "Shushan Purim"},  // 16
    {0x1800FFB8, "Tzom Tammus", "Zom Tammus"},  // 17
    {0x1800FFCD, "Tisha-B'Av", "Tisha bi-Aw"},  // 18
    {0x1800FFD3, "Tu-B'Av", "Tu bi-Aw"},  // 19
    {0x1800FF7E, "Lag B'Omer", "Lag bi-Omer"},  // 20
    {0x1800FF71, "Yom ha-Azma'ut", "Jom ha-Azma'ut"},  // 21
    {0x1800FF69, "Yom ha-Shoah", "Jom ha-Schoah"},  // 22
}};
static_assert(kHebrewEntries.size() == 22);

// Islamic feasts, days after the eve of 1 Muharram (kind 28).
constexpr std::array<HolidayEntry, 9> kIslamicEntries = {{
    {0x1C000000, "New Year's Day", "Neujahr"},  // 1
    {0x1C000009, "Ashura", "Aschura"},  // 2
    {0x1C000046, "Mawlid an-Nabi", "Meulud en-Nebi"},  // 3
    {0x1C0000CA, "Lailat al-Mi'raj", "Lailet el-Miradsch"},  // 4
    {0x1C0000DD, "Lailat al-Bara't", "Lailet el-Berat"},  // 5
    {0x1C0000EC, "Ramadan", "Ramadan"},  // 6
    {0x1C000106, "Lailat al-Kadr", "Lailet el-Kadar"},  // 7
    {0x1C00010A, "Id al-Fitr", "Id el-Fitr"},  // 8
    {0x1C00014E, "Id al-Adha", "Id el-Nahr"},  // 9
}};
static_assert(kIslamicEntries.size() == 9);

// Mayan cycle starts: calendar round (kind 30), Haab year (31), Tzolkin
// cycle (32); the year argument is the cycle number.
constexpr std::array<HolidayEntry, 4> kMayanEntries = {{
    {0x1E000000, "New Year's Day", "Neujahr"},  // 1
    {0x1E000000, "New cycle", "Zyklenwechsel"},  // 2
    {0x1F000000, "Haab", "Haab"},  // 3
    {0x20000000, "Tzolkin", "Tzolkin"},  // 4
}};
static_assert(kMayanEntries.size() == 4);

// The one-entry tables share this name pair.
constexpr std::array<const char*, 1> kNewYearEnglish = {"New Year's Day"};
constexpr std::array<const char*, 1> kNewYearGerman = {"Neujahr"};

// One-entry codes: the calendar's own year start, no rule, no offset.
constexpr std::array<EventCode, 1> kArmenianCode = {0x07000000};   // 1 Navasard
constexpr std::array<EventCode, 1> kBuddhistCode = {0x08000000};   // 1 January, Gregorian year Y - 543
constexpr std::array<EventCode, 1> kByzantineCode = {0x09000000};  // 1 January, Julian year Y - 5509
constexpr std::array<EventCode, 1> kEgyptianCode = {0x10000000};   // 1 Thoth
constexpr std::array<EventCode, 1> kFrenchCode = {0x13000000};     // 1 Vendemiaire
constexpr std::array<EventCode, 1> kGengouCode = {0x14000000};     // 1 January, Gregorian year Y - 660
constexpr std::array<EventCode, 1> kHinduCode = {0x19000000};      // lunisolar new year
constexpr std::array<EventCode, 1> kHindu2Code = {0x1A000000};     // solar new year
constexpr std::array<EventCode, 1> kIndianCode = {0x1B000000};     // 1 Chaitra
constexpr std::array<EventCode, 1> kPersianCode = {0x21000000};    // 1 Farvardin
constexpr std::array<EventCode, 1> kSeleucidCode = {0x22000000};   // 1 January, Julian year Y - 312
constexpr std::array<EventCode, 1> kSyrianCode = {0x23000000};     // 1 January, Julian year Y - 312
constexpr std::array<EventCode, 1> kTaiwaneseCode = {0x24000000};  // 1 January, Gregorian year Y + 1911
constexpr std::array<EventCode, 1> kYazdegerdCode = {0x25000000};  // 1 Farvardin, Yazdegerd era

constexpr auto kGregorianColumns = split_columns(kGregorianEntries);
constexpr auto kJulianColumns = split_columns(kJulianEntries);
constexpr auto kChineseColumns = split_columns(kChineseEntries);
constexpr auto kCopticColumns = split_columns(kCopticEntries);
constexpr auto kEthiopicColumns = split_columns(kEthiopicEntries);
constexpr auto kHebrewColumns = split_columns(kHebrewEntries);
constexpr auto kIslamicColumns = split_columns(kIslamicEntries);
constexpr auto kMayanColumns = split_columns(kMayanEntries);


constexpr KeywordTable one_entry_table(const std::array<EventCode, 1>& code) noexcept {
  return {1, code.data(), kNewYearEnglish.data(), kNewYearGerman.data()};
}

constexpr KeywordTable kJulianHolidays = table_of(kJulianColumns);
constexpr KeywordTable kChineseHolidays = table_of(kChineseColumns);
constexpr KeywordTable kCopticHolidays = table_of(kCopticColumns);
constexpr KeywordTable kEthiopicHolidays = table_of(kEthiopicColumns);
constexpr KeywordTable kHebrewHolidays = table_of(kHebrewColumns);
constexpr KeywordTable kIslamicHolidays = table_of(kIslamicColumns);
constexpr KeywordTable kMayanHolidays = table_of(kMayanColumns);
constexpr KeywordTable kArmenianHolidays = one_entry_table(kArmenianCode);
constexpr KeywordTable kBuddhistHolidays = one_entry_table(kBuddhistCode);
constexpr KeywordTable kByzantineHolidays = one_entry_table(kByzantineCode);
constexpr KeywordTable kEgyptianHolidays = one_entry_table(kEgyptianCode);
constexpr KeywordTable kFrenchHolidays = one_entry_table(kFrenchCode);
constexpr KeywordTable kGengouHolidays = one_entry_table(kGengouCode);
constexpr KeywordTable kHinduHolidays = one_entry_table(kHinduCode);
constexpr KeywordTable kHindu2Holidays = one_entry_table(kHindu2Code);
constexpr KeywordTable kIndianHolidays = one_entry_table(kIndianCode);
constexpr KeywordTable kPersianHolidays = one_entry_table(kPersianCode);
constexpr KeywordTable kSeleucidHolidays = one_entry_table(kSeleucidCode);
constexpr KeywordTable kSyrianHolidays = one_entry_table(kSyrianCode);
constexpr KeywordTable kTaiwaneseHolidays = one_entry_table(kTaiwaneseCode);
constexpr KeywordTable kYazdegerdHolidays = one_entry_table(kYazdegerdCode);

}  // namespace

const KeywordTable gregorian_holidays = table_of(kGregorianColumns);

namespace {

// One row per calendar, in CalendarId order: "iso8601" shares the Gregorian
// table, "latin" the Julian one.
struct CalendarHolidays {
  CalendarId calendar;
  const KeywordTable* table;
};
constexpr std::array<CalendarHolidays, kCalendarCount> kCalendarHolidays = {{
    {kArmenian, &kArmenianHolidays},
    {kAstronomical, &astro_events},
    {kBuddhist, &kBuddhistHolidays},
    {kByzantine, &kByzantineHolidays},
    {kChinese, &kChineseHolidays},
    {kCoptic, &kCopticHolidays},
    {kEgyptian, &kEgyptianHolidays},
    {kEthiopic, &kEthiopicHolidays},
    {kFrench, &kFrenchHolidays},
    {kGengou, &kGengouHolidays},
    {kGregorian, &gregorian_holidays},
    {kHebrew, &kHebrewHolidays},
    {kHindu, &kHinduHolidays},
    {kHindu2, &kHindu2Holidays},
    {kIndian, &kIndianHolidays},
    {kIslamic, &kIslamicHolidays},
    {kIso8601, &gregorian_holidays},
    {kJulian, &kJulianHolidays},
    {kLatin, &kJulianHolidays},
    {kMayan, &kMayanHolidays},
    {kPersian, &kPersianHolidays},
    {kSeleucid, &kSeleucidHolidays},
    {kSyrian, &kSyrianHolidays},
    {kTaiwanese, &kTaiwaneseHolidays},
    {kYazdegerd, &kYazdegerdHolidays},
}};
static_assert(rows_in_index_order(kCalendarHolidays, &CalendarHolidays::calendar));

}  // namespace

constinit const std::array<const KeywordTable*, kCalendarCount> holiday_tables =
    column_of(kCalendarHolidays, &CalendarHolidays::table);

}  // namespace varizav
