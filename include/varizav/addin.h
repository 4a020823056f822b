/*
 * varizav: calendar add-in for spreadsheets.
 *
 * The C interface of libvarizav.so (varizav.dll) as a host sees it: the registration entry
 * points of the legacy add-in protocol, the version accessors and the
 * worksheet functions. Every worksheet function receives a pointer to its
 * result (a double, or a 256-byte text buffer) followed by one pointer per
 * argument (a double, or a zero-terminated Windows-1252 text); dates are
 * spreadsheet serial numbers (day 0 = 30 December 1899). Invalid input gives
 * the error value, a quiet NaN, or an empty text.
 */
#ifndef VARIZAV_ADDIN_H
#define VARIZAV_ADDIN_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Exported names: the visibility of ELF; on Windows varizav.def lists them. */
#ifdef _WIN32
#define VARIZAV_API
#else
#define VARIZAV_API __attribute__((visibility("default")))
#endif

/* Argument and result type codes written by GetFunctionData. */
enum { VARIZAV_TYPE_NUMBER = 0, VARIZAV_TYPE_TEXT = 1 };

/* Size of every text buffer the host passes, terminator included. */
enum { VARIZAV_TEXT_SIZE = 256 };

/* ---- Registration (legacy add-in protocol) ---- */

/* Applies the VARIZAV_* configuration from the environment, then stores 35. */
VARIZAV_API void GetFunctionCount(unsigned short* count);
/* Function *number (0..34): exported name and display name (256-byte buffers),
   slot count (1 + arguments) and one type code per slot, result first.
   Unknown numbers give empty names and 0 slots and leave type_codes alone. */
VARIZAV_API void GetFunctionData(const unsigned short* number, char* exported_name, unsigned short* slot_count,
                                 int* type_codes, char* display_name);
/* Slot 0: the function's description (empty name); slot 1..n: the argument's
   name and description. Unknown functions or slots give two empty texts. */
VARIZAV_API void GetParameterDescription(const unsigned short* number, const unsigned short* slot, char* name,
                                         char* description);
/* Windows language identifier of the host's user interface (German 0x0407,
   English 0x0409, ...): language of the texts, name lookups and date texts. */
VARIZAV_API void SetLanguage(const unsigned short* language);

/* ---- Version table ---- */

/* Entry 1..11 as a text; entry 0 is the number 0x10001 in place of a pointer;
   a null pointer for any other index. */
VARIZAV_API const char* versioninfo(int32_t entry);

/* A REXX string (the interpreter's RXSTRING on 64-bit Linux). */
typedef struct {
  unsigned long strlength;
  char* strptr;
} VarizavRxString;

/* REXX external function: no argument gives the version (entry 3), one
   argument "1".."9", ":" or ";" gives entry 1..11; status 0, or 1 for an
   invalid call (result left alone). A result longer than the caller's buffer
   comes in a new block from RexxAllocateMemory (malloc without one). */
VARIZAV_API unsigned long VERSIONINFO(const char* name, unsigned long argc, const VarizavRxString* argv,
                                      const char* queue, VarizavRxString* retstr);

/* ---- Worksheet functions ---- */

/* Armenian date (year, month name or number 1..13, 1 <= day < 31) -> serial date. */
VARIZAV_API void SC_armenian(double* result, const double* year, const char* month, const double* day);
/* Coptic date (months 1..13, 1 <= day < 31) -> serial date; the day begins at 18:00 the evening before. */
VARIZAV_API void SC_coptic(double* result, const double* year, const char* month, const double* day);
/* Egyptian date, era of Nabonassar (months 1..13, 1 <= day < 31) -> serial date. */
VARIZAV_API void SC_egyptian(double* result, const double* year, const char* month, const double* day);
/* Ethiopic date (months 1..13, 1 <= day < 31) -> serial date; the day begins at 18:00 the evening before. */
VARIZAV_API void SC_ethiopic(double* result, const double* year, const char* month, const double* day);
/* French Republican date (months 1..13, 13 = Sansculottides, 1 <= day < 31) -> serial date. */
VARIZAV_API void SC_french(double* result, const double* year, const char* month, const double* day);
/* Indian national (Saka) date (months 1..12, 1 <= day < 32) -> serial date. */
VARIZAV_API void SC_indian(double* result, const double* year, const char* month, const double* day);
/* Yazdegerd date (months 1..13, 1 <= day < 31) -> serial date. */
VARIZAV_API void SC_yazdegerd(double* result, const double* year, const char* month, const double* day);

/* Gregorian date (year, month name or number 1..12, 1 <= day < 32; a day past
   the month's end counts on) -> serial date. */
