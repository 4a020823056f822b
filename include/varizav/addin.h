/*
 * varizav: calendar add-in for spreadsheets.
 *
 * The C interface of libvarizav.so as a host sees it: the registration entry
 * points of the legacy add-in protocol, the version accessors and the
 * worksheet functions. Every worksheet function receives a pointer to its
 * result (a double, or a 256-byte text buffer) followed by one pointer per
 * argument (a double, or a zero-terminated Windows-1252 text); dates are
 * spreadsheet serial numbers (day 0 = 30 December 1899). Invalid input gives
 * the error value, a quiet NaN, or an empty text.
 */
#ifndef VARIZAV_ADDIN_H
#define VARIZAV_ADDIN_H

#ifdef __cplusplus
extern "C" {
#endif

#define VARIZAV_API __attribute__((visibility("default")))

/* Argument and result type codes written by GetFunctionData. */
enum { VARIZAV_TYPE_NUMBER = 0, VARIZAV_TYPE_TEXT = 1 };

/* Size of every text buffer the host passes, terminator included. */
enum { VARIZAV_TEXT_SIZE = 256 };

/* ---- Worksheet functions ---- */

/* JulianDay -> serial date (argument - 2415018.5). */
VARIZAV_API void SC_astronomy(double* result, const double* julian_day);
/* A serial date written as a date of the named calendar; mode 0 numbers,
   mode < 0 numbers with the day's fraction, mode > 0 text. */
VARIZAV_API void SC_calendar(char* result, const char* calendar, const double* date, const double* mode);

/* 1 for a leap year of the named calendar (year as text; Chinese "cycle-year"), else 0. */
VARIZAV_API void SC_leapyear(double* result, const char* calendar, const char* year);
/* 1 when the date lies in a leap year of the named calendar, else 0. */
VARIZAV_API void SC_leapyear2(double* result, const char* calendar, const double* date);
/* A chronological cycle of a year as text: Epact, Indiction, Regent, Golden Number,
   Solar Cycle, Dominical Letter ("Err:502" for an unknown cycle). */
VARIZAV_API void SC_chronology(char* result, const char* cycle, const double* year);

#ifdef __cplusplus
}
#endif

#endif /* VARIZAV_ADDIN_H */
