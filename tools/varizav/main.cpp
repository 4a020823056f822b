// varizav: a small host for libvarizav.so. It loads the add-in at run time,
// registers it the way a spreadsheet does and calls its worksheet functions
// from the command line or from a batch of tab-separated calls.
#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "addin_loader.h"
#include "commands.h"
#include "name_lists.h"
#include "platform/environment.h"
#include "platform/standard_streams.h"
#include "values.h"

using namespace varizav::tool;

namespace {

constexpr const char* kUsage =
    "Usage: varizav [--lib PATH] [--lang de|en|0xNNNN] COMMAND [ARG...]\n"
    "\n"
    "Loads the add-in (libvarizav.so, varizav.dll on Windows) the way a spreadsheet does\n"
    "and calls its worksheet functions.\n"
    "\n"
    "Commands:\n"
    "  list                every function with its arguments and description\n"
    "  help NAME           one function and each of its arguments\n"
    "  call NAME [ARG...]  calls a function and prints its result (dates also as YYYY-MM-DDTHH:MM:SS)\n"
    "  batch [--echo] [--warn]\n"
    "                      reads calls NAME<TAB>ARG<TAB>... from standard input, one per line,\n"
    "                      and prints one result line per call; --echo shows each call beside it,\n"
    "                      --warn notes each name argument that names nothing (as call does)\n"
    "  today [DATE]        a date (default: today) in every calendar, as text and as numbers\n"
    "  cal [YYYY-MM] [--calendars LIST] [--events]\n"
    "                      a month (default: this one) as weeks from Monday, each day also in the\n"
    "                      calendars of LIST (default: gregorian,hebrew,islamic), then the month's\n"
    "                      holidays of those calendars and its Moon phases; --events adds every\n"
    "                      astronomical event\n"
    "  cal [YYYY-MM|YYYY] --format svg [--calendars LIST] [--events]\n"
    "                      the same month, or with YYYY the year's twelve months, as a\n"
    "                      stand-alone SVG page (A4 landscape) for a printed calendar\n"
    "  ics --from YYYY --to YYYY [--calendars LIST] [--events LIST]\n"
    "                      an iCalendar file (RFC 5545) of the holidays of the calendars of LIST\n"
    "                      in the civil years from..to, each an all-day event on its civil day,\n"
    "                      and of every occurrence of the astronomical events of --events (such\n"
    "                      as \"Full Moon,New Moon,Solar Eclipse\"), timed in UTC\n"
    "  gedcom-date         reads GEDCOM date values from standard input, one per line (5.5.1:\n"
    "                      @#DJULIAN@ 11 FEB 1731/32, ABT, BEF, BET ... AND ..., FROM ... TO ...;\n"
    "                      7.0: JULIAN 11 FEB 1732, 44 BCE), and prints per line the first and the\n"
    "                      last serial date named, tab-separated, or #INVALID and the reason\n"
    "  gedcom FILE [--calendar NAME]\n"
    "                      every DATE line of a GEDCOM file (- for standard input) with its line,\n"
    "                      record, tag, value, kind and first and last day (Gregorian,\n"
    "                      YYYY-MM-DD), invalid dates marked #INVALID; --calendar adds both days\n"
    "                      in that calendar\n"
    "  names [LIST|CALENDAR] [--markdown]\n"
    "                      the names that text arguments accept, with their numbers: without an\n"
    "                      argument the lists, else one list, a group (months, holidays, ...) or\n"
    "                      every list of a calendar; --markdown: tables in both languages\n"
    "\n"
    "NAME is an exported name (SC_gregorian) or a display name in English or German\n"
    "(GREGORIAN, GREGORIANISCH), in any case; for a name that names nothing the tool\n"
    "suggests the closest ones.\n"
    "A number argument is a number, TRUE/FALSE (WAHR/FALSCH) or a proleptic Gregorian date\n"
    "YYYY-MM-DD[THH:MM[:SS]], which stands for its serial date (days since 1899-12-30).\n"
    "A text argument is passed as it is. The error value prints as NaN. A name argument that\n"
    "names nothing gets a note on standard error when the function falls back or fails,\n"
    "with the closest names of its list.\n"
    "\n"
    "Options:\n"
    "  --lib PATH   the add-in to load (default: the add-in beside this program)\n"
    "  --lang L     language passed to SetLanguage: de (0x0407), en (0x0409) or a Windows\n"
    "               language id 0xNNNN; default: German when the first non-empty of LC_ALL,\n"
    "               LC_MESSAGES and LANG begins with \"de\", else English\n"
    "  -h, --help   this text\n"
    "  --version    the version of the tool and of the library\n"
    "\n"
    "Exit status: 0 success, 1 a failed or malformed call or a library that cannot be\n"
    "used, 2 bad usage.\n";

struct Options {
  std::string library;
  std::optional<uint16_t> language;
  bool echo = false;
  bool warn = false;
  bool markdown = false;
  bool events = false;
  std::optional<std::string> calendars;
  std::optional<std::string> calendar;    // gedcom --calendar
  std::optional<std::string> event_list;  // ics --events LIST
  std::optional<std::string> format;      // cal --format text|svg
  std::optional<int64_t> from_year;       // ics --from
  std::optional<int64_t> to_year;         // ics --to
  bool help = false;
  bool version = false;
  std::string command;
  std::vector<std::string> words;  // the command's own arguments
};

int usage_error(const std::string& message) {
  std::fprintf(stderr, "varizav: %s\nTry 'varizav --help'.\n", message.c_str());
  return kExitUsage;
}

bool starts_with_ignoring_case(const char* text, const char* prefix) {
  return strncasecmp(text, prefix, std::strlen(prefix)) == 0;
}

std::optional<uint16_t> parse_language(std::string_view text) {
  if (text == "de" || text == "DE") return kLanguageGerman;
  if (text == "en" || text == "EN") return kLanguageEnglish;
  if (text.size() < 3 || text.size() > 6 || (text.substr(0, 2) != "0x" && text.substr(0, 2) != "0X")) {
    return std::nullopt;
  }
  unsigned value = 0;
  for (char c : text.substr(2)) {
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  return static_cast<uint16_t>(value);
}

// The user's language as POSIX locales give it: the first non-empty of
// LC_ALL, LC_MESSAGES and LANG decides.
uint16_t language_from_locale() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && value[0] != '\0') {
      return starts_with_ignoring_case(value, "de") ? kLanguageGerman : kLanguageEnglish;
    }
  }
  return kLanguageEnglish;
}

