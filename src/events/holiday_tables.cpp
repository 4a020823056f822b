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
// clang-format off
constexpr std::array<HolidayEntry, 50> kGregorianEntries = {{
    {event_code(kKindGregorianNewYear), "New Year's Day", "Neujahr"},  // 1
    {event_code(kKindGregorianNewYear, 5), "Epiphany", "Epiphanias"},  // 2
    {event_code(kKindGregorianEaster, -63), "Septuagesima Sunday", "Septuagesima"},  // 3
    {event_code(kKindGregorianEaster, -56), "Sexagesima Sunday", "Sexagesima"},  // 4
    {event_code(kKindGregorianEaster, -48), "Shrove Monday", "Rosenmontag"},  // 5
    {event_code(kKindGregorianEaster, -47), "Shrove Tuesday", "Fastnachtsdienstag"},  // 6
    {event_code(kKindGregorianEaster, -46), "Ash Wednesday", "Aschermittwoch"},  // 7
    {event_code(kKindGregorianNextNewYear, -282), "Annunciation Day", "Mari\xE4 Verk\xFCndigung"},  // 8
    {event_code(kKindGregorianEaster, -14), "Passion Sunday", "Passionssonntag"},  // 9
    {event_code(kKindGregorianEaster, -7), "Palm Sunday", "Palmsonntag"},  // 10
    {event_code(kKindGregorianEaster, -3), "Holy Thursday", "Gr\xFCndonnerstag"},  // 11
    {event_code(kKindGregorianEaster, -2), "Good Friday", "Karfreitag"},  // 12
    {event_code(kKindGregorianEaster), "Easter", "Ostern"},  // 13
    {event_code(kKindGregorianEaster), "Easter Sunday", "Ostersonntag"},  // 14
    {event_code(kKindGregorianEaster, 1), "Easter Monday", "Ostermontag"},  // 15
    {event_code(kKindGregorianEaster, 35), "Rogation Sunday", "Rogate"},  // 16
    {event_code(kKindGregorianEaster, 39), "Ascencion Day", "Himmelfahrt"},  // 17
    {event_code(kKindGregorianEaster, 49), "Pentecost", "Pfingsten"},  // 18
    {event_code(kKindGregorianEaster, 49), "Whitsunday", "Pfingstsonntag"},  // 19
    {event_code(kKindGregorianEaster, 50), "Whitmonday", "Pfingstmontag"},  // 20
    {event_code(kKindGregorianEaster, 56), "Trinity Sunday", "Trinitatis"},  // 21
    {event_code(kKindGregorianEaster, 60), "Corpus Christi", "Fronleichnam"},  // 22
    {event_code(kKindGregorianNextNewYear, -139), "Assumption Day", "Mari\xE4 Himmelfahrt"},  // 23
    {event_code(kKindGregorianNextNewYear, -62), "Reformationstag", "Reformationstag"},  // 24
    {event_code(kKindGregorianNextNewYear, -61), "All Saints' Day", "Allerheiligen"},  // 25
    {event_code(kKindGregorianNextNewYear, on_or_before(kMonday), -40), "Repentance Day", "Bu\xDFtag"},  // 26
    {event_code(kKindGregorianNextNewYear, on_or_before(kMonday), -36), "Totensonntag", "Totensonntag"},  // 27
    {event_code(kKindGregorianNextNewYear, on_or_before(kMonday), -29), "Advent Sunday", "Advent"},  // 28
    {event_code(kKindGregorianNextNewYear, -24), "nil", "Mari\xE4 Empf\xE4ngnis"},  // 29
    {event_code(kKindGregorianNextNewYear, -7), "Christmas", "Weihnachten"},  // 30
    {event_code(kKindGregorianNextNewYear, -153), "Schweizer Bundesfeier", "Schweizer Bundesfeier"},  // 31
    {event_code(kKindGregorianNextNewYear, -90), "Tag der Deutschen Einheit", "Tag der Deutschen Einheit"},  // 32
    {event_code(kKindGregorianNextNewYear, -67), "\xD6sterreichischer Nationalfeiertag", "\xD6sterreichischer Nationalfeiertag"},  // 33
    {event_code(kKindGregorianNextNewYear, -146), "Augsburger Friedensfest", "Augsburger Friedensfest"},  // 34
    {event_code(kKindGregorianNextNewYear, on_or_before(kMonday), -232), "Mother's Day", "Muttertag"},  // 35
    {event_code(kKindGregorianNextNewYear, on_or_before(kTuesday), -86), "Harvest Festival", "Erntedankfest"},  // 36
    {event_code(kKindGregorianNewYear, 44), "Valentine's Day", "Valentinstag"},  // 37
    {event_code(kKindGregorianNextNewYear, -290), "St. Patrick's Day", "St. Patrick's Day"},  // 38
    {event_code(kKindGregorianNewYear, on_or_before(kSaturday), 51), "President's Day", "President's Day"},  // 39
    // The third Saturday of May: the Saturday on or before 1 January of the
    // next year, 225 days back (255 days back, 0x0301FF01, would be a
    // Thursday in April).
    {event_code(kKindGregorianNextNewYear, on_or_before(kSunday), -225), "Armed Forces Day", "Armed Forces Day"},  // 40
    {event_code(kKindGregorianNextNewYear, on_or_before(kSaturday), -215), "Memorial Day", "Memorial Day"},  // 41
    {event_code(kKindGregorianNextNewYear, on_or_before(kFriday), -194), "Father's Day", "Father's Day"},  // 42
    {event_code(kKindGregorianNextNewYear, -201), "Flag Day", "Flag Day"},  // 43
    {event_code(kKindGregorianNextNewYear, -181), "Independance Day", "Independance Day"},  // 44
    {event_code(kKindGregorianNextNewYear, on_or_before(kFriday), -116), "Labor Day", "Labor Day"},  // 45
    {event_code(kKindGregorianNextNewYear, on_or_before(kWednesday), -79), "Columbus Day", "Columbus Day"},  // 46
    {event_code(kKindGregorianNextNewYear, -62), "Halloween", "Halloween"},  // 47
    {event_code(kKindGregorianNextNewYear, on_or_before(kSunday), -54), "Election Day", "Election Day"},  // 48
    {event_code(kKindGregorianNextNewYear, -51), "Veterans' Day", "Veterans' Day"},  // 49
    {event_code(kKindGregorianNextNewYear, on_or_before(kWednesday), -34), "Thanksgiving", "Thanksgiving"},  // 50
}};
// clang-format on
static_assert(kGregorianEntries.size() == 50);

