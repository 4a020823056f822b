// Digit writers of the add-in's texts. They write exactly the bytes of the
// printf conversions the formatters use (%d, %ld, %5d, %02d, %f, %.0f, %s,
// %.3s), with the configured decimal separator, into a text buffer of
// kTextCapacity bytes, and never past kTextCapacity - 1 characters: a longer
// text is cut there, as snprintf cuts it. No locale is consulted while a text
// is written.
#pragma once

#include <cstdint>

namespace varizav {

// Capacity of every text the library writes (dates, names, cycles, version
// texts), terminator included: no writer goes past it.
constexpr int kTextCapacity = 256;

// The decimal separator of %f: '.' unless the configuration chose another.
char decimal_separator() noexcept;
void set_decimal_separator(char separator) noexcept;

// Each writer appends to out at position at (0 <= at <= kTextCapacity - 1)
// and returns the new position; none writes the terminator.

// Up to max_chars characters of text (max_chars < 0: all), as %s or %.Ns.
int put_text(char* out, int at, const char* text, int max_chars = -1) noexcept;

// A decimal integer right-aligned in width characters, padded with blanks
// (%Nd) or with zeros after the sign (%0Nd).
int put_integer(char* out, int at, int64_t value, int width = 0, bool zero_pad = false) noexcept;

// A double with `decimals` (0..9) digits after the separator, as %.Nf prints
// it: the exact binary value rounded to nearest, ties to even; "-" for every
// value with the sign bit (also -0.0 and negatives that round to zero);
// "inf", "-inf", "nan", "-nan".
int put_fixed(char* out, int at, double value, int decimals) noexcept;

// printf-style formatting into a text buffer, bounded to kTextCapacity bytes
// including the terminator, with the configured decimal separator: the
// conversions %s, %.Ns, %d, %ld, %Nd, %0Nd, %f and %.Nf, written byte for
// byte as printf writes them. Returns the number of characters written.
int format_text(char* out, const char* format, ...) noexcept __attribute__((format(printf, 2, 3)));

// Bounded copy of a text into a buffer of kTextCapacity bytes (terminator included).
int copy_text(char* out, const char* text) noexcept;

// Leading decimal number of a text, read with the configured decimal
// separator: blanks skipped, an optional sign, digits, an optional decimal
// separator and exponent; 0 when the text does not begin with such a number
// (hexadecimal, "inf" and "nan" texts included).
double read_decimal_text(const char* text) noexcept;

}  // namespace varizav
