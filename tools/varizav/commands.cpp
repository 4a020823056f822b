#include "commands.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "closest_names.h"
#include "name_lists.h"
#include "platform/time_zone.h"
#include "values.h"

namespace varizav::tool {
namespace {

// Number-valued functions whose result is not a date: the sundial reading (a
// time of day) and the two leap-year tests (truth values).
constexpr std::array<std::string_view, 3> kNonDateFunctions = {"SC_gnomon", "SC_leapyear", "SC_leapyear2"};

// Format modes of SC_calendar.
constexpr double kModeNumbers = 0.0;
constexpr double kModeText = 1.0;

// Bytes a text argument may have: the host's buffer less its terminator.
constexpr size_t kMaxTextArgument = VARIZAV_TEXT_SIZE - 1;

// Output is gathered and written, and input read, in blocks of about this many bytes.
constexpr size_t kOutputBlock = 1 << 16;
constexpr size_t kInputBlock = 1 << 16;

struct PreparedCall {
  const Function* function = nullptr;
  std::array<Argument, kMaxArguments> arguments{};
  std::string error;  // empty when the call can go ahead
};

const char* type_name(int32_t type) { return type == VARIZAV_TYPE_TEXT ? "text" : "number"; }

std::string parameter_list(const Function& f) {
  std::string names;
  for (const Parameter& p : f.parameters) {
    if (!names.empty()) names += ", ";
    names += p.name;
  }
  return names;
}

// Looks the function up and reads its argument texts by the registered types.
PreparedCall prepare_call(const AddIn& addin, const FunctionFinder& finder, std::string_view name,
                          const std::vector<std::string_view>& texts) {
  PreparedCall call;
  const auto fail = [&call](std::string message) {
    call.error = std::move(message);
    return call;
  };
  FunctionMatch match = finder.find(name);
  call.function = match.function;
  if (call.function == nullptr) return fail(std::move(match.error));
  const Function& f = *call.function;
  if (texts.size() != f.parameters.size()) {
    return fail(f.exported_name + " takes " + std::to_string(f.parameters.size()) + " argument" +
                (f.parameters.size() == 1 ? "" : "s") + " (" + parameter_list(f) + "), got " +
                std::to_string(texts.size()));
  }
  if (!f.exported()) return fail(f.exported_name + " is not exported by the library");
  if (!f.unusable_reason.empty()) return fail(f.exported_name + " cannot be called: " + f.unusable_reason);
  for (size_t i = 0; i < texts.size(); ++i) {
    const Parameter& p = f.parameters[i];
    const auto which = [&] { return "argument " + std::to_string(i + 1) + " (" + p.name + ") of " + f.exported_name; };
    if (p.type == VARIZAV_TYPE_TEXT) {
      if (texts[i].size() > kMaxTextArgument) {
        return fail(which() + " is longer than " + std::to_string(kMaxTextArgument) + " bytes");
      }
      call.arguments[i].text = texts[i];
    } else {
      const auto number = addin.read_number(texts[i]);
      if (!number) {
        return fail(which() + " is not a number, TRUE/FALSE or YYYY-MM-DD[THH:MM[:SS]]: '" + std::string(texts[i]) +
                    "'");
      }
      call.arguments[i].number = *number;
    }
  }
  return call;
}

bool is_date_valued(const Function& f) {
  if (f.result_type != VARIZAV_TYPE_NUMBER) return false;
  for (std::string_view name : kNonDateFunctions) {
    if (name == f.exported_name) return false;
  }
  return true;
}

// The result as one line: the number or the text; for date results with
// with_date, a tab and the ISO date and time it stands for.
std::string result_text(const AddIn& addin, const Function& f, const CallResult& result, bool with_date) {
  if (f.result_type == VARIZAV_TYPE_TEXT) return result.text;
  std::string line = addin.write_number(result.number);
  if (with_date && is_date_valued(f)) {
    if (const auto iso = addin.write_date(result.number)) line += "\t" + *iso;
  }
  return line;
}

void report_overrun(const Function& f) {
  std::fprintf(stderr, "varizav: %s wrote past its %d-byte result buffer\n", f.exported_name.c_str(),
               VARIZAV_TEXT_SIZE);
}

// A call as the showcase shows it: NAME(arg; "text"; ...), with text
// arguments quoted where the function is known.
std::string echo_call(const Function* f, const std::vector<std::string_view>& fields) {
  std::string call(fields[0]);
  call += '(';
  for (size_t i = 1; i < fields.size(); ++i) {
    if (i > 1) call += "; ";
    const bool text = f != nullptr && i - 1 < f->parameters.size() && f->parameters[i - 1].type == VARIZAV_TYPE_TEXT;
    if (text) call += '"';
    call += fields[i];
    if (text) call += '"';
  }
  call += ')';
  return call;
}

void print_indented(std::string_view text, const char* indent) {
  size_t start = 0;
  while (start <= text.size()) {
    const size_t newline = text.find('\n', start);
    const std::string_view line =
        text.substr(start, newline == std::string_view::npos ? text.size() - start : newline - start);
    std::printf("%s%.*s\n", indent, static_cast<int>(line.size()), line.data());
    if (newline == std::string_view::npos) break;
    start = newline + 1;
  }
}

std::vector<std::string> notes_on_names(const AddIn& addin, const Function& f,
                                        const std::vector<std::string_view>& texts) {
  std::vector<std::string> parameters;
  for (const Parameter& p : f.parameters) parameters.push_back(p.name);
  return unmatched_name_notes(f.exported_name, f.display_name, parameters, texts, addin.name_language());
}

// Lines of a stream, whole and byte for byte: a NUL byte stays in its line
// (fgets would end the text there and join the rest to the next line).
class LineReader {
 public:
  explicit LineReader(std::FILE* in) : in_(in), block_(kInputBlock) {}

