#include "host/catalogue.h"

#include <array>
#include <cstddef>

#include "framework/language.h"

namespace varizav {
namespace {

struct CatalogueText {
  const char* english;
  const char* german;
};

// Windows-1252 texts; "\n" is a line break inside a description. The texts
// are the add-in's own and kept byte for byte, including the two blanks in
// entry 19 and the blanks around the line breaks of entries 65 and 67.
// Entries 73, 75, 99 and 101 are empty: the registry points those arguments
// at the shared descriptions 71 and 97.
constexpr std::array<CatalogueText, kCatalogueSize> kCatalogue = {{
    {"ARMENIAN", "ARMENISCH"},  // 0
    {"Converts an Armenian calendar date to a date.", "Wandelt ein armenisches Kalenderdatum in ein Datum um."},  // 1
    {"ASTRONOMICAL", "ASTRONOMISCH"},  // 2
    {"Converts the astronomical day count (JD) to a date.", "Wandelt die astronomische Tagesz\xE4hlung (JD) in ein Datum um."},  // 3
    {"CALENDAR", "KALENDER"},  // 4
    {"Converts a date to a corresponding calendar date of that calendar.", "Wandelt ein Datum in ein Kalenderdatum des ausgew\xE4hlten Kalenders um."},  // 5
    {"BUDDHIST", "BUDDHISTISCH"},  // 6
    {"Converts a Buddhist calendar date to a date.", "Wandelt ein buddhistisches Kalenderdatum in ein Datum um."},  // 7
    {"BYZANTINE", "BYZANTINISCH"},  // 8
    {"Converts a Byzantine calendar date to a date.", "Wandelt ein byzantinisches Kalenderdatum in ein Datum um."},  // 9
    {"CHINESE", "CHINESISCH"},  // 10
    {"Converts a Chinese calendar date to a date.", "Wandelt ein chinesisches Kalenderdatum in ein Datum um."},  // 11
    {"CHRONOLOGY", "CHRONOLOGIE"},  // 12
    {"Calculates for a given year one of the classical calendrical cycles.", "Berechnet f\xFCr das Jahr einen der klassischen Kalenderzyklen."},  // 13
    {"COPTIC", "KOPTISCH"},  // 14
    {"Converts a Coptic calendar date to a date.", "Wandelt ein koptisches Kalenderdatum in ein Datum um."},  // 15
    {"EGYPTIAN", "\xC4GYPTISCH"},  // 16
    {"Converts an Egyptian calendar date to a date.", "Wandelt ein \xE4gyptisches Kalenderdatum in ein Datum um."},  // 17
    {"EVENT", "EREIGNIS"},  // 18
    {"Converts an event of type 'nth day of month in the year' to  the corresponding calendar date.", "Wandelt ein Ereignis der Art 'nter Tag im Monat des Jahres' in das entsprechende Kalenderdatum um."},  // 19
    {"ETHIOPIC", "\xC4THIOPISCH"},  // 20
    {"Converts an Ethiopic calendar date to a date.", "Wandelt ein \xE4thiopisches Kalenderdatum in ein Datum um."},  // 21
    {"FRENCH", "FRANZ\xD6SISCH"},  // 22
    {"Converts a French calendar date to a date.", "Wandelt ein franz\xF6sisches Kalenderdatum in ein Datum um."},  // 23
    {"GENGOU", "GENGOU"},  // 24
    {"Converts a Gengou calendar date to a date.", "Wandelt ein Gengou-Kalenderdatum in ein Datum um."},  // 25
    {"GNOMON", "GNOMON"},  // 26
    {"Calculates the time which is displayed by the shadow stick of a sundial (gnomon). At 0 a.m. of the day this agrees with the equation of time.", "Berechnet die Uhrzeit, die der Schattenstab einer Sonnenuhr (Gnomon) anzeigt. Um 0 Uhr des Tages entspricht dies der Zeitgleichung."},  // 27
    {"GREGORIAN", "GREGORIANISCH"},  // 28
    {"Converts a Gregorian calendar date to a date.", "Wandelt ein gregorianisches Kalenderdatum in ein Datum um."},  // 29
    {"HEBREW", "J\xDC" "DISCH"},  // 30
    {"Converts a Hebrew calendar date to a date.", "Wandelt ein j\xFC" "disches Kalenderdatum in ein Datum um."},  // 31
    {"HINDU", "HINDU"},  // 32
    {"Converts a Hindu calendar date (lunisolar) to a date.", "Wandelt ein Hindu-Kalenderdatum (lunisolar) in ein Datum um."},  // 33
    {"HINDU2", "HINDU2"},  // 34
    {"Converts a Hindu calendar date (solar) to a date.", "Wandelt ein Hindu-Kalenderdatum (solar) in ein Datum um."},  // 35
    {"HOLIDAY", "FESTTAG"},  // 36
    {"Computes an event (holiday) in a calendar. The date is the first event within the year (cycle) of that calendar.", "Berechnet ein Ereignis (Festtag) aus einem Kalender. Es wird das n\xE4" "chstfolgende Ereignis innerhalb eines vorgegebenen Jahres (Zyklus) aus dem entsprechenden Kalender berechnet."},  // 37
    {"HOLIDAY2", "FESTTAG2"},  // 38
    {"Computes an event (holiday) in a calendar. The date is the first event that falls on or next after a given start date.", "Berechnet ein Ereignis (Festtag) aus einem Kalender. Es wird das n\xE4" "chste Ereignis berechnet, das auf ein vorgegebenes Startdatum folgt."},  // 39
    {"INDIAN", "INDISCH"},  // 40
    {"Converts an Indian calendar date to a date.", "Wandelt ein indisches Kalenderdatum in ein Datum um."},  // 41
    {"ISLAMIC", "ISLAMISCH"},  // 42
    {"Converts an Islamic calendar date to a date.", "Wandelt ein islamisches Kalenderdatum in ein Datum um."},  // 43
    {"ISO8601", "ISO8601"},  // 44
    {"Converts an ISO-8601 calendar date to a date.", "Wandelt ein ISO-8601 Kalenderdatum in ein Datum um."},  // 45
    {"JULIAN", "JULIANISCH"},  // 46
    {"Converts a Julian calendar date to a date.", "Wandelt ein julianisches Kalenderdatum in ein Datum um."},  // 47
    {"MAYAN", "MAYA"},  // 48
    {"Converts a Mayan calendar date to a date.", "Wandelt ein Maya-Kalenderdatum in ein Datum um."},  // 49
    {"LEAPYEAR", "SCHALTJAHR"},  // 50
    {"Determines weather a year is a leap year within a calendar.", "Ermittelt, ob ein Jahr innerhalb eines Kalenders ein Schaltjahr ist."},  // 51
    {"LEAPYEAR2", "SCHALTJAHR2"},  // 52
    {"Determines weather a date is within a leap year of that calendar.", "Ermittelt, ob ein Datum in einem Schaltjahr des Kalenders liegt."},  // 53
    {"PERSIAN", "PERSISCH"},  // 54
    {"Converts an Persian calendar date to a date.", "Wandelt ein persisches Kalenderdatum in ein Datum um."},  // 55
    {"LATIN", "LATEINISCH"},  // 56
    {"Converts a Latin (Roman) calendar date to a date.", "Wandelt ein lateinisches (r\xF6misches) Kalenderdatum in ein Datum um."},  // 57
    {"SELEUCID", "SELEUKIDEN"},  // 58
    {"Converts a Seleucid calendar date to a date.", "Wandelt ein Seleukiden-Kalenderdatum in ein Datum um."},  // 59
    {"SYRIAN", "SYRISCH"},  // 60
    {"Converts a Syrian calendar date to a date.", "Wandelt ein syrisches Kalenderdatum in ein Datum um."},  // 61
    {"TAIWANESE", "TAIWANISCH"},  // 62
    {"Converts a Taiwanese calendar date to a date.", "Wandelt ein taiwanesisches Kalenderdatum in ein Datum um."},  // 63
    {"WHEN", "WANN"},  // 64
    {"Scans for the date of an event that is a combination of definite characteristics: \nfix day of week, fix day of month and/or fix month \n(e.g. Full Moon on Friday the 13th ;-)", "Sucht nach dem Datum eines Ereignisses, das eine Kombination bestimmter Merkmale erf\xFCllt: \nfester Wochentag, feste Tageszahl und/oder feste Monatszahl \n(z.B. Vollmond am Freitag, dem 13. ;-)"},  // 65
    {"WHEN2", "WANN2"},  // 66
    {"Scans for the occurence of two events on the same day.\n (e.g. Easter and Passover)", "Sucht nach dem Auftreten zweier Ereignisse am selben Tag. (z.B. Ostern und Passah)"},  // 67
    {"YAZDEGERD", "JEZDEGERD"},  // 68
    {"Converts a Yazdegerd calendar date to a date.", "Wandelt ein Jezdegerd-Kalenderdatum in ein Datum um."},  // 69
    {"calendar", "Kalender"},  // 70
    {"Name of calendar: Astronomical, Gregorian, Hebrew, Indian, Islamic, ISO8601, Julian, Latin, Mayan...", "Name des Kalenders: astronomisch, gregorianisch, indisch, islamisch, ISO8601, j\xFC" "disch, lateinisch, maya..."},  // 71
    {"1st calendar", "1. Kalender"},  // 72
    {"", ""},  // 73
    {"2nd calendar", "2. Kalender"},  // 74
    {"", ""},  // 75
    {"calendrical cycle", "Kalenderzyklus"},  // 76
    {"Name of the calendrical cycle: Epact, Golden Number, Indiction, Regent, Solar Cycle, Dominical Letter.", "Name des Kalenderzyklus: Epakte, Goldene Zahl, Indiktion, Jahresregent, Sonnenzirkel, Sonntagsbuchstabe."},  // 77
    {"format mode", "Formatmodus"},  // 78
    {"Selects the output format: 0=number format, 1=string format", "W\xE4hlt das Ausgabeformat: 0=Zahlenformat, 1=Zeichenformat"},  // 79
    {"astronomical event", "Astronom. Ereignis"},  // 80
    {"Name of the astronomical event: New Moon... , Spring, Summer..., Aries, Gemini... , Mars Opposition, Venus Inferior Conjunction...", "Name des astronomischen Ereignisses: Neumond... , Sommeranfang... ,Widder, Zwillinge..., Mars Opposition, Venus untere Konjunktion..."},  // 81
    {"cycle", "Zyklus"},  // 82
    {"Number of the cycle.", "Nummer des Zyklus."},  // 83
    {"date", "Datum"},  // 84
    {"Date", "Datum"},  // 85
    {"day", "Tag"},  // 86
    {"Number of day of month", "Tageszahl"},  // 87
    {"name of day", "Tagesname"},  // 88
    {"Name of day of month or number.", "Tagesname oder Zahl."},  // 89
    {"epoch", "Epoche"},  // 90
    {"Year or number of cycle.", "Jahreszahl oder Zyklusnummer."},  // 91
    {"division point", "Festpunkt"},  // 92
    {"Name of the division point: \"Nonas\", \"Ides\", \"Kalendas\".", "Names des Festpunkts: \"Nonas\", \"Ides\", \"Kalendas\"."},  // 93
    {"gengou era", "Gengou-\xC4ra"},  // 94
    {"Name of the gengou era or number.", "Name der Gengou-\xC4ra oder Nummer."},  // 95
    {"event", "Ereignis"},  // 96
    {"Name of the event (holiday), e.g. New Year, Easter, ....", "Name des Ereignisses (Festtag), z.B. Neujahr, Ostern, ...."},  // 97
    {"1st event", "1. Ereignis"},  // 98
    {"", ""},  // 99
    {"2st event", "2. Ereignis"},  // 100
    {"", ""},  // 101
    {"leap month", "Schaltmonat"},  // 102
    {"TRUE if the month is a leap month, otherwise FALSE", "WAHR wenn der Monat ein Schaltmonat ist, sonst FALSCH"},  // 103
    {"month", "Monat"},  // 104
    {"Number of month", "Monatszahl"},  // 105
    {"month", "Monat"},  // 106
    {"Name of month or number", "Monatsname oder Zahl"},  // 107
    {"ordinal", "Ordnungszahl"},  // 108
    {"Ordinal number of the name of day: 1=first, 2=second, ..., 0=last, -1=before last, ...", "Ordnungszahl des Tagesnamens: 1=erster, 2=zweiter, ..., 0=letzer, -1=vorletzter, ..."},  // 109
    {"date", "Datum"},  // 110
    {"Start date", "Startdatum"},  // 111
    {"week", "Woche"},  // 112
    {"Number of the week", "Nummer der Woche"},  // 113
    {"year", "Jahr"},  // 114
    {"Year", "Jahreszahl"},  // 115
    {"baktun", "Baktun"},  // 116
    {"1 baktun = 20 katun = 144000 days.", "1 Baktun = 20 Katun = 144000 Tage."},  // 117
    {"katun", "Katun"},  // 118
    {"1 katun = 20 tun = 7200 days.", "1 Katun = 20 Tun = 7200 Tage."},  // 119
    {"tun", "Tun"},  // 120
    {"1 tun = 18 uinal = 360 days.", "1 Tun = 18 Uinal = 360 Tage."},  // 121
    {"uinal", "Uinal"},  // 122
    {"1 uinal = 20 kin = 20 days.", "1 Uinal = 20 Kin = 20 Tage."},  // 123
    {"kin", "Kin"},  // 124
    {"1 kin = 1 day.", "1 Kin = 1 Tag."},  // 125
}};

bool in_catalogue(int32_t entry) { return entry >= 0 && entry < kCatalogueSize; }

}  // namespace

const char* catalogue_english(int32_t entry) noexcept {
  return in_catalogue(entry) ? kCatalogue[static_cast<size_t>(entry)].english : "";
}

const char* catalogue_german(int32_t entry) noexcept {
  return in_catalogue(entry) ? kCatalogue[static_cast<size_t>(entry)].german : "";
}

const char* catalogue_text(int32_t entry) noexcept {
  return language_is_german() ? catalogue_german(entry) : catalogue_english(entry);
}

}  // namespace varizav
