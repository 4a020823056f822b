// The bilingual texts of the host's function list: display names,
// descriptions, argument names and argument descriptions, each an
// English/German pair of Windows-1252 texts.
//
// The function rows of the registry (function_registry.h) hold their own
// display name and description; the kinds of argument, most of them shared by
// many functions, are the named constants below. The host addresses the texts
// by number, in the catalogue: entries 0..69 are the display name (even) and
// the description (odd) of each function in kCatalogueFunctionOrder, entries
// 70..125 the name (even) and description (odd) of each argument kind in
// kCatalogueArguments. Every number is derived from those two lists.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace varizav {

// A text in both languages; "\n" is a line break inside a description. The
// texts are the add-in's own and kept byte for byte (double blanks, blanks
// around line breaks, "2st event" and "weather" included).
struct Text {
  const char* english;
  const char* german;
};

constexpr bool same_text(const Text& a, const Text& b) noexcept {
  return std::string_view(a.english) == b.english && std::string_view(a.german) == b.german;
}

// An argument's name and description as the host shows them.
struct ArgumentText {
  Text name;
  Text description;
};

inline constexpr Text kNoText = {"", ""};

inline constexpr ArgumentText kArgCalendar = {
    {"calendar", "Kalender"},
    {"Name of calendar: Astronomical, Gregorian, Hebrew, Indian, Islamic, ISO8601, Julian, Latin, Mayan...",
     "Name des Kalenders: astronomisch, gregorianisch, indisch, islamisch, ISO8601, j\xFC"
     "disch, lateinisch, maya..."}};
// The two calendars and the two events of WHEN2 share the plain ones' descriptions.
inline constexpr ArgumentText kArgFirstCalendar = {{"1st calendar", "1. Kalender"}, kArgCalendar.description};
inline constexpr ArgumentText kArgSecondCalendar = {{"2nd calendar", "2. Kalender"}, kArgCalendar.description};
inline constexpr ArgumentText kArgCycleName = {
    {"calendrical cycle", "Kalenderzyklus"},
    {"Name of the calendrical cycle: Epact, Golden Number, Indiction, Regent, Solar Cycle, Dominical Letter.",
     "Name des Kalenderzyklus: Epakte, Goldene Zahl, Indiktion, Jahresregent, Sonnenzirkel, Sonntagsbuchstabe."}};
inline constexpr ArgumentText kArgFormatMode = {{"format mode", "Formatmodus"},
                                                {"Selects the output format: 0=number format, 1=string format",
                                                 "W\xE4hlt das Ausgabeformat: 0=Zahlenformat, 1=Zeichenformat"}};
// Listed in the catalogue; no function takes it (events are named by the event argument).
inline constexpr ArgumentText kArgAstronomicalEvent = {
    {"astronomical event", "Astronom. Ereignis"},
    {"Name of the astronomical event: New Moon... , Spring, Summer..., Aries, Gemini... , Mars Opposition, Venus "
     "Inferior Conjunction...",
     "Name des astronomischen Ereignisses: Neumond... , Sommeranfang... ,Widder, Zwillinge..., Mars Opposition, Venus "
     "untere Konjunktion..."}};
inline constexpr ArgumentText kArgCycle = {{"cycle", "Zyklus"}, {"Number of the cycle.", "Nummer des Zyklus."}};
inline constexpr ArgumentText kArgDate = {{"date", "Datum"}, {"Date", "Datum"}};
inline constexpr ArgumentText kArgDay = {{"day", "Tag"}, {"Number of day of month", "Tageszahl"}};
inline constexpr ArgumentText kArgNameOfDay = {{"name of day", "Tagesname"},
                                               {"Name of day of month or number.", "Tagesname oder Zahl."}};
inline constexpr ArgumentText kArgEpoch = {{"epoch", "Epoche"},
                                           {"Year or number of cycle.", "Jahreszahl oder Zyklusnummer."}};
inline constexpr ArgumentText kArgDivisionPoint = {{"division point", "Festpunkt"},
                                                   {"Name of the division point: \"Nonas\", \"Ides\", \"Kalendas\".",
                                                    "Names des Festpunkts: \"Nonas\", \"Ides\", \"Kalendas\"."}};
