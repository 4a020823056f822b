// The column entry point: a worksheet function over whole columns of
// arguments, and settings given as values. Each function has its own loop,
// instantiated from its signature, that calls it directly row by row, so that
// a row costs what one direct call costs; texts cross as UTF-8 and go through
// the same transcoding as a UTF-8 host's texts.
#include <array>
#include <cstring>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>

#include "host/configuration.h"
#include "host/function_registry.h"
#include "host/host_text.h"
#include "varizav/columns.h"

using namespace varizav;

namespace {

// Longest text argument a host can pass: its 256-byte buffer, terminator included.
constexpr size_t kTextArgumentBytes = VARIZAV_TEXT_SIZE - 1;

bool is_ascii_prefix(const char* text, size_t& length) noexcept {
  bool ascii = true;
  size_t n = 0;
  for (; n < kTextArgumentBytes && text[n] != '\0'; ++n) ascii = ascii && static_cast<unsigned char>(text[n]) < 0x80;
  length = n;
  return ascii && text[n] == '\0';
}

// A UTF-8 text argument as the worksheet functions read it: cut to the
// host's buffer, then, when the library is not in UTF-8 mode, transcoded to
// Windows-1252 as HostText transcodes a UTF-8 host's texts. Plain ASCII
// within the bound passes as the caller's own pointer.
class TextArgument {
 public:
  const char* prepare(const char* text) noexcept {
    if (text == nullptr) text = "";
    size_t length = 0;
    if (is_ascii_prefix(text, length)) return text;
    std::memcpy(cut_.data(), text, length);
    cut_[length] = '\0';
    if (host_text_is_utf8()) return cut_.data();
    utf8_to_cp1252(cut_.data(), cp1252_.data(), cp1252_.size());
    return cp1252_.data();
  }

 private:
  std::array<char, VARIZAV_TEXT_SIZE> cut_;
  std::array<char, VARIZAV_TEXT_SIZE> cp1252_;
};

// Where one argument of one row comes from.
template <class T>
struct Source;

template <>
struct Source<const double*> {
  const double* base = nullptr;
  size_t step = 0;  // 0: one value for every row
  bool bind(const VarizavColumn& c) noexcept {
    base = c.numbers;
    step = c.length == 1 ? 0 : 1;
    return c.numbers != nullptr && c.texts == nullptr;
  }
  const double* at(size_t row) noexcept { return base + row * step; }
};

template <>
struct Source<const char*> {
  const char* const* base = nullptr;
  const char* same = nullptr;  // the prepared text of a column with one value
  TextArgument text;
  bool bind(const VarizavColumn& c) noexcept {
    base = c.texts;
    if (c.texts != nullptr && c.length == 1) same = text.prepare(c.texts[0]);
    return c.texts != nullptr && c.numbers == nullptr;
  }
  const char* at(size_t row) noexcept { return same != nullptr ? same : text.prepare(base[row]); }
};

// A text result into the caller's storage, as UTF-8 with its zero byte.
struct TextSink {
  char* next;
  char* end;
  std::array<char, VARIZAV_TEXT_SIZE> cp1252;
  bool room() const noexcept { return end - next >= static_cast<ptrdiff_t>(VARIZAV_TEXT_SIZE); }
  // The buffer the function writes into: the storage itself in UTF-8 mode.
  char* buffer() noexcept {
    char* b = host_text_is_utf8() ? next : cp1252.data();
    b[0] = '\0';
    return b;
  }
  size_t finish(const char* written) noexcept {
    const size_t n =
        written == next ? strnlen(next, VARIZAV_TEXT_SIZE - 1) : cp1252_to_utf8(written, next, VARIZAV_TEXT_SIZE);
    next[n] = '\0';
    next += n + 1;
    return n;
  }
};

template <auto F>
struct ColumnLoop;

template <class Result, class... Args, void (*F)(Result*, Args...)>
struct ColumnLoop<F> {
  static int64_t run(const VarizavColumn* columns, size_t first_row, size_t rows, VarizavResultColumn* out) noexcept {
    return run(columns, first_row, rows, out, std::index_sequence_for<Args...>{});
  }

