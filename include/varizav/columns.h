/*
 * varizav: whole columns of worksheet calls, and settings given as values.
 *
 * For hosts that hold many values at once (Python arrays, database engines,
 * JavaScript typed arrays): one call runs a worksheet function over every row
 * of its argument columns, with exactly the results of one call per row.
 * Texts cross this interface as UTF-8 whatever the host's character set.
 */
#ifndef VARIZAV_COLUMNS_H
#define VARIZAV_COLUMNS_H

#include <stddef.h>
#include <stdint.h>

#include "varizav/addin.h"

#ifdef __cplusplus
extern "C" {
#endif

/* One argument column: numbers (for a number argument) or zero-terminated
   UTF-8 texts (for a text argument; bytes past the 255th are not read, as a
   host's 256-byte buffer holds no more). length is 1 when the one value
   applies to every row, else the row count of the call. */
typedef struct {
  const double* numbers;
  const char* const* texts;
  size_t length;
} VarizavColumn;

/* The result column. Number results: numbers[row]. Text results: written one
   after another from texts (text_capacity bytes, owned by the caller), each
   UTF-8 and followed by a zero byte; text_lengths[row] (when not null) is its
   length in bytes, the zero byte excluded. A row is written only while at
   least VARIZAV_TEXT_SIZE bytes are left; an empty text is the error value. */
typedef struct {
  double* numbers;
  char* texts;
  size_t text_capacity;
  size_t* text_lengths;
} VarizavResultColumn;

/* Calls function number `function` (0..34, as GetFunctionData numbers them)
   for rows first_row .. rows - 1; one column per argument, in call order.
   Returns the row after the last one done: rows, or less when the text
   storage ran short (call again from there with fresh storage), or -1 for a
   call that cannot be made (unknown function, wrong argument count, a column
   of the wrong kind or length, no result storage). */
VARIZAV_API int64_t VarizavCallColumns(unsigned short function, const VarizavColumn* arguments,
                                       size_t argument_count, size_t first_row, size_t rows,
                                       VarizavResultColumn* result);

/* Applies settings given as texts, each read exactly as GetFunctionCount reads
   the environment variable of that name: VARIZAV_CALREFORM, VARIZAV_DELTA_T,
   VARIZAV_LANGUAGE, VARIZAV_MAX_LOOP, VARIZAV_TIMEZONE, TZ and LANG. A name
   that is not given counts as an absent variable; other names are ignored.
   The environment is neither read nor changed. From then on the worksheet
   functions read and write their texts as UTF-8, as hosts that configure
   through values (Python, databases) pass them. */
VARIZAV_API void VarizavConfigure(const char* const* names, const char* const* values, size_t count);

#ifdef __cplusplus
}
#endif

#endif /* VARIZAV_COLUMNS_H */
