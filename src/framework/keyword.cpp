#include "framework/keyword.h"

#include <algorithm>
#include <array>
#include <limits>

#include "framework/language.h"

namespace varizav {
namespace {

// Comparison classes of the Windows-1252 bytes: letters fold to lower case
// (the accented letters of ISO 8859-15 included, so that "Ä" equals "ä" but
// not "a"), digits stand for themselves, and everything else is ignored.
constexpr std::array<uint8_t, 256> make_class_table() {
  std::array<uint8_t, 256> c{};
  for (int b = 0; b < 256; ++b) c[b] = 1;
  c[0] = 0;
  for (int b = '0'; b <= '9'; ++b) c[b] = static_cast<uint8_t>(b);
  for (int b = 'a'; b <= 'z'; ++b) c[b] = static_cast<uint8_t>(b);
  for (int b = 'A'; b <= 'Z'; ++b) c[b] = static_cast<uint8_t>(b + 0x20);
  for (int b = 0xC0; b <= 0xDE; ++b) {
    if (b != 0xD7) c[b] = static_cast<uint8_t>(b + 0x20);  // 0xD7 is the multiplication sign
  }
  for (int b = 0xDF; b <= 0xFF; ++b) {
    if (b != 0xF7) c[b] = static_cast<uint8_t>(b);  // 0xF7 is the division sign
  }
  c[0xA6] = 0xA8;  // S caron (ISO 8859-15) folds onto s caron
  c[0xA8] = 0xA8;
  c[0xBC] = 0xBD;  // OE ligature folds onto oe
  c[0xBD] = 0xBD;
  c[0xBE] = 0xFF;  // Y diaeresis folds onto y diaeresis
  c[0xB4] = 0xB4;  // Z caron
  c[0xB8] = 0xB8;  // z caron
  return c;
}

constexpr std::array<uint8_t, 256> kClassTable = make_class_table();

uint8_t cls(const char* p) { return kClassTable[static_cast<unsigned char>(*p)]; }

// Skips ignored bytes and returns the class of the next significant byte
// (0 at the end); *skipped counts the ignored bytes passed over.
uint8_t next_class(const char*& p, int64_t* skipped) {
  uint8_t k = cls(p);
  while (k == 1) {
    ++p;
    if (skipped) ++*skipped;
    k = cls(p);
  }
  if (k != 0) ++p;
  return k;
}

bool significant_left(const char* p) {
  for (uint8_t k = cls(p); k != 0; k = cls(++p)) {
    if (k != 1) return true;
  }
  return false;
}

// True when text selects name. n starts at the text's length in bytes, ignored
// characters included; every ignored character skipped in the name pays for one
// ignored character of the text. The comparison goes on while the count lasts or
// the text still holds a significant character, so that a text longer than the
// name ("AdarII" against "Adar I") never matches.
bool matches(const char* text, const char* name, int64_t n) {
  for (;;) {
    const uint8_t t = next_class(text, nullptr);
    int64_t skipped = 0;
    const uint8_t u = next_class(name, &skipped);
    n -= skipped;
    if (t == 0 || t != u) return t == 0 && u == 0;
    --n;
    if (n <= 0 && !significant_left(text)) return true;
  }
}

int64_t text_length(const char* text) {
  int64_t n = 0;
  while (text[n] != '\0') ++n;
  return n;
}

}  // namespace

uint8_t keyword_class(uint8_t byte) noexcept { return kClassTable[byte]; }

LeadingInteger read_leading_integer(const char* text, Blanks blanks) noexcept {
  const char* p = text;
  if (blanks == Blanks::spaces_and_tabs) {
    while (*p == ' ' || *p == '\t') ++p;
  } else {
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  }
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  const char* const digits = p;
  uint32_t wrapped = 0;   // unsigned: wraps at 32 bits by design
  int64_t magnitude = 0;  // held at 2^31 once it gets there: [0, 2^31]
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  for (; *p >= '0' && *p <= '9'; ++p) {
    wrapped = wrapped * 10u + static_cast<uint32_t>(*p - '0');
    magnitude = magnitude * 10 + (*p - '0');
    if (magnitude > kLimit) magnitude = kLimit;
  }
  if (p == digits) return {0, 0, false, text};
  if (negative) wrapped = 0u - wrapped;
  // -2^31 is exact; only +2^31 lies past the range.
  const int64_t v = negative ? -magnitude : std::min(magnitude, kLimit - 1);
  return {static_cast<int32_t>(v), static_cast<int32_t>(wrapped), true, p};
}

int32_t keyword_entry(NameText name, const KeywordTable& table) noexcept {
  const char* const text = name.text;
  const int32_t number = leading_integer_wrapping(text);
  if (number >= 1 && number <= table.count) return number;

  const char* const* names = names_in(table, name.language);
  if (text[0] == '\0') {
    for (int32_t k = table.count; k >= 1; --k) {
      if (names[k - 1][0] == '\0') return k;
    }
    return 0;
  }
  const int64_t n = text_length(text);
  // A name whose first significant character differs from the text's cannot
  // match (matches() would stop there): most names are passed over at once.
  const char* rest = text;
  const uint8_t first = next_class(rest, nullptr);
  for (int32_t k = 1; k <= table.count; ++k) {
    const char* candidate = names[k - 1];
    if (first != 0 && next_class(candidate, nullptr) != first) continue;
    if (matches(text, names[k - 1], n)) return k;
  }
  return 0;
}

int32_t keyword_lookup(NameText name, const KeywordTable& table) noexcept {
  const int32_t entry = keyword_entry(name, table);
  if (entry == 0) return 0;
  return table.values ? table.values[entry - 1] : entry;
}

}  // namespace varizav