// The church feasts on Julian anchors: 1 January (kind 4), Easter (5) and
// 1 January of the next year (6).
// clang-format off
constexpr std::array<HolidayEntry, 22> kJulianEntries = {{
    {event_code(kKindJulianNewYear), "New Year's Day", "Neujahr"},  // 1
    {event_code(kKindJulianNewYear, 5), "Epiphany", "Epiphanias"},  // 2
    {event_code(kKindJulianEaster, -63), "Septuagesima Sunday", "Septuagesima"},  // 3
    {event_code(kKindJulianEaster, -56), "Sexagesima Sunday", "Sexagesima"},  // 4
    {event_code(kKindJulianEaster, -48), "Shrove Monday", "Rosenmontag"},  // 5
    {event_code(kKindJulianEaster, -47), "Shrove Tuesday", "Fastnachtsdienstag"},  // 6
    {event_code(kKindJulianEaster, -46), "Ash Wednesday", "Aschermittwoch"},  // 7
    {event_code(kKindJulianEaster, -14), "Passion Sunday", "Passionssonntag"},  // 8
    {event_code(kKindJulianEaster, -7), "Palm Sunday", "Palmsonntag"},  // 9
    {event_code(kKindJulianEaster, -3), "Holy Thursday", "Gr\xFCndonnerstag"},  // 10
    {event_code(kKindJulianEaster, -2), "Good Friday", "Karfreitag"},  // 11
    {event_code(kKindJulianEaster), "Easter", "Ostern"},  // 12
    {event_code(kKindJulianEaster, 35), "Rogation Sunday", "Rogate"},  // 13
    {event_code(kKindJulianEaster, 39), "Ascencion Day", "Himmelfahrt"},  // 14
    {event_code(kKindJulianEaster, 49), "Pentecost", "Pfingsten"},  // 15
    {event_code(kKindJulianEaster, 49), "Whitsunday", "Pfingstsonntag"},  // 16
    {event_code(kKindJulianEaster, 50), "Whitmonday", "Pfingstmontag"},  // 17
    {event_code(kKindJulianEaster, 56), "Trinity Sunday", "Trinitatis"},  // 18
    {event_code(kKindJulianEaster, 60), "Corpus Christi", "Fronleichnam"},  // 19
    {event_code(kKindJulianNextNewYear, -139), "Assumption Day", "Mari\xE4 Himmelfahrt"},  // 20
    {event_code(kKindJulianNextNewYear, on_or_before(kMonday), -29), "Advent Sunday", "Advent"},  // 21
    {event_code(kKindJulianNextNewYear, -7), "Christmas", "Weihnachten"},  // 22
}};
// clang-format on
static_assert(kJulianEntries.size() == 22);

