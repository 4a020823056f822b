/*
 * varizav: values for hosts that are not spreadsheets.
 *
 * A spreadsheet hands the worksheet functions doubles and shows their results
 * itself. The host tool, the WebAssembly package and the other bindings read
 * number arguments from text and write results as text; these functions do
 * that for them, so that every shell reads and writes the same bytes. Dates
 * are serial dates (day 0 = 30 December 1899, 0h) and, where a date is
 * written out, proleptic Gregorian dates with astronomical year numbering
 * (year 0 = 1 BC). None of them depends on the settings (language, reform
 * date, time zone) or on an earlier call; texts are written into the host's
 * 256-byte buffers (VARIZAV_TEXT_SIZE). The WebAssembly build has no
 * varizav_read_number and varizav_write_number (its C++ library cannot convert
 * doubles to and from text); the npm package keeps them in JavaScript.
 */
#ifndef VARIZAV_TOOLS_H
#define VARIZAV_TOOLS_H

#include <stdint.h>

#include "varizav/addin.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Serial date of the text "YYYY-MM-DD[THH:MM[:SS]]" (a year of 1 to 9 digits
   with an optional sign; T or t before the time) into *serial: 1, or 0 when
   the text is not such a date or names a day or a time that does not exist
   (*serial left alone). */
VARIZAV_API int32_t varizav_read_date(const char* text, double* serial);

/* A number argument written as text into *value: a decimal number (digits
   with an optional point and exponent, an optional leading '+' or '-'; inf
   and nan are read too), TRUE or WAHR (1) and FALSE or FALSCH (0) in any case,
   or a date as varizav_read_date reads it (its serial date). 1, or 0 for any
   other text, blanks included (*value left alone). */
VARIZAV_API int32_t varizav_read_number(const char* text, double* value);

/* Serial date of 0h of the proleptic Gregorian date year-month-day into
   *serial: 1, or 0 when month or day do not exist in that year. */
VARIZAV_API int32_t varizav_serial_of_date(int32_t year, int32_t month, int32_t day, double* serial);

/* A serial date rounded to the nearest second, as a proleptic Gregorian date
   and time of day. */
typedef struct {
  int64_t year;
  int32_t month;  /* 1..12 */
  int32_t day;    /* 1..31 */
  int32_t hour;   /* 0..23 */
  int32_t minute; /* 0..59 */
  int32_t second; /* 0..59 */
} VarizavDateTime;

/* The date and time of a serial date into *out: 1, or 0 for NaN, infinities
   and serial dates beyond +-1e13 days (*out left alone). */
VARIZAV_API int32_t varizav_date_of_serial(double serial, VarizavDateTime* out);

/* Weekday of the day that holds a serial date: 0 = Monday .. 6 = Sunday;
   -1 for NaN and infinities. */
VARIZAV_API int32_t varizav_weekday(double serial);

/* A number as text into out: the shortest text that reads back as the same
   double, written without an exponent for magnitudes from 1 to 1e15; "NaN"
   for every NaN, "inf" and "-inf" for the infinities. Returns the length. */
VARIZAV_API int32_t varizav_write_number(double value, char* out);

/* "YYYY-MM-DDTHH:MM:SS" of a serial date (varizav_date_of_serial; negative
   years as "-YYYY") into out; the empty text where that gives no date.
   Returns the length. */
VARIZAV_API int32_t varizav_write_date(double serial, char* out);

#ifdef __cplusplus
}
#endif

#endif /* VARIZAV_TOOLS_H */
