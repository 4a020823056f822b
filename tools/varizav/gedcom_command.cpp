// varizav gedcom-date and varizav gedcom: GEDCOM date values read by the
// loaded library's varizav_gedcom_date, one value per line or every DATE line
// of a GEDCOM file, with the days each names.

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "calendars/registry.h"
#include "commands.h"
#include "name_lists.h"
#include "values.h"
#include "varizav/gedcom.h"
#include "varizav/names.h"

namespace varizav::tool {
namespace {

using GedcomDateFn = int32_t (*)(const char* value, double* first, double* last, char* reason);
using GedcomKindNameFn = const char* (*)(int32_t kind);

struct Reader {
  GedcomDateFn date = nullptr;
  GedcomKindNameFn kind_name = nullptr;
};

template <typename F>
F symbol_as(const AddIn& addin, const char* name) {
  void* symbol = addin.symbol(name);
  F function;
  static_assert(sizeof function == sizeof symbol);
  std::memcpy(&function, &symbol, sizeof function);
  return function;
}

std::optional<Reader> reader_of(const AddIn& addin) {
  Reader r{symbol_as<GedcomDateFn>(addin, "varizav_gedcom_date"),
           symbol_as<GedcomKindNameFn>(addin, "varizav_gedcom_kind_name")};
  if (r.date == nullptr || r.kind_name == nullptr) {
    std::fprintf(stderr, "varizav: the library does not export varizav_gedcom_date\n");
    return std::nullopt;
  }
  return r;
}

// One line without its line end (LF or CRLF); false at the end of the input.
bool read_line(std::FILE* in, std::string& line) {
  line.clear();
  int c = 0;
  bool any = false;
  while ((c = std::fgetc(in)) != EOF) {
    any = true;
    if (c == '\n') break;
    line.push_back(static_cast<char>(c));
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return any;
}

struct Read {
  int32_t kind;
  double first;
  double last;
  std::string reason;
};

Read read_value(const Reader& reader, const std::string& value) {
  Read r{};
  std::array<char, VARIZAV_TEXT_SIZE> reason{};
  r.kind = reader.date(value.c_str(), &r.first, &r.last, reason.data());
  reason.back() = '\0';
  r.reason = reason.data();
  return r;
}

// A serial day as the library's Gregorian calendar writes it, YYYY-MM-DD.
std::string gregorian_iso(const Function& calendar, const AddIn& addin, double serial) {
  std::array<Argument, kMaxArguments> arguments{};
  arguments[0].text = "gregorian";
  arguments[1].number = serial;
  arguments[2].number = 0.0;  // numbers: "%4ld %2d %2d"
  const std::string numbers = addin.call(calendar, arguments.data()).text;
  long long year = 0;
  int month = 0, day = 0;
  if (std::sscanf(numbers.c_str(), "%lld %d %d", &year, &month, &day) != 3) return numbers;
  char text[32];
  std::snprintf(text, sizeof text, year < 0 ? "-%04lld-%02d-%02d" : "%04lld-%02d-%02d", year < 0 ? -year : year, month,
                day);
  return text;
}

std::string calendar_text(const Function& calendar, const AddIn& addin, const std::string& name, double serial) {
  std::array<Argument, kMaxArguments> arguments{};
  arguments[0].text = name;
  arguments[1].number = serial;
  arguments[2].number = 1.0;  // text
  return addin.call(calendar, arguments.data()).text;
}

}  // namespace

int command_gedcom_date(const AddIn& addin, std::FILE* in, std::FILE* out) {
  const auto reader = reader_of(addin);
  if (!reader) return kExitFailure;
  int status = kExitOk;
  for (std::string line; read_line(in, line);) {
    const Read r = read_value(*reader, line);
    if (r.kind == VARIZAV_GEDCOM_INVALID) {
      std::fprintf(out, "#INVALID %s\n", r.reason.c_str());
      status = kExitFailure;
    } else {
      std::fprintf(out, "%s\t%s\n", addin.write_number(r.first).c_str(), addin.write_number(r.last).c_str());
    }
  }
  return status;
}

int command_gedcom(const AddIn& addin, const std::string& path, const std::optional<std::string>& other_calendar) {
  const auto reader = reader_of(addin);
  if (!reader) return kExitFailure;
  const Function* calendar = addin.find("SC_calendar");
  if (calendar == nullptr || !calendar->exported() || !calendar->unusable_reason.empty()) {
    std::fprintf(stderr, "varizav: the library has no usable SC_calendar\n");
    return kExitFailure;
  }
  std::string other;
  if (other_calendar) {
    const int32_t entry = addin.name_entry(VARIZAV_LIST_CALENDARS, *other_calendar, addin.name_language());
    if (entry == 0) {
      std::string hint = closest_calendar_names(*other_calendar, addin.name_language());
      std::fprintf(stderr, "varizav: '%s' names no calendar%s%s (varizav names calendars lists them)\n",
                   other_calendar->c_str(), hint.empty() ? "" : "; ", hint.c_str());
      return kExitUsage;
    }
    other = std::to_string(entry);
  }
  std::FILE* in = path == "-" ? stdin : std::fopen(path.c_str(), "rb");
  if (in == nullptr) {
    std::fprintf(stderr, "varizav: cannot read %s: %s\n", path.c_str(), std::strerror(errno));
    return kExitFailure;
  }

  // GEDCOM lines are "LEVEL [@XREF@] TAG [VALUE]"; a DATE line's record is
  // its level-0 line, its tag the path of tags from level 1 to its parent.
  std::printf("line\trecord\ttag\tvalue\tkind\tfirst\tlast%s\n", other.empty() ? "" : "\tfirst day\tlast day");
  std::vector<std::string> tags;
  std::string record;
  int status = kExitOk;
  long number = 0;
  for (std::string line; read_line(in, line);) {
    ++number;
    if (number == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);  // UTF-8 byte order mark
    size_t i = line.find_first_not_of(" \t");
    if (i == std::string::npos) continue;
    const size_t level_end = line.find(' ', i);
    if (level_end == std::string::npos) continue;
    char* level_end_ptr = nullptr;
    const long level = std::strtol(line.c_str() + i, &level_end_ptr, 10);
    if (level_end_ptr != line.c_str() + level_end || level < 0 || level > 99) continue;
    i = line.find_first_not_of(' ', level_end);
    if (i == std::string::npos) continue;
    std::string xref;
    if (line[i] == '@') {
      const size_t end = line.find(' ', i);
      xref = line.substr(i, end - i);
      i = end == std::string::npos ? line.size() : line.find_first_not_of(' ', end);
      if (i == std::string::npos) i = line.size();
    }
    const size_t tag_end = std::min(line.find(' ', i), line.size());
    const std::string tag = line.substr(i, tag_end - i);
    const std::string value = tag_end < line.size() ? line.substr(tag_end + 1) : std::string();
    tags.resize(static_cast<size_t>(level));
    tags.push_back(tag);
    if (level == 0) record = xref.empty() ? tag : xref + " " + tag;
    if (tag != "DATE" || level == 0) continue;

    std::string parent;
    for (size_t t = 1; t + 1 < tags.size(); ++t) parent += (parent.empty() ? "" : ".") + tags[t];
    const Read r = read_value(*reader, value);
    std::printf("%ld\t%s\t%s\t%s\t", number, record.c_str(), parent.c_str(), value.c_str());
    if (r.kind == VARIZAV_GEDCOM_INVALID) {
      std::printf("#INVALID %s\n", r.reason.c_str());
      status = kExitFailure;
      continue;
    }
    std::printf("%s\t%s\t%s", reader->kind_name(r.kind), gregorian_iso(*calendar, addin, r.first).c_str(),
                gregorian_iso(*calendar, addin, r.last).c_str());
    if (!other.empty()) {
      std::printf("\t%s\t%s", calendar_text(*calendar, addin, other, r.first).c_str(),
                  calendar_text(*calendar, addin, other, r.last).c_str());
    }
    std::printf("\n");
  }
  if (in != stdin) std::fclose(in);
  return status;
}

}  // namespace varizav::tool
