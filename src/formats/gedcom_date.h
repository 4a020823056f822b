// GEDCOM date values (GEDCOM 5.5.1 and 7.0) read as ranges of days.
//
// A date value names a calendar (5.5.1: an escape such as "@#DJULIAN@"; 7.0:
// a word such as "JULIAN"; none: Gregorian), a day, a month or a year of it,
// and a qualifier: "ABT", "CAL", "EST" (about), "BEF", "AFT", "BET ... AND ...",
// "FROM ... TO ..." (a period) or "INT ... (phrase)" (interpreted). The reader
// gives the first and the last civil day that the named dates span and the
// kind of the value, or why the text is no date.
//
// Days are spreadsheet serial days (integers). A Hebrew day, which begins at
// 18:00 of the civil day before, is given as the civil day of its daylight.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace varizav {

// The kind of a date value; the numbers are those of include/varizav/gedcom.h.
enum class GedcomKind : int32_t {
  kInvalid = 0,
  kExact = 1,        // a day, a month or a year
  kAbout = 2,        // ABT, CAL, EST
  kBefore = 3,       // BEF: the range is the date named, the event lies before it
  kAfter = 4,        // AFT: likewise after it
  kBetween = 5,      // BET a AND b: from the first day of a to the last of b
  kPeriod = 6,       // FROM a TO b, FROM a, TO b
  kInterpreted = 7,  // INT date (phrase)
};

// Size of the buffer that receives the reason for a rejected value,
// terminator included.
constexpr size_t kGedcomReasonSize = 256;

struct GedcomRange {
  GedcomKind kind;
  int32_t calendar;  // CalendarId of the first date named (-1 when invalid)
  double first;      // serial day of the first day, NaN when invalid
  double last;       // serial day of the last day, NaN when invalid
};

// Reads one date value (surrounding blanks ignored, keywords and month codes
// in any case). On a rejection the kind is kInvalid and reason (kGedcomReasonSize
// bytes, may be null) holds an English sentence; otherwise reason is "".
GedcomRange read_gedcom_date(std::string_view value, char* reason) noexcept;

// "exact", "about", "before", "after", "between", "period", "interpreted",
// "invalid".
const char* gedcom_kind_name(GedcomKind kind) noexcept;

}  // namespace varizav