  // The next line, its line end included, into line; false at the end.
  bool next(std::string& line) {
    line.clear();
    for (;;) {
      if (begin_ == end_) {
        begin_ = 0;
        end_ = std::fread(block_.data(), 1, block_.size(), in_);
        if (end_ == 0) return !line.empty();
      }
      const char* first = block_.data() + begin_;
      const auto* newline = static_cast<const char*>(std::memchr(first, '\n', end_ - begin_));
      const size_t taken = newline != nullptr ? static_cast<size_t>(newline - first) + 1 : end_ - begin_;
      line.append(first, taken);
      begin_ += taken;
      if (newline != nullptr) return true;
    }
  }

 private:
  std::FILE* in_;
  std::vector<char> block_;
  size_t begin_ = 0;
  size_t end_ = 0;
};

// Serial date of today's local date, at midnight.
double today_serial(const AddIn& addin) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  platform::local_time(now, local);
  return addin.serial_of_date(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday).value_or(0.0);
}

}  // namespace

int command_list(const AddIn& addin) {
  size_t width = 0;
  for (const Function& f : addin.functions()) width = std::max(width, f.exported_name.size());
  size_t built = 0;
  for (const Function& f : addin.functions()) {
    std::string params;
    for (const Parameter& p : f.parameters) params += (params.empty() ? "" : "; ") + p.name;
    const char* state = !f.exported() ? "  (not exported)" : !f.unusable_reason.empty() ? "  (cannot be called)" : "";
    if (f.exported()) ++built;
    std::printf("%-*s  %s(%s)%s\n", static_cast<int>(width), f.exported_name.c_str(), f.display_name.c_str(),
                params.c_str(), state);
    print_indented(f.description, "    ");
  }
  std::printf("%zu functions, %zu built.\n", addin.functions().size(), built);
  return kExitOk;
}

int command_help(const AddIn& addin, std::string_view name) {
  const FunctionMatch match = FunctionFinder(addin).find(name);
  const Function* f = match.function;
  if (f == nullptr) {
    std::fprintf(stderr, "varizav: %s (varizav list shows them all)\n", match.error.c_str());
    return kExitUsage;
  }
  std::printf("%s (%s), result: %s%s\n", f->display_name.c_str(), f->exported_name.c_str(), type_name(f->result_type),
              is_date_valued(*f) ? " (a date)" : "");
  print_indented(f->description, "");
  if (!f->exported()) std::printf("Not exported: the library does not export %s.\n", f->exported_name.c_str());
  if (!f->unusable_reason.empty()) std::printf("The tool cannot call it: %s.\n", f->unusable_reason.c_str());
  size_t width = 0;
  for (const Parameter& p : f->parameters) width = std::max(width, p.name.size());
  std::printf("Arguments:\n");
  for (size_t i = 0; i < f->parameters.size(); ++i) {
    const Parameter& p = f->parameters[i];
    std::printf("  %zu. %-*s  %-6s  ", i + 1, static_cast<int>(width), p.name.c_str(), type_name(p.type));
    print_indented(p.description, "");
  }
  return kExitOk;
}

int command_call(const AddIn& addin, const std::vector<std::string>& words) {
  const std::vector<std::string_view> texts(words.begin() + 1, words.end());
  const PreparedCall call = prepare_call(addin, FunctionFinder(addin), words[0], texts);
  if (!call.error.empty()) {
    std::fprintf(stderr, "varizav: %s\n", call.error.c_str());
    return kExitFailure;  // a malformed call, as a failed one
  }
  for (const std::string& note : notes_on_names(addin, *call.function, texts))
    std::fprintf(stderr, "note: %s\n", note.c_str());
  const CallResult result = addin.call(*call.function, call.arguments.data());
  std::printf("%s\n", result_text(addin, *call.function, result, true).c_str());
  if (result.overran) {
    report_overrun(*call.function);
    return kExitFailure;
  }
  return kExitOk;
}