  template <size_t... I>
  static int64_t run(const VarizavColumn* columns, size_t first_row, size_t rows, VarizavResultColumn* out,
                     std::index_sequence<I...>) noexcept {
    std::tuple<Source<Args>...> sources;
    const bool bound = (std::get<I>(sources).bind(columns[I]) && ... && true);
    if (!bound) return -1;
    if constexpr (std::is_same_v<Result, double>) {
      if (out->numbers == nullptr) return -1;
      for (size_t row = first_row; row < rows; ++row) F(out->numbers + row, std::get<I>(sources).at(row)...);
      return static_cast<int64_t>(rows);
    } else {
      if (out->texts == nullptr) return -1;
      TextSink sink{out->texts, out->texts + out->text_capacity, {}};
      size_t row = first_row;
      for (; row < rows && sink.room(); ++row) {
        char* buffer = sink.buffer();
        F(buffer, std::get<I>(sources).at(row)...);
        const size_t n = sink.finish(buffer);
        if (out->text_lengths != nullptr) out->text_lengths[row] = n;
      }
      return static_cast<int64_t>(row);
    }
  }
};

struct ColumnFunction {
  const char* exported_name;
  size_t argument_count;
  std::array<TypeCode, kMaxArguments + 1> types;  // result first, as the registration gives them
  int64_t (*run)(const VarizavColumn*, size_t, size_t, VarizavResultColumn*) noexcept;
};

template <class T>
constexpr TypeCode type_of() {
  return std::is_same_v<T, const char*> || std::is_same_v<T, char> ? kTypeText : kTypeNumber;
}

template <class Result, class... Args>
constexpr size_t arity(void (*)(Result*, Args...)) {
  return sizeof...(Args);
}

template <class Result, class... Args>
constexpr std::array<TypeCode, kMaxArguments + 1> types_of(void (*)(Result*, Args...)) {
  return {type_of<Result>(), type_of<Args>()...};
}

#define VARIZAV_COLUMN(name) \
  { #name, arity(&name), types_of(&name), &ColumnLoop < &name> ::run }

// In registration order (function_registry).
constexpr std::array<ColumnFunction, kFunctionCount> column_functions = {{
    VARIZAV_COLUMN(SC_armenian),   VARIZAV_COLUMN(SC_astronomy), VARIZAV_COLUMN(SC_buddhist),
    VARIZAV_COLUMN(SC_byzantine),  VARIZAV_COLUMN(SC_calendar),  VARIZAV_COLUMN(SC_chinese),
    VARIZAV_COLUMN(SC_chronology), VARIZAV_COLUMN(SC_coptic),    VARIZAV_COLUMN(SC_egyptian),
    VARIZAV_COLUMN(SC_event),      VARIZAV_COLUMN(SC_ethiopic),  VARIZAV_COLUMN(SC_french),
    VARIZAV_COLUMN(SC_gengou),     VARIZAV_COLUMN(SC_gnomon),    VARIZAV_COLUMN(SC_gregorian),
    VARIZAV_COLUMN(SC_hebrew),     VARIZAV_COLUMN(SC_hindu),     VARIZAV_COLUMN(SC_hindu2),
    VARIZAV_COLUMN(SC_holiday),    VARIZAV_COLUMN(SC_holiday2),  VARIZAV_COLUMN(SC_indian),
    VARIZAV_COLUMN(SC_islamic),    VARIZAV_COLUMN(SC_iso8601),   VARIZAV_COLUMN(SC_julian),
    VARIZAV_COLUMN(SC_leapyear),   VARIZAV_COLUMN(SC_leapyear2), VARIZAV_COLUMN(SC_mayan),
    VARIZAV_COLUMN(SC_persian),    VARIZAV_COLUMN(SC_latin),     VARIZAV_COLUMN(SC_seleucid),
    VARIZAV_COLUMN(SC_syrian),     VARIZAV_COLUMN(SC_taiwanese), VARIZAV_COLUMN(SC_when),
    VARIZAV_COLUMN(SC_when2),      VARIZAV_COLUMN(SC_yazdegerd),
}};

#undef VARIZAV_COLUMN

constexpr bool matches_registry() {
  for (size_t k = 0; k < column_functions.size(); ++k) {
    const FunctionEntry& f = function_registry[k];
    if (std::string_view(column_functions[k].exported_name) != f.exported_name) return false;
    if (column_functions[k].argument_count != static_cast<size_t>(f.argument_count)) return false;
    if (column_functions[k].types[0] != f.result_type) return false;
    for (int32_t a = 0; a < f.argument_count; ++a) {
      if (column_functions[k].types[static_cast<size_t>(a) + 1] != f.arguments[static_cast<size_t>(a)].type)
        return false;
    }
  }
  return true;
}
static_assert(matches_registry(), "the column loops follow the registration order");

}  // namespace

extern "C" {

VARIZAV_API int64_t VarizavCallColumns(unsigned short function, const VarizavColumn* arguments, size_t argument_count,
                                       size_t first_row, size_t rows, VarizavResultColumn* result) {
  if (function >= column_functions.size() || result == nullptr || first_row > rows) return -1;
  const ColumnFunction& f = column_functions[function];
  if (argument_count != f.argument_count || arguments == nullptr) return -1;
  for (size_t a = 0; a < argument_count; ++a) {
    if (arguments[a].length != 1 && arguments[a].length != rows) return -1;
  }
  if (first_row == rows) return static_cast<int64_t>(rows);
  return f.run(arguments, first_row, rows, result);
}

VARIZAV_API void VarizavConfigure(const char* const* names, const char* const* values, size_t count) {
  apply_given_configuration(names, values, count);
  set_host_text_utf8(true);
}

}  // extern "C"