VARIZAV_API void SC_gregorian(double* result, const double* year, const char* month, const double* day);
/* Julian date (months 1..12, 1 <= day < 32) -> serial date. */
VARIZAV_API void SC_julian(double* result, const double* year, const char* month, const double* day);
/* ISO 8601 week date (year, week 1..53, weekday 1..7 as number or name) -> serial date. */
VARIZAV_API void SC_iso8601(double* result, const double* year, const double* week, const char* day);
/* Buddhist date (Gregorian year + 543, months 1..12, 1 <= day < 32) -> serial date. */
VARIZAV_API void SC_buddhist(double* result, const double* year, const char* month, const double* day);
/* Byzantine date (Julian year + 5509, months 1..12, 1 <= day < 32) -> serial date. */
VARIZAV_API void SC_byzantine(double* result, const double* year, const char* month, const double* day);
/* Seleucid date (Julian year + 312, months 1..12, 1 <= day < 32) -> serial date. */
VARIZAV_API void SC_seleucid(double* result, const double* year, const char* month, const double* day);
/* Syrian date (Julian year + 312, month 1 = Tishrin I = October, 1 <= day < 32) -> serial date. */
VARIZAV_API void SC_syrian(double* result, const double* year, const char* month, const double* day);
/* Taiwanese date (Gregorian year - 1911, months 1..12, 1 <= day < 32) -> serial date. */
VARIZAV_API void SC_taiwanese(double* result, const double* year, const char* month, const double* day);
/* Japanese era date (era name or 1..17, Jimmu when unknown; era year, month, day) -> serial date. */
VARIZAV_API void SC_gengou(double* result, const char* era, const double* year, const char* month,
                           const double* day);
/* Roman date (Julian year, Roman month, "Nonas"/"Idus"/"Kalendas", count as
   number 0..20 or name: empty, "pridie", "III".."XIX", "bis VI") -> serial date. */
VARIZAV_API void SC_latin(double* result, const double* year, const char* month, const char* division,
                          const char* day);

/* JulianDay -> serial date (argument - 2415018.5). */
VARIZAV_API void SC_astronomy(double* result, const double* julian_day);
/* A serial date written as a date of the named calendar; mode 0 numbers,
   mode < 0 numbers with the day's fraction, mode > 0 text. */
VARIZAV_API void SC_calendar(char* result, const char* calendar, const double* date, const double* mode);

/* Chinese date (cycle, year 1..60, month name or number, leap month flag, day) -> serial date. */
VARIZAV_API void SC_chinese(double* result, const double* cycle, const double* year, const char* month,
                            const double* leap_month, const double* day);
/* 1 for a leap year of the named calendar (year as text; Chinese "cycle-year"), else 0. */
VARIZAV_API void SC_leapyear(double* result, const char* calendar, const char* year);
/* 1 when the date lies in a leap year of the named calendar, else 0. */
VARIZAV_API void SC_leapyear2(double* result, const char* calendar, const double* date);
/* A chronological cycle of a year as text: Epact, Indiction, Regent, Golden Number,
   Solar Cycle, Dominical Letter ("Err:502" for an unknown cycle). */
VARIZAV_API void SC_chronology(char* result, const char* cycle, const double* year);

/* Sundial reading of a serial date with time of day (Universal Time): the time of
   day plus the equation of time, as a day fraction. */
VARIZAV_API void SC_gnomon(double* result, const double* date);

/* Hindu lunisolar date (Kali Yuga year, month name, leap month TRUE/FALSE, lunar day) -> serial date. */
VARIZAV_API void SC_hindu(double* result, const double* year, const char* month, const double* leap_month,
                          const double* day);
/* Hindu solar date (Kali Yuga year, month name, day) -> serial date. */
VARIZAV_API void SC_hindu2(double* result, const double* year, const char* month, const double* day);

/* Islamic date (months 1..12, 1 <= day < 31) -> serial date; the day begins at 18:00 the evening before. */
VARIZAV_API void SC_islamic(double* result, const double* year, const char* month, const double* day);
/* Persian date (months 1..12, 1 <= day < 32) -> serial date. */
VARIZAV_API void SC_persian(double* result, const double* year, const char* month, const double* day);
/* Hebrew date (months 1 = Nisan .. 13 = Adar II, 1 <= day < 31) -> serial date; the day begins at 18:00 the
   evening before. */
VARIZAV_API void SC_hebrew(double* result, const double* year, const char* month, const double* day);
/* Mayan long count (baktun, katun, tun, uinal, kin; no range check, units kept to 8 bits) -> serial date. */
VARIZAV_API void SC_mayan(double* result, const double* baktun, const double* katun, const double* tun,
                          const double* uinal, const double* kin);

/* The named holiday of a calendar in the year given as text (Chinese "cycle-year",
   Mayan cycle number, "astronomical": civil year) -> serial date with its time of day. */
VARIZAV_API void SC_holiday(double* result, const char* calendar, const char* event, const char* epoch);
/* The first occurrence of the named holiday at or after the start date -> serial date. */
VARIZAV_API void SC_holiday2(double* result, const char* calendar, const char* event, const double* date);
/* The ordinal-th weekday (name or 1..7) or, without one, the ordinal-th day of a
   civil month (1 first, 0 last, -1 before last, ...) -> serial date. */
VARIZAV_API void SC_event(double* result, const double* ordinal, const char* name_of_day, const char* month,
                          const double* year);
/* The first occurrence at or after the start date of the named event (none: any
   day) on the given weekday, day and month (empty or 0: any) -> serial date. */
VARIZAV_API void SC_when(double* result, const char* calendar, const char* event, const char* name_of_day,
                         const double* day, const char* month, const double* date);
/* The first day at or after the start date on which two named events of two
   calendars fall together -> serial date of the first event. */
VARIZAV_API void SC_when2(double* result, const char* first_calendar, const char* first_event,
                          const char* second_calendar, const char* second_event, const double* date);

#ifdef __cplusplus
}
#endif

#endif /* VARIZAV_ADDIN_H */
