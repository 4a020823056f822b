/*
 * varizav: GEDCOM date values.
 *
 * Reads a date value of a GEDCOM 5.5.1 or 7.0 file ("@#DJULIAN@ 11 FEB 1731/32",
 * "ABT @#DHEBREW@ NSN 5784", "BET 1850 AND 1860", "JULIAN 11 FEB 1732 BCE") as
 * the range of civil days it names. For bindings and tools beside the
 * worksheet functions of varizav/addin.h; same library, same conventions:
 * serial dates (day 0 = 30 December 1899), no allocation, 256-byte texts.
 */
#ifndef VARIZAV_GEDCOM_H
#define VARIZAV_GEDCOM_H

#include <stdint.h>

#include "varizav/addin.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The kind of a date value. BEF and AFT give the range of the date named;
   BET a AND b and FROM a TO b from the first day of a to the last day of b. */
enum {
  VARIZAV_GEDCOM_INVALID = 0,
  VARIZAV_GEDCOM_EXACT = 1,       /* a day, a month or a year */
  VARIZAV_GEDCOM_ABOUT = 2,       /* ABT, CAL, EST */
  VARIZAV_GEDCOM_BEFORE = 3,      /* BEF */
  VARIZAV_GEDCOM_AFTER = 4,       /* AFT */
  VARIZAV_GEDCOM_BETWEEN = 5,     /* BET ... AND ... */
  VARIZAV_GEDCOM_PERIOD = 6,      /* FROM ... TO ..., FROM ..., TO ... */
  VARIZAV_GEDCOM_INTERPRETED = 7  /* INT date (phrase) */
};

/* A zero-terminated date value (ASCII keywords in any case; blanks around it
   ignored) -> its kind; *first and *last receive the serial dates (whole
   days) of the first and the last civil day named, the same day twice for an
   exact day. A Hebrew day, which begins at 18:00 the evening before, is the
   civil day of its daylight. For a text that is no date: VARIZAV_GEDCOM_INVALID,
   both dates the error value, and reason (a VARIZAV_TEXT_SIZE buffer, may be
   null) an English sentence saying why; "" otherwise. */
VARIZAV_API int32_t varizav_gedcom_date(const char* value, double* first, double* last, char* reason);

/* "exact", "about", "before", "after", "between", "period", "interpreted" or
   "invalid" for a kind. */
VARIZAV_API const char* varizav_gedcom_kind_name(int32_t kind);

#ifdef __cplusplus
}
#endif

#endif /* VARIZAV_GEDCOM_H */
