// Texts at the host boundary. Inside, every text of the add-in is
// Windows-1252. A host whose character set is UTF-8 (LibreOffice under a
// UTF-8 locale) passes and expects UTF-8: its text arguments are transcoded to
// Windows-1252 before any lookup, and every text written for it (registration
// texts, text results) is transcoded to UTF-8, still within the host's
// 256-byte buffers. With any other character set the bytes pass unchanged.
//
// The character set is decided when the host asks for the function count.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "framework/date.h"
#include "framework/keyword.h"
#include "framework/language.h"

namespace varizav {

// Every text buffer the host hands over for the library to write (text
// results, registration texts) holds 256 bytes, terminator included. A legacy
// host passes text arguments of at most 255 bytes too; the Calc extension's
// components pass them at any length.
constexpr int kHostTextSize = 256;
static_assert(kTextCapacity <= kHostTextSize, "every text the library writes must fit a host buffer");

namespace detail {
// Setting: true while the host's texts are UTF-8. Written only by the
// configuration read at GetFunctionCount, read at
// every text argument and result: a relaxed load is a plain load on x86-64.
inline std::atomic<bool> g_host_utf8{false};
}  // namespace detail

inline bool host_text_is_utf8() noexcept { return detail::g_host_utf8.load(std::memory_order_relaxed); }

// Decides the host's character set as the system tells it
// (platform::host_charset_is_utf8). Reads the locale and the environment only;
// changes neither.
void detect_host_charset() noexcept;

// Sets the character set directly (UTF-8 or not), for hosts and tests that know it.
void set_host_text_utf8(bool utf8) noexcept;

// Windows-1252 byte written for a character that Windows-1252 lacks, and for
// each byte of a malformed UTF-8 sequence: the letter thorn, which the name
// lookup compares (it does not skip it like punctuation) and which no name
// contains, so that such a text matches nothing.
constexpr unsigned char kUnmappedCharacter = 0xFE;

// UTF-8 text to Windows-1252 into out (out_size bytes, terminator included).
// A text whose Windows-1252 form does not fit ends in kUnmappedCharacter in
// the last place, so that it cannot pass for a shorter text. Returns the bytes
// written, terminator excluded.
size_t utf8_to_cp1252(const char* text, char* out, size_t out_size) noexcept;

// Windows-1252 text to UTF-8 into out (out_size bytes, terminator included),
// cut at a character boundary when it does not fit. The five bytes that
// Windows-1252 leaves undefined become U+FFFD. Returns the bytes written,
// terminator excluded.
size_t cp1252_to_utf8(const char* text, char* out, size_t out_size) noexcept;

// A text argument from the host as the add-in reads it (Windows-1252):
//   SC_gregorian(..., HostText(month), ...)
// Every text is read whole, whatever its length and its bytes. A text of at
// most 255 bytes that needs no transcoding is the host's own pointer; any
// other is copied into this object, transcoded when the host is UTF-8. A text
// of more than 255 characters is held in a shorter form that reads the same
// (runs of blanks and punctuation shortened; see host_text.cpp).
//
// Handed on as a name, it carries the language in force: this is where the
// worksheet functions read the host's language setting, the lookups beneath
// take it as an argument.
class HostText {
 public:
  explicit HostText(const char* text) noexcept : text_(read(text)) {}
  HostText(const HostText&) = delete;
  HostText& operator=(const HostText&) = delete;

  operator const char*() const noexcept { return text_; }
  operator NameText() const noexcept { return {text_, current_language()}; }

 private:
  const char* read(const char* text) noexcept;

  const char* text_;
  char buffer_[kHostTextSize];  // written only for a text to transcode or longer than 255 bytes
};

// The host's 256-byte text result buffer as the add-in writes it: the add-in
// writes Windows-1252 into it; when the host is UTF-8 the text is written to a
// buffer of this object and transcoded into the host's buffer when the object
// goes out of scope.
//   HostResult out(result);
//   format_chronology(out, ...);
class HostResult {
 public:
  explicit HostResult(char* host_buffer) noexcept
      : host_(host_buffer), text_(host_text_is_utf8() ? buffer_ : host_buffer) {
    if (text_ == buffer_) buffer_[0] = '\0';
  }
  ~HostResult() {
    if (text_ != host_) cp1252_to_utf8(text_, host_, kHostTextSize);
  }
  HostResult(const HostResult&) = delete;
  HostResult& operator=(const HostResult&) = delete;

  operator char*() noexcept { return text_; }

 private:
  char* host_;
  char* text_;
  char buffer_[kHostTextSize];
};

// Copies length bytes of text (at most 255 of them) and a terminator into a
// 256-byte host buffer, as they are (no transcoding: ASCII texts); returns
// the bytes copied.
inline int32_t copy_to_host_buffer(char* out, const char* text, size_t length) noexcept {
  const size_t n = length < static_cast<size_t>(kHostTextSize) - 1 ? length : static_cast<size_t>(kHostTextSize) - 1;
  std::memcpy(out, text, n);
  out[n] = '\0';
  return static_cast<int32_t>(n);
}

// Writes a registration text into a 256-byte host buffer in the host's
// character set: at most 255 bytes of text (cut at a character boundary) and
// every byte behind it zero, since hosts read the whole buffer.
void write_host_registration_text(char* out, const char* cp1252_text) noexcept;

}  // namespace varizav
