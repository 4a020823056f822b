#include "framework/text_format.h"

#include <atomic>
#include <bit>
#include <cmath>
#include <cstdarg>
#include <cstring>

#include "framework/date.h"
#include "platform/numeric_conventions.h"

namespace varizav {
namespace {

__extension__ typedef unsigned __int128 Uint128;

// Setting: written only by the configuration read at GetFunctionCount (the
// separator that LANG names).
std::atomic<char> g_decimal_separator{'.'};

constexpr int kLast = kTextCapacity - 1;  // position of the terminator when the text is full

int put_char(char* out, int at, char c) noexcept {
  if (at < kLast) out[at++] = c;
  return at;
}

int put_repeated(char* out, int at, char c, int count) noexcept {
  for (; count > 0 && at < kLast; --count) out[at++] = c;
  return at;
}

// Decimal digits of v, most significant first, into digits; returns their count (1..20).
int decimal_digits(uint64_t v, char* digits) noexcept {
  char reversed[20];
  int n = 0;
  do {
    reversed[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0);
  for (int i = 0; i < n; ++i) digits[i] = reversed[n - 1 - i];
  return n;
}

// Decimal digits of an integral double of at least 2^63 (up to 309 digits):
// its 53-bit significand multiplied by 2^exponent in limbs of 9 decimal digits.
int large_integer_digits(double a, char* digits) noexcept {
  int exponent = 0;
  const double significand = std::frexp(a, &exponent);  // a = significand * 2^exponent, significand in [0.5, 1)
  uint64_t m = static_cast<uint64_t>(std::ldexp(significand, 53));
  exponent -= 53;
  constexpr uint32_t kLimb = 1000000000;
  uint32_t limbs[36] = {};  // little-endian, base 10^9: 324 digits
  int used = 0;
  for (; m != 0; m /= kLimb) limbs[used++] = static_cast<uint32_t>(m % kLimb);
  while (exponent > 0) {
    const int shift = exponent < 29 ? exponent : 29;  // limb * 2^29 < 2^59
    uint64_t carry = 0;
    for (int i = 0; i < used; ++i) {
      const uint64_t x = (uint64_t{limbs[i]} << shift) + carry;
      limbs[i] = static_cast<uint32_t>(x % kLimb);
      carry = x / kLimb;
    }
    for (; carry != 0; carry /= kLimb) limbs[used++] = static_cast<uint32_t>(carry % kLimb);
    exponent -= shift;
  }
  int n = decimal_digits(limbs[used - 1], digits);
  for (int i = used - 2; i >= 0; --i) {
    uint32_t limb = limbs[i];
    for (int k = 8; k >= 0; --k) {
      digits[n + k] = static_cast<char>('0' + limb % 10);
      limb /= 10;
    }
    n += 9;
  }
  return n;
}

constexpr uint32_t kPowersOf5[10] = {1, 5, 25, 125, 625, 3125, 15625, 78125, 390625, 1953125};
constexpr uint32_t kPowersOf10[10] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

// f (0 <= f < 1) times 10^decimals, rounded to nearest with ties to even, from
// the exact binary value: f = m 2^e, f 10^d = (m 5^d) 2^(e + d). A tie goes
// to the even last digit written: with no decimals, that of the whole part.
uint64_t scaled_fraction(double f, int decimals, bool whole_is_odd) noexcept {
  if (f == 0.0) return 0;
  int exponent = 0;
  const double significand = std::frexp(f, &exponent);
  const uint64_t m = static_cast<uint64_t>(std::ldexp(significand, 53));  // < 2^53
  const int shift = 53 - exponent - decimals;                             // > 0, since f < 1 and decimals <= 9
  const Uint128 p = Uint128{m} * kPowersOf5[decimals];                    // < 2^75
  if (shift > 76) return 0;                                               // p 2^-shift < 1/2
  const uint64_t q = static_cast<uint64_t>(p >> shift);
  const Uint128 rest = p - (Uint128{q} << shift);
  const Uint128 half = Uint128{1} << (shift - 1);
  const bool last_is_odd = decimals == 0 ? whole_is_odd : (q & 1) != 0;
  return (rest > half || (rest == half && last_is_odd)) ? q + 1 : q;
}

// The conversion of put_fixed into a scratch buffer (at most 1 + 309 + 1 + 9 characters).
int fixed_digits(double value, int decimals, char* text) noexcept {
  int n = 0;
  if (std::signbit(value)) text[n++] = '-';
  if (std::isnan(value) || std::isinf(value)) {
    std::memcpy(text + n, std::isnan(value) ? "nan" : "inf", 3);
    return n + 3;
  }
  const double a = std::fabs(value);
  uint64_t fraction = 0;
  if (a < 9223372036854775808.0) {  // 2^63
    uint64_t whole = static_cast<uint64_t>(a);
    fraction = scaled_fraction(a - static_cast<double>(whole), decimals, (whole & 1) != 0);  // a - whole is exact
    if (fraction == kPowersOf10[decimals]) {
      ++whole;
      fraction = 0;
    }
    n += decimal_digits(whole, text + n);
  } else {
    n += large_integer_digits(a, text + n);
  }
  if (decimals > 0) {
    text[n++] = g_decimal_separator.load(std::memory_order_relaxed);
    for (int k = decimals - 1; k >= 0; --k) {
      text[n + k] = static_cast<char>('0' + fraction % 10);
      fraction /= 10;
    }
    n += decimals;
  }
  return n;
}

int put_padded(char* out, int at, const char* text, int length, int width) noexcept {
  at = put_repeated(out, at, ' ', width - length);
  const int room = kLast - at;
  const int n = length < room ? length : room;
  for (int i = 0; i < n; ++i) out[at + i] = text[i];  // a few bytes: cheaper than a call of memcpy
  return at + n;
}

}  // namespace

char decimal_separator() noexcept { return g_decimal_separator.load(std::memory_order_relaxed); }
void set_decimal_separator(char separator) noexcept { g_decimal_separator.store(separator, std::memory_order_relaxed); }

int put_text(char* out, int at, const char* text, int max_chars) noexcept {
  for (int i = 0; text[i] != '\0' && i != max_chars && at < kLast; ++i) out[at++] = text[i];
  return at;
}

int put_integer(char* out, int at, int64_t value, int width, bool zero_pad) noexcept {
  // The digits from the last one back, behind the room for a sign.
  char text[21];
  char* p = text + sizeof text;
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  const int digits = static_cast<int>(text + sizeof text - p);
  const int length = digits + (value < 0 ? 1 : 0);
  if (width > length) {
    if (zero_pad) {
      if (value < 0) at = put_char(out, at, '-');
      return put_padded(out, put_repeated(out, at, '0', width - length), p, digits, 0);
    }
    at = put_repeated(out, at, ' ', width - length);
  }
  if (value < 0) *--p = '-';
  return put_padded(out, at, p, length, 0);
}

int put_fixed(char* out, int at, double value, int decimals) noexcept {
  char text[1 + 309 + 1 + 9];
  return put_padded(out, at, text, fixed_digits(value, decimals, text), 0);
}

// printf's conversions as the formatters use them: %s, %.Ns, %d, %ld, %Nd,
// %0Nd, %f, %.Nf (N <= 9) and %%, each with an optional width.
int format_text(char* out, const char* format, ...) noexcept {
  va_list args;
  va_start(args, format);
  int at = 0;
  for (const char* p = format; *p != '\0'; ++p) {
    if (*p != '%') {
      at = put_char(out, at, *p);
      continue;
    }
    ++p;
    const bool zero_pad = *p == '0';
    if (zero_pad) ++p;
    int width = 0;
    for (; *p >= '0' && *p <= '9'; ++p) width = 10 * width + (*p - '0');
    int precision = -1;
    if (*p == '.') {
      precision = 0;
      for (++p; *p >= '0' && *p <= '9'; ++p) precision = 10 * precision + (*p - '0');
    }
    bool is_long = false;
    for (; *p == 'l'; ++p) is_long = true;
    switch (*p) {
      case 'd':
      case 'i': at = put_integer(out, at, is_long ? va_arg(args, long) : va_arg(args, int), width, zero_pad); break;
      case 's': {
        const char* text = va_arg(args, const char*);
        const int length = precision < 0 ? static_cast<int>(std::strlen(text))
                                         : static_cast<int>(strnlen(text, static_cast<size_t>(precision)));
        at = put_padded(out, at, text, length, width);
        break;
      }
      case 'f': {
        char text[1 + 309 + 1 + 9];
        const int decimals = precision < 0 ? 6 : (precision > 9 ? 9 : precision);
        at = put_padded(out, at, text, fixed_digits(va_arg(args, double), decimals, text), width);
        break;
      }
      case '%': at = put_char(out, at, '%'); break;
      default:  // not a conversion of the formatters (or the format's end): the text ends here
        va_end(args);
        out[at] = '\0';
        return at;
    }
  }
  va_end(args);
  out[at] = '\0';
  return at;
}

double read_decimal_text(const char* text) noexcept {
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  if (*p == '+' || *p == '-') ++p;
  // Only a digit or a separator may follow; this keeps the hexadecimal,
  // infinity and NaN forms of strtod out.
  const bool digit = *p >= '0' && *p <= '9';
  if (!digit && *p != '.' && *p != ',') return 0.0;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) return 0.0;
  // The text in C notation: the configured separator becomes a full stop,
  // and the other one of '.' and ',' ends the number, as it ends it for
  // strtod in a locale with that separator.
  const char separator = decimal_separator();
  char c_text[kTextCapacity];
  int n = 0;
  for (const char* q = text; *q != '\0' && n < kTextCapacity - 1; ++q) {
    if (*q == separator) {
      c_text[n++] = '.';
    } else if (*q == '.' || *q == ',') {
      break;
    } else {
      c_text[n++] = *q;
    }
  }
  c_text[n] = '\0';
  return platform::read_c_number(c_text);
}

int copy_text(char* out, const char* text) noexcept {
  int n = 0;
  while (n < kTextCapacity - 1 && text[n] != '\0') {
    out[n] = text[n];
    ++n;
  }
  out[n] = '\0';
  return n;
}

}  // namespace varizav
