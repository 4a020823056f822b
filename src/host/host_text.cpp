#include "host/host_text.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "framework/keyword.h"
#include "platform/host_encoding.h"

namespace varizav {
namespace {

// Unicode code points of the Windows-1252 bytes 0x80..0x9F (the code page's
// own assignments; 0 marks the five undefined bytes 0x81, 0x8D, 0x8F, 0x90,
// 0x9D). Every other byte is the code point of the same number.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80..0x87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 0x88..0x8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90..0x97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 0x98..0x9F
};

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Windows-1252 byte of a code point, or kUnmappedCharacter when the code page lacks it.
unsigned char cp1252_byte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  if (c >= 0x100) {
    for (size_t i = 0; i < kHighControls.size(); ++i) {
      if (kHighControls[i] == c) return static_cast<unsigned char>(0x80 + i);
    }
  }
  return kUnmappedCharacter;  // U+0080..U+009F, and everything beyond the code page
}

char32_t code_point_of(unsigned char byte) {
  if (byte < 0x80 || byte >= 0xA0) return byte;
  const char32_t c = kHighControls[byte - 0x80u];
  return c != 0 ? c : kReplacementCharacter;
}

// Decodes one UTF-8 character at p; advances p past it. A malformed sequence
// (stray continuation byte, overlong form, surrogate, beyond U+10FFFF, cut
// short) consumes its first byte and decodes as kReplacementCharacter.
char32_t decode_utf8(const unsigned char*& p) {
  const unsigned char lead = *p++;
  if (lead < 0x80) return lead;
  int trail = 0;
  char32_t c = 0;
  char32_t least = 0;  // smallest code point of this sequence length (no overlong forms)
  if (lead >= 0xC2 && lead <= 0xDF) {
    trail = 1, c = lead & 0x1Fu, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    trail = 2, c = lead & 0x0Fu, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    trail = 3, c = lead & 0x07u, least = 0x10000;
  } else {
    return kReplacementCharacter;
  }
  for (int i = 0; i < trail; ++i) {
    if ((p[i] & 0xC0u) != 0x80u) return kReplacementCharacter;  // also stops at the terminator
    c = (c << 6) | (p[i] & 0x3Fu);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return kReplacementCharacter;
  p += trail;
  return c;
}

// UTF-8 bytes of c into out; returns their number (1..3: every Windows-1252
// character lies in the Basic Multilingual Plane).
size_t encode_utf8(char32_t c, unsigned char* out) {
  if (c < 0x80) {
    out[0] = static_cast<unsigned char>(c);
    return 1;
  }
  if (c < 0x800) {
    out[0] = static_cast<unsigned char>(0xC0 | (c >> 6));
    out[1] = static_cast<unsigned char>(0x80 | (c & 0x3F));
    return 2;
  }
  out[0] = static_cast<unsigned char>(0xE0 | (c >> 12));
  out[1] = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
  out[2] = static_cast<unsigned char>(0x80 | (c & 0x3F));
  return 3;
}

// The next character of a host text as a Windows-1252 byte, 0 at the end;
// advances p past it.
unsigned char next_character(const unsigned char*& p, bool utf8) {
  if (*p == '\0') return 0;
  if (!utf8 || *p < 0x80) return *p++;
  return cp1252_byte(decode_utf8(p));
}

bool is_white_space(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_blank_or_tab(unsigned char c) { return c == ' ' || c == '\t'; }

// A text of more than kHostTextSize - 1 characters, written into out
// (kHostTextSize bytes) in a form that every reader of the add-in reads as it
// reads the whole text.
//
// Letters and digits are kept. Of a run of ignored characters (blanks and
// punctuation, which the name lookup skips) the numbers' readers look at
// no more than this: its first character (the Chinese "78-18" skips one), then
// white space (skipped whole, or up to the first character other than blank
// or tab), then three more characters (a sign and a separator, and the next
// one, which is no digit). The run keeps those; the rest of it is dropped.
// Blanks fill the form up to kHostTextSize - 1 characters: they are ignored
// everywhere and keep a padded abbreviation from passing for an abbreviation,
// as the whole text's many ignored characters do (a name would need 255
// characters to tell them apart). A form that still does not fit ends in
// kUnmappedCharacter in the last place, as a transcoded text that does not fit.
void write_compact_form(const char* text, bool utf8, char* out) {
  constexpr size_t kMaxCharacters = kHostTextSize - 1;
  constexpr int kKeptAfterWhiteSpace = 3;
  enum class Run { none, white_space, after_white_space };
  Run run = Run::none;
  unsigned char first_space = 0;  // the run's first white space character after its first character
  bool other_space_kept = false;  // a white space character other than blank or tab behind first_space
  int kept_after = 0;
  size_t n = 0;
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  for (unsigned char c = next_character(p, utf8); c != 0; c = next_character(p, utf8)) {
    bool keep = true;
    if (keyword_class(c) != 1) {
      run = Run::none;
    } else if (run == Run::none) {
      run = Run::white_space;
      first_space = 0;
      other_space_kept = false;
      kept_after = 0;
    } else if (run == Run::white_space && is_white_space(c)) {
      if (first_space == 0) {
        first_space = c;
      } else if (is_blank_or_tab(first_space) && !is_blank_or_tab(c) && !other_space_kept) {
        other_space_kept = true;
      } else {
        keep = false;
      }
    } else {
      run = Run::after_white_space;
      keep = kept_after++ < kKeptAfterWhiteSpace;
    }
    if (!keep) continue;
    if (n == kMaxCharacters) {
      out[n - 1] = static_cast<char>(kUnmappedCharacter);
      out[n] = '\0';
      return;
    }
    out[n++] = static_cast<char>(c);
  }
  while (n < kMaxCharacters) out[n++] = ' ';
  out[n] = '\0';
}

}  // namespace

void set_host_text_utf8(bool utf8) noexcept { detail::g_host_utf8.store(utf8, std::memory_order_relaxed); }

void detect_host_charset() noexcept { set_host_text_utf8(platform::host_charset_is_utf8()); }

size_t utf8_to_cp1252(const char* text, char* out, size_t out_size) noexcept {
  if (out_size == 0) return 0;
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  size_t n = 0;
  while (*p != '\0') {
    const unsigned char byte = cp1252_byte(decode_utf8(p));
    if (n + 1 == out_size) {
      // No room left for this character: mark the cut so that the text
      // cannot match as the shorter text it would otherwise become.
      if (n > 0) out[n - 1] = static_cast<char>(kUnmappedCharacter);
      break;
    }
    out[n++] = static_cast<char>(byte);
  }
  out[n] = '\0';
  return n;
}

size_t cp1252_to_utf8(const char* text, char* out, size_t out_size) noexcept {
  if (out_size == 0) return 0;
  size_t n = 0;
  for (const auto* p = reinterpret_cast<const unsigned char*>(text); *p != '\0'; ++p) {
    if (*p < 0x80) {  // ASCII: the same byte
      if (n + 1 >= out_size) break;
      out[n++] = static_cast<char>(*p);
      continue;
    }
    unsigned char bytes[3];
    const size_t length = encode_utf8(code_point_of(*p), bytes);
    if (n + length >= out_size) break;  // the next character would leave no room for the terminator
    std::memcpy(out + n, bytes, length);
    n += length;
  }
  out[n] = '\0';
  return n;
}

const char* HostText::read(const char* text) noexcept {
  const bool utf8 = host_text_is_utf8();
  // Most texts are short and need no transcoding: the host's own bytes.
  bool ascii = true;
  size_t bytes = 0;
  for (; bytes < sizeof buffer_ && text[bytes] != '\0'; ++bytes) {
    if (static_cast<unsigned char>(text[bytes]) >= 0x80) ascii = false;
  }
  if (bytes < sizeof buffer_ && (ascii || !utf8)) return text;

  // Characters, not bytes, decide whether the text fits.
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  size_t n = 0;
  for (unsigned char c = next_character(p, utf8); c != 0; c = next_character(p, utf8)) {
    if (n == sizeof buffer_ - 1) {
      write_compact_form(text, utf8, buffer_);
      return buffer_;
    }
    buffer_[n++] = static_cast<char>(c);
  }
  buffer_[n] = '\0';
  return buffer_;
}

void write_host_registration_text(char* out, const char* cp1252_text) noexcept {
  size_t n = 0;
  if (host_text_is_utf8()) {
    n = cp1252_to_utf8(cp1252_text, out, kHostTextSize);
  } else {
    while (n < kHostTextSize - 1 && cp1252_text[n] != '\0') ++n;
    std::memcpy(out, cp1252_text, n);
  }
  std::memset(out + n, 0, kHostTextSize - n);
}

}  // namespace varizav