// Reads the options and the command; returns an error message for bad usage.
std::optional<std::string> parse_arguments(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    // Everything after `call NAME` belongs to the call (numbers may be negative).
    const bool in_call = options.command == "call" && !options.words.empty();
    const bool option = !in_call && arg.size() > 2 && arg.substr(0, 2) == "--";
    if (!in_call && arg == "-h") {
      options.help = true;
      continue;
    }
    if (!option) {
      if (options.command.empty()) {
        options.command = arg;
      } else {
        options.words.emplace_back(arg);
      }
      continue;
    }
    const size_t equals = arg.find('=');
    const std::string_view key = arg.substr(0, equals);
    std::optional<std::string_view> value;
    if (equals != std::string_view::npos) value = arg.substr(equals + 1);
    const auto take_value = [&]() -> std::optional<std::string_view> {
      if (value) return value;
      if (i + 1 < argc) return std::string_view(argv[++i]);
      return std::nullopt;
    };
    if (key == "--lib") {
      const auto path = take_value();
      if (!path || path->empty()) return "--lib needs the path of the library";
      options.library = *path;
    } else if (key == "--lang") {
      const auto text = take_value();
      if (!text) return "--lang needs de, en or a language id 0xNNNN";
      options.language = parse_language(*text);
      if (!options.language) return "--lang takes de, en or a language id 0xNNNN, not '" + std::string(*text) + "'";
    } else if (key == "--echo" && !value) {
      options.echo = true;
    } else if (key == "--warn" && !value) {
      options.warn = true;
    } else if (key == "--markdown" && !value) {
      options.markdown = true;
    } else if (key == "--events" && options.command == "ics") {
      const auto list = take_value();
      if (!list || list->empty()) return "--events of ics needs a list of events, such as \"Full Moon,New Moon\"";
      options.event_list = std::string(*list);
    } else if (key == "--format") {
      const auto text = take_value();
      if (!text || (*text != "svg" && *text != "text")) return "--format takes text or svg";
      options.format = std::string(*text);
    } else if (key == "--from" || key == "--to") {
      const auto text = take_value();
      // One to four digits: a year the options read before any library is loaded.
      const bool digits = text && !text->empty() && text->size() <= 4 &&
                          std::all_of(text->begin(), text->end(), [](char c) { return c >= '0' && c <= '9'; });
      const int64_t year = digits ? std::stoll(std::string(*text)) : 0;
      if (year < 1) return std::string(key) + " needs a year from 1 to 9999";
      (key == "--from" ? options.from_year : options.to_year) = year;
    } else if (key == "--events" && !value) {
      options.events = true;
    } else if (key == "--calendars") {
      const auto list = take_value();
      if (!list || list->empty()) return "--calendars needs a list of calendars, such as hebrew,islamic";
      options.calendars = std::string(*list);
    } else if (key == "--calendar") {
      const auto name = take_value();
      if (!name || name->empty()) return "--calendar needs a calendar name, such as hebrew";
      options.calendar = std::string(*name);
    } else if (key == "--help" && !value) {
      options.help = true;
    } else if (key == "--version" && !value) {
      options.version = true;
    } else {
      return "unknown option " + std::string(arg);
    }
  }
  return std::nullopt;
}