// Chinese feasts on the first day of month 1 (kind 10), 11 (11: the month
// holding the December solstice), 5 (12) and 7 (13).
// clang-format off
constexpr std::array<HolidayEntry, 6> kChineseEntries = {{
    {event_code(kKindChineseNewYear), "New Year's Day", "Neujahr"},  // 1
    {event_code(kKindChineseNewYear, 14), "Lantern Festival", "Laternenfest"},  // 2
    {event_code(kKindChineseMonth5, 4), "Dragon Festival", "Drachenfest"},  // 3
    {event_code(kKindChineseMonth7, 6), "Valentine's Day", "Valentinstag"},  // 4
    {event_code(kKindChineseMonth7, 14), "Hungry Ghosts", "Hungrige Geister"},  // 5
    {event_code(kKindChineseMonth11), "Dongzhi", "Dongzhi"},  // 6
}};
// clang-format on
static_assert(kChineseEntries.size() == 6);

// Coptic feasts, days after the eve of 1 Thout (kind 14), and Easter on the
// Julian computus (15). The Ethiopic table is the same on its own anchors.
// clang-format off
constexpr std::array<HolidayEntry, 8> kCopticEntries = {{
    {event_code(kKindCopticNewYear), "New Year's Day", "Neujahr"},  // 1
    {event_code(kKindCopticNewYear, 16), "Elevation", "Kreuzerh\xF6hung"},  // 2
    {event_code(kKindCopticNewYear, 118), "Christmas", "Weihnachten"},  // 3
    {event_code(kKindCopticNewYear, 125), "Circumcision", "Beschneidung"},  // 4
    {event_code(kKindCopticNewYear, 130), "Epiphany", "Epiphanias"},  // 5
    // 29 Baramhat, 7 April (Julian 25 March), 208 days after 1 Thout
    // (209 days, 0x0E0000D1, would be 30 Baramhat, a day late).
    {event_code(kKindCopticNewYear, 208), "Annunciation", "Verk\xFCndigung"},  // 6
    {event_code(kKindCopticEaster), "Easter", "Ostern"},  // 7
    {event_code(kKindCopticNewYear, 342), "Transfiguration", "Verkl\xE4rung"},  // 8
}};
// clang-format on
static_assert(kCopticEntries.size() == 8);

// Ethiopic feasts: the Coptic ones on the eve of 1 Maskaram (kind 17) and
// the Ethiopic Easter (18).
// clang-format off
constexpr std::array<HolidayEntry, 8> kEthiopicEntries = {{
    {event_code(kKindEthiopicNewYear), "New Year's Day", "Neujahr"},  // 1
    {event_code(kKindEthiopicNewYear, 16), "Elevation", "Kreuzerh\xF6hung"},  // 2
    {event_code(kKindEthiopicNewYear, 118), "Christmas", "Weihnachten"},  // 3
    {event_code(kKindEthiopicNewYear, 125), "Circumcision", "Beschneidung"},  // 4
    {event_code(kKindEthiopicNewYear, 130), "Epiphany", "Epiphanias"},  // 5
    {event_code(kKindEthiopicNewYear, 208), "Annunciation", "Verk\xFCndigung"},  // 6: 29 Magabit, as the Coptic one
    {event_code(kKindEthiopicEaster), "Easter", "Ostern"},  // 7
    {event_code(kKindEthiopicNewYear, 342), "Transfiguration", "Verkl\xE4rung"},  // 8
}};
// clang-format on
static_assert(kEthiopicEntries.size() == 8);

