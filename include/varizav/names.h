/*
 * varizav: the names that the worksheet functions' text arguments accept.
 *
 * Every argument that names something (a calendar, a month, a weekday, a
 * holiday or astronomical event, a chronological cycle, a Japanese era, a
 * Roman division point or day count) is looked up in one of these lists.
 * A list has entries 1..count, each with an English and a German name; an
 * argument selects an entry by its number written as text, by its name in the
 * language of the lookup or by an abbreviation of that name, ignoring case and
 * punctuation. The language is an argument here: a Windows language
 * identifier, German names for 1031 (0x0407), English names for any other.
 * varizav_name_language tells which language the worksheet functions use now.
 */
#ifndef VARIZAV_NAMES_H
#define VARIZAV_NAMES_H

#include <stdint.h>

#include "varizav/addin.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The lists. Holidays and months are one list per calendar: add the calendar's
   0-based position in the calendar list (VARIZAV_LIST_HOLIDAYS + 10 are the
   Gregorian holidays; the astronomical calendar's are the astronomical events).
   A calendar without month names has an empty month list. */
enum {
  VARIZAV_LIST_CALENDARS = 0,
  VARIZAV_LIST_HOLIDAYS = 1,
  VARIZAV_LIST_MONTHS = 26,
  VARIZAV_LIST_WEEKDAYS = 51,
  VARIZAV_LIST_CYCLES = 52,
  VARIZAV_LIST_ERAS = 53,
  VARIZAV_LIST_DIVISIONS = 54,
  VARIZAV_LIST_DAY_COUNTS = 55,
  VARIZAV_LIST_COUNT = 56
};

/* The Windows language identifier whose names the worksheet functions look up
   now: what SetLanguage and the VARIZAV_LANGUAGE setting last chose. */
VARIZAV_API int32_t varizav_name_language(void);

/* Entries of a list; 0 for an unknown list and for an empty month list. */
VARIZAV_API int32_t varizav_name_count(int32_t list);

/* Name of entry 1..count of a list in a language, as a constant Windows-1252
   text; the empty text for an unknown list or entry (the Roman day count 1 is
   the one entry whose name is empty). */
VARIZAV_API const char* varizav_name(int32_t list, int32_t entry, int32_t language);

/* The entry (1..count) that a text selects in a list when the names are
   compared in a language, exactly as a worksheet function's argument selects
   it; 0 when it selects none. The text is in the host's character set, as a
   worksheet function's text argument is. */
VARIZAV_API int32_t varizav_name_entry(int32_t list, const char* text, int32_t language);

#ifdef __cplusplus
}
#endif

#endif /* VARIZAV_NAMES_H */