std::optional<std::string> check_command(const Options& options) {
  const std::string& c = options.command;
  const size_t n = options.words.size();
  if (c.empty()) return std::string("no command given");
  if (options.echo && c != "batch") return std::string("--echo belongs to batch");
  if (options.warn && c != "batch") return std::string("--warn belongs to batch");
  if (options.markdown && c != "names") return std::string("--markdown belongs to names");
  if (options.events && c != "cal") return std::string("--events without a list belongs to cal");
  if (options.calendars && c != "cal" && c != "ics") return std::string("--calendars belongs to cal and ics");
  if ((options.from_year || options.to_year || options.event_list) && c != "ics") {
    return std::string("--from, --to and --events LIST belong to ics");
  }
  if (options.format && c != "cal") return std::string("--format belongs to cal");
  if (options.calendar && c != "gedcom") return std::string("--calendar belongs to gedcom");
  if (c == "list" || c == "batch") {
    if (n != 0) return c + " takes no arguments";
  } else if (c == "help") {
    if (n != 1) return std::string("help takes one function name");
  } else if (c == "call") {
    if (n == 0) return std::string("call needs a function name");
  } else if (c == "today") {
    if (n > 1) return std::string("today takes at most one date");
  } else if (c == "cal") {
    if (n > 1) return std::string("cal takes at most one month YYYY-MM");
  } else if (c == "ics") {
    if (n != 0) return std::string("ics takes its choices as options");
    if (!options.from_year || !options.to_year) return std::string("ics needs --from YYYY and --to YYYY");
    if (*options.to_year < *options.from_year) return std::string("ics: --to lies before --from");
    if (!options.calendars && !options.event_list) return std::string("ics needs --calendars, --events or both");
  } else if (c == "gedcom-date") {
    if (n != 0) return std::string("gedcom-date reads standard input and takes no arguments");
  } else if (c == "gedcom") {
    if (n != 1) return std::string("gedcom takes one GEDCOM file");
  } else if (c == "names") {
    if (n > 1) return std::string("names takes at most one list or calendar");
  } else {
    return "unknown command " + c;
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  // The character set of the user's locale, as any host program takes it: the
  // library writes its texts in UTF-8 for a UTF-8 terminal. LC_CTYPE only, so
  // that the tool's own numbers keep their full stop.
  std::setlocale(LC_CTYPE, "");
  varizav::platform::set_binary_standard_streams();
  Options options;
  if (const auto error = parse_arguments(argc, argv, options)) return usage_error(*error);
  if (options.help) {
    std::fputs(kUsage, stdout);
    return kExitOk;
  }
  if (!options.version) {
    if (const auto error = check_command(options)) return usage_error(*error);
  }

  // An iCalendar file and an SVG page are UTF-8 whatever the terminal: the library and the
  // tool's name lists write texts in the character set of LC_CTYPE.
  const bool svg = options.command == "cal" && options.format == "svg";
  if (options.command == "ics" || svg) std::setlocale(LC_CTYPE, "C.UTF-8");
  // Its astronomical events are timed in UTC: the library's time zone is set
  // before it reads its configuration at registration.
  if (options.command == "ics") varizav::platform::set_environment_variable("VARIZAV_TIMEZONE", "0");

  // The names command reads the tool's own copy of the name tables, in the
  // language the library would look them up in; every other command asks the
  // loaded library.
  const uint16_t language = options.language.value_or(language_from_locale());
  const varizav::LanguageId names_language = configure_name_lookup(language);
  std::optional<std::string> word;
  if (!options.words.empty()) word = options.words[0];
  if (options.command == "names") return command_names(word, options.markdown, names_language);

  AddIn addin;
  std::string error;
  const std::string path = options.library.empty() ? default_library_path() : options.library;
  if (options.version) std::printf("varizav host tool %s\n", VARIZAV_TOOL_VERSION);
  if (!addin.load(path, error)) {
    std::fprintf(stderr, "varizav: %s\n", error.c_str());
    return kExitFailure;
  }
  if (options.version) {
    const char* version = addin.version_entry(3);
    std::printf("library %s: %s\n", path.c_str(), version != nullptr ? version : "(no version table)");
    return kExitOk;
  }
  if (!addin.register_functions(language, error)) {
    std::fprintf(stderr, "varizav: %s: %s\n", path.c_str(), error.c_str());
    return kExitFailure;
  }

  if (options.command == "list") return command_list(addin);
  if (options.command == "help") return command_help(addin, options.words[0]);
  if (options.command == "call") return command_call(addin, options.words);
  if (options.command == "batch") return command_batch(addin, options.echo, options.warn, stdin, stdout);
  if (options.command == "ics") {
    return command_ics(addin, options.calendars, options.event_list, *options.from_year, *options.to_year);
  }
  if (options.command == "gedcom-date") return command_gedcom_date(addin, stdin, stdout);
  if (options.command == "gedcom") return command_gedcom(addin, options.words[0], options.calendar);
  if (options.command == "cal" && options.format == "svg") {
    return command_cal_svg(addin, word, options.calendars, options.events);
  }
  if (options.command == "cal") return command_cal(addin, word, options.calendars, options.events);
  return command_today(addin, word);
}