// Hebrew feasts, each at the eve (18:00 of the civil day before), from the
// eve of 1 Tishri (kind 21), of 1 Kislev (22), of 1 Tevet (23) and of
// 1 Tishri of the next year (24). Tzom Gedaliah and Shushan Purim move one
// day later, Ta'anit Esther two days earlier, when the eve is a Friday.
// clang-format off
constexpr std::array<HolidayEntry, 22> kHebrewEntries = {{
    {event_code(kKindHebrewNewYear), "New Year's Day", "Neujahr"},  // 1
    {event_code(kKindHebrewNewYear), "Rosh ha-Shanah", "Rosh ha-Shanah"},  // 2
    {event_code(kKindHebrewNewYear, 9), "Yom Kippur", "Jom Kippur"},  // 3
    {event_code(kKindHebrewNewYear, 14), "Sukkot", "Sukkot"},  // 4
    {event_code(kKindHebrewNewYear, 20), "Hoshana Rabba", "Hoshana Rabba"},  // 5
    {event_code(kKindHebrewNewYear, 21), "Shemini Azeret", "Shemini Azeret"},  // 6
    {event_code(kKindHebrewNewYear, 22), "Simhat Torah", "Simchat Torah"},  // 7
    {event_code(kKindHebrewNextNewYear, -163), "Passover", "Passah"},  // 8
    {event_code(kKindHebrewNextNewYear, -113), "Shavout", "Shawuot"},  // 9
    {event_code(kKindHebrewNextNewYear, -193), "Purim", "Purim"},  // 10
    {event_code(kKindHebrewKislev, 24), "Hanukkah", "Chanukkah"},  // 11
    {event_code(kKindHebrewTevet, 43), "Tu-B'Shevat", "Tu bi-Schewat"},  // 12
    {event_code(kKindHebrewNewYear, shift_if(kFriday, 1), 2), "Tzom Gedaliah", "Zom Gedaljah"},  // 13
    {event_code(kKindHebrewTevet, 9), "Tzom Tevet", "Zom Tewet"},  // 14
    {event_code(kKindHebrewNextNewYear, shift_if(kFriday, -2), -194), "Ta'anit Esther", "Ta'anit Esther"},  // 15
    {event_code(kKindHebrewNextNewYear, shift_if(kFriday, 1), -192), "Shushan Purim", "Shushan Purim"},  // 16
    {event_code(kKindHebrewNextNewYear, -72), "Tzom Tammus", "Zom Tammus"},  // 17
    {event_code(kKindHebrewNextNewYear, -51), "Tisha-B'Av", "Tisha bi-Aw"},  // 18
    {event_code(kKindHebrewNextNewYear, -45), "Tu-B'Av", "Tu bi-Aw"},  // 19
    {event_code(kKindHebrewNextNewYear, -130), "Lag B'Omer", "Lag bi-Omer"},  // 20
    {event_code(kKindHebrewNextNewYear, -143), "Yom ha-Azma'ut", "Jom ha-Azma'ut"},  // 21
    {event_code(kKindHebrewNextNewYear, -151), "Yom ha-Shoah", "Jom ha-Schoah"},  // 22
}};
// clang-format on
static_assert(kHebrewEntries.size() == 22);