int command_batch(const AddIn& addin, bool echo, bool warn, std::FILE* in, std::FILE* out) {
  int status = kExitOk;
  std::string output;
  output.reserve(2 * kOutputBlock);
  std::string text;
  size_t line_number = 0;
  LineReader reader(in);
  const FunctionFinder finder(addin);
  while (reader.next(text)) {
    ++line_number;
    std::string_view line(text);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    if (line.empty() || line.front() == '#') {
      // The showcase keeps its group headings; plain batch output has exactly
      // one line per call.
      if (echo) (output += line) += '\n';
      continue;
    }
    const std::vector<std::string_view> fields = split_fields(line, '\t');
    const std::vector<std::string_view> texts(fields.begin() + 1, fields.end());
    PreparedCall call;
    if (line.find('\0') != std::string_view::npos) {
      // No host can pass a text with a NUL inside: it would end the text there.
      call.error = "a NUL byte in the call";
    } else {
      call = prepare_call(addin, finder, fields[0], texts);
    }
    if (echo) output += echo_call(call.function, fields) + "\t-> ";
    if (!call.error.empty()) {
      output += "#BADCALL " + call.error + "\n";
      status = kExitFailure;
    } else {
      if (warn) {
        for (const std::string& note : notes_on_names(addin, *call.function, texts)) {
          std::fprintf(stderr, "note: line %zu: %s\n", line_number, note.c_str());
        }
      }
      const CallResult result = addin.call(*call.function, call.arguments.data());
      output += result_text(addin, *call.function, result, echo);
      output += '\n';
      if (result.overran) {
        report_overrun(*call.function);
        status = kExitFailure;
      }
    }
    if (output.size() >= kOutputBlock) {
      std::fwrite(output.data(), 1, output.size(), out);
      output.clear();
    }
  }
  std::fwrite(output.data(), 1, output.size(), out);
  std::fflush(out);
  return status;
}

int command_today(const AddIn& addin, const std::optional<std::string>& date) {
  double serial = 0.0;
  if (date) {
    const auto parsed = addin.read_number(*date);
    if (!parsed || *parsed != *parsed) {
      std::fprintf(stderr, "varizav: today takes a date YYYY-MM-DD[THH:MM[:SS]] or a serial date, not '%s'\n",
                   date->c_str());
      return kExitUsage;
    }
    serial = *parsed;
  } else {
    serial = today_serial(addin);
  }

  const Function* calendar = addin.find("SC_calendar");
  if (calendar == nullptr || !calendar->exported() || !calendar->unusable_reason.empty() ||
      calendar->parameters.size() != 3) {
    std::fprintf(stderr, "varizav: the library has no usable SC_calendar\n");
    return kExitFailure;
  }

  struct Row {
    std::string_view name;
    std::string text;
    std::string numbers;
  };
  std::vector<Row> rows;
  size_t name_width = 0;
  size_t text_width = 0;
  // English calendar names, whatever the language: the rows' labels.
  constexpr uint16_t kEnglishNames = 9;
  for (int32_t k = 0; k < addin.name_count(VARIZAV_LIST_CALENDARS); ++k) {
    // The entry number selects the calendar in either language.
    const std::string entry = std::to_string(k + 1);
    std::array<Argument, kMaxArguments> arguments{};
    arguments[0].text = entry;
    arguments[1].number = serial;
    arguments[2].number = kModeText;
    const CallResult text = addin.call(*calendar, arguments.data());
    if (text.text.empty()) continue;  // a date the calendar cannot write
    arguments[2].number = kModeNumbers;
    const CallResult numbers = addin.call(*calendar, arguments.data());
    rows.push_back({addin.name(VARIZAV_LIST_CALENDARS, k + 1, kEnglishNames), text.text, numbers.text});
    name_width = std::max(name_width, rows.back().name.size());
    text_width = std::max(text_width, rows.back().text.size());
  }

  std::string when = addin.write_date(serial).value_or("?");
  if (when.size() > 9 && when.compare(when.size() - 9, 9, "T00:00:00") == 0) when.resize(when.size() - 9);
  std::printf("%s (serial date %s)\n", when.c_str(), addin.write_number(serial).c_str());
  for (const Row& row : rows) {
    std::printf("  %-*.*s  %-*s  %s\n", static_cast<int>(name_width), static_cast<int>(row.name.size()),
                row.name.data(), static_cast<int>(text_width), row.text.c_str(), row.numbers.c_str());
  }
  if (rows.empty()) std::printf("  (no calendar could write this date)\n");
  return kExitOk;
}

}  // namespace varizav::tool