inline constexpr ArgumentText kArgGengouEra = {
    {"gengou era", "Gengou-\xC4ra"}, {"Name of the gengou era or number.", "Name der Gengou-\xC4ra oder Nummer."}};
inline constexpr ArgumentText kArgEvent = {{"event", "Ereignis"},
                                           {"Name of the event (holiday), e.g. New Year, Easter, ....",
                                            "Name des Ereignisses (Festtag), z.B. Neujahr, Ostern, ...."}};
inline constexpr ArgumentText kArgFirstEvent = {{"1st event", "1. Ereignis"}, kArgEvent.description};
inline constexpr ArgumentText kArgSecondEvent = {{"2st event", "2. Ereignis"}, kArgEvent.description};
inline constexpr ArgumentText kArgLeapMonth = {
    {"leap month", "Schaltmonat"},
    {"TRUE if the month is a leap month, otherwise FALSE", "WAHR wenn der Monat ein Schaltmonat ist, sonst FALSCH"}};
inline constexpr ArgumentText kArgMonthNumber = {{"month", "Monat"}, {"Number of month", "Monatszahl"}};
inline constexpr ArgumentText kArgMonthName = {{"month", "Monat"}, {"Name of month or number", "Monatsname oder Zahl"}};
inline constexpr ArgumentText kArgOrdinal = {
    {"ordinal", "Ordnungszahl"},
    {"Ordinal number of the name of day: 1=first, 2=second, ..., 0=last, -1=before last, ...",
     "Ordnungszahl des Tagesnamens: 1=erster, 2=zweiter, ..., 0=letzer, -1=vorletzter, ..."}};
inline constexpr ArgumentText kArgStartDate = {{"date", "Datum"}, {"Start date", "Startdatum"}};
inline constexpr ArgumentText kArgWeek = {{"week", "Woche"}, {"Number of the week", "Nummer der Woche"}};
inline constexpr ArgumentText kArgYear = {{"year", "Jahr"}, {"Year", "Jahreszahl"}};
inline constexpr ArgumentText kArgBaktun = {
    {"baktun", "Baktun"}, {"1 baktun = 20 katun = 144000 days.", "1 Baktun = 20 Katun = 144000 Tage."}};
inline constexpr ArgumentText kArgKatun = {{"katun", "Katun"},
                                           {"1 katun = 20 tun = 7200 days.", "1 Katun = 20 Tun = 7200 Tage."}};
inline constexpr ArgumentText kArgTun = {{"tun", "Tun"},
                                         {"1 tun = 18 uinal = 360 days.", "1 Tun = 18 Uinal = 360 Tage."}};
inline constexpr ArgumentText kArgUinal = {{"uinal", "Uinal"},
                                           {"1 uinal = 20 kin = 20 days.", "1 Uinal = 20 Kin = 20 Tage."}};
inline constexpr ArgumentText kArgKin = {{"kin", "Kin"}, {"1 kin = 1 day.", "1 Kin = 1 Tag."}};

// The catalogue's order of the functions, by exported name: registration
// order, except that CALENDAR comes before BUDDHIST and MAYAN before LEAPYEAR.
// clang-format off
inline constexpr std::array<std::string_view, 35> kCatalogueFunctionOrder = {
    "SC_armenian", "SC_astronomy", "SC_calendar",  "SC_buddhist",  "SC_byzantine", "SC_chinese",   "SC_chronology",
    "SC_coptic",   "SC_egyptian",  "SC_event",     "SC_ethiopic",  "SC_french",    "SC_gengou",    "SC_gnomon",
    "SC_gregorian", "SC_hebrew",   "SC_hindu",     "SC_hindu2",    "SC_holiday",   "SC_holiday2",  "SC_indian",
    "SC_islamic",  "SC_iso8601",   "SC_julian",    "SC_mayan",     "SC_leapyear",  "SC_leapyear2", "SC_persian",
    "SC_latin",    "SC_seleucid",  "SC_syrian",    "SC_taiwanese", "SC_when",      "SC_when2",     "SC_yazdegerd",
};
// clang-format on