// Islamic feasts, days after the eve of 1 Muharram (kind 28).
// clang-format off
constexpr std::array<HolidayEntry, 9> kIslamicEntries = {{
    {event_code(kKindIslamic), "New Year's Day", "Neujahr"},  // 1
    {event_code(kKindIslamic, 9), "Ashura", "Aschura"},  // 2
    {event_code(kKindIslamic, 70), "Mawlid an-Nabi", "Meulud en-Nebi"},  // 3
    {event_code(kKindIslamic, 202), "Lailat al-Mi'raj", "Lailet el-Miradsch"},  // 4
    {event_code(kKindIslamic, 221), "Lailat al-Bara't", "Lailet el-Berat"},  // 5
    {event_code(kKindIslamic, 236), "Ramadan", "Ramadan"},  // 6
    {event_code(kKindIslamic, 262), "Lailat al-Kadr", "Lailet el-Kadar"},  // 7
    {event_code(kKindIslamic, 266), "Id al-Fitr", "Id el-Fitr"},  // 8
    {event_code(kKindIslamic, 334), "Id al-Adha", "Id el-Nahr"},  // 9
}};
// clang-format on
static_assert(kIslamicEntries.size() == 9);

// Mayan cycle starts: calendar round (kind 30), Haab year (31), Tzolkin
// cycle (32); the year argument is the cycle number.
// clang-format off
constexpr std::array<HolidayEntry, 4> kMayanEntries = {{
    {event_code(kKindMayanCalendarRound), "New Year's Day", "Neujahr"},  // 1
    {event_code(kKindMayanCalendarRound), "New cycle", "Zyklenwechsel"},  // 2
    {event_code(kKindMayanHaab), "Haab", "Haab"},  // 3
    {event_code(kKindMayanTzolkin), "Tzolkin", "Tzolkin"},  // 4
}};
// clang-format on
static_assert(kMayanEntries.size() == 4);

// The one-entry tables share this name pair.
constexpr std::array<const char*, 1> kNewYearEnglish = {"New Year's Day"};
constexpr std::array<const char*, 1> kNewYearGerman = {"Neujahr"};

// One-entry codes: the calendar's own year start, no rule, no offset.
constexpr std::array<EventCode, 1> kArmenianCode = {event_code(kKindArmenian)};     // 1 Navasard
constexpr std::array<EventCode, 1> kBuddhistCode = {event_code(kKindBuddhist)};     // 1 January, Gregorian year Y - 543
constexpr std::array<EventCode, 1> kByzantineCode = {event_code(kKindByzantine)};   // 1 January, Julian year Y - 5509
constexpr std::array<EventCode, 1> kEgyptianCode = {event_code(kKindEgyptian)};     // 1 Thoth
constexpr std::array<EventCode, 1> kFrenchCode = {event_code(kKindFrench)};         // 1 Vendemiaire
constexpr std::array<EventCode, 1> kGengouCode = {event_code(kKindGengou)};         // 1 January, Gregorian year Y - 660
constexpr std::array<EventCode, 1> kHinduCode = {event_code(kKindHinduLunisolar)};  // lunisolar new year
constexpr std::array<EventCode, 1> kHindu2Code = {event_code(kKindHinduSolar)};     // solar new year
constexpr std::array<EventCode, 1> kIndianCode = {event_code(kKindIndian)};         // 1 Chaitra
constexpr std::array<EventCode, 1> kPersianCode = {event_code(kKindPersian)};       // 1 Farvardin
constexpr std::array<EventCode, 1> kSeleucidCode = {event_code(kKindSeleucid)};     // 1 January, Julian year Y - 312
constexpr std::array<EventCode, 1> kSyrianCode = {event_code(kKindSyrian)};         // 1 January, Julian year Y - 312
constexpr std::array<EventCode, 1> kTaiwaneseCode = {event_code(kKindTaiwanese)};  // 1 January, Gregorian year Y + 1911
constexpr std::array<EventCode, 1> kYazdegerdCode = {event_code(kKindYazdegerd)};  // 1 Farvardin, Yazdegerd era

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
// clang-format off
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
// clang-format on
static_assert(rows_in_index_order(kCalendarHolidays, &CalendarHolidays::calendar));

}  // namespace

constinit const std::array<const KeywordTable*, kCalendarCount> holiday_tables =
    column_of(kCalendarHolidays, &CalendarHolidays::table);

}  // namespace varizav