// The catalogue's order of the argument kinds. A kind that borrows another's
// description keeps its own description entry empty.
struct CatalogueArgument {
  const ArgumentText* text;
  bool own_description;
};
// clang-format off
inline constexpr std::array<CatalogueArgument, 28> kCatalogueArguments = {{
    {&kArgCalendar, true},   {&kArgFirstCalendar, false}, {&kArgSecondCalendar, false}, {&kArgCycleName, true},
    {&kArgFormatMode, true}, {&kArgAstronomicalEvent, true}, {&kArgCycle, true},       {&kArgDate, true},
    {&kArgDay, true},        {&kArgNameOfDay, true},      {&kArgEpoch, true},          {&kArgDivisionPoint, true},
    {&kArgGengouEra, true},  {&kArgEvent, true},          {&kArgFirstEvent, false},    {&kArgSecondEvent, false},
    {&kArgLeapMonth, true},  {&kArgMonthNumber, true},    {&kArgMonthName, true},      {&kArgOrdinal, true},
    {&kArgStartDate, true},  {&kArgWeek, true},           {&kArgYear, true},           {&kArgBaktun, true},
    {&kArgKatun, true},      {&kArgTun, true},            {&kArgUinal, true},          {&kArgKin, true},
}};
// clang-format on

constexpr int32_t kFirstArgumentEntry = 2 * static_cast<int32_t>(kCatalogueFunctionOrder.size());  // 70
constexpr int32_t kCatalogueSize = kFirstArgumentEntry + 2 * static_cast<int32_t>(kCatalogueArguments.size());
static_assert(kCatalogueSize == 126);

// No two argument kinds alike: each has one place in the catalogue.
static_assert([] {
  for (size_t i = 0; i < kCatalogueArguments.size(); ++i) {
    for (size_t j = 0; j < i; ++j) {
      const ArgumentText& a = *kCatalogueArguments[i].text;
      const ArgumentText& b = *kCatalogueArguments[j].text;
      if (same_text(a.name, b.name) && same_text(a.description, b.description)) return false;
    }
  }
  return true;
}());

// Catalogue entry of a function's display name (its description is the next
// entry); -1 for a name the catalogue does not list.
constexpr int32_t catalogue_function_entry(std::string_view exported_name) noexcept {
  for (size_t k = 0; k < kCatalogueFunctionOrder.size(); ++k) {
    if (kCatalogueFunctionOrder[k] == exported_name) return 2 * static_cast<int32_t>(k);
  }
  return -1;
}

// Catalogue entries of an argument kind's name and description; -1 for a kind
// the catalogue does not list. A borrowed description is the lender's entry.
// Kinds are told apart by their texts: with the sanitizers, addresses of two
// objects do not compare in a constant expression.
constexpr int32_t catalogue_argument_name_entry(const ArgumentText& kind) noexcept {
  for (size_t k = 0; k < kCatalogueArguments.size(); ++k) {
    const ArgumentText& listed = *kCatalogueArguments[k].text;
    if (same_text(listed.name, kind.name) && same_text(listed.description, kind.description)) {
      return kFirstArgumentEntry + 2 * static_cast<int32_t>(k);
    }
  }
  return -1;
}
constexpr int32_t catalogue_argument_description_entry(const ArgumentText& kind) noexcept {
  for (size_t k = 0; k < kCatalogueArguments.size(); ++k) {
    const CatalogueArgument& a = kCatalogueArguments[k];
    if (a.own_description && same_text(a.text->description, kind.description)) {
      return kFirstArgumentEntry + 2 * static_cast<int32_t>(k) + 1;
    }
  }
  return -1;
}

// The text of a catalogue entry in the current language (German exactly when
// the language is 1031); the empty text for any entry outside 0..125.
const char* catalogue_text(int32_t entry) noexcept;

// Both texts of an entry, independent of the current language ("" outside 0..125).
const char* catalogue_english(int32_t entry) noexcept;
const char* catalogue_german(int32_t entry) noexcept;

}  // namespace varizav
