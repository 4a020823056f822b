// The days of a civil month as `varizav cal` shows them, as text or as an SVG
// page: each day in the chosen calendars, the month's holidays of those
// calendars and its Moon phases. One source for every form of the month;
// every date and name comes from the loaded library and its tables.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "addin_loader.h"
#include "values.h"
#include "varizav/names.h"

namespace varizav::tool {

// Entries of the astronomical event list: 4..7 the Moon's phases; with
// --events every event from 8 on, except the two that only repeat others
// ("Eclipse" is the solar or the lunar one, "Zodiac" the entry into any sign).
constexpr int32_t kFirstMoonPhase = 4;
constexpr int32_t kLastMoonPhase = 7;
constexpr int32_t kFirstOtherEvent = 8;
constexpr int32_t kEitherEclipse = 16;
constexpr int32_t kAnySign = 33;

// Days the civil month is looked for around the Gregorian month of the same
// number: the Julian calendar runs up to 13 days behind (before 1900 less).
constexpr int64_t kSearchMargin = 20;

constexpr double kTextMode = 1.0;
constexpr double kNumberMode = 0.0;

// A date of the civil calendar as SC_calendar writes it in numbers.
struct CivilDate {
  int64_t year;
  int32_t month;
  int32_t day;
};

struct Day {
  int64_t serial;
  int32_t day;  // civil day of the month
};

struct Listed {
  double when;  // serial date with time of day
  std::string names;
  std::string calendar;     // empty for astronomical events
  int32_t moon_phase = -1;  // 0 new, 1 first quarter, 2 full, 3 last quarter; -1 none
};

class Caller {
 public:
  explicit Caller(const AddIn& addin)
      : calendar_(addin.find("SC_calendar")),
        holiday2_(addin.find("SC_holiday2")),
        addin_(addin),
        language_(addin.name_language()) {}

  const AddIn& addin() const { return addin_; }

  // Name `entry` of a list of varizav/names.h in the language in force, and in English.
  const char* name(int32_t list, int32_t entry) const { return addin_.name(list, entry, language_); }
  const char* english(int32_t list, int32_t entry) const { return addin_.name(list, entry, kEnglishNames); }
  // The calendar (0-based) of an English calendar name.
  int32_t calendar_id(const char* english_name) const {
    return addin_.name_entry(VARIZAV_LIST_CALENDARS, english_name, kEnglishNames) - 1;
  }
  // The entry (1-based) that a text selects in a list in the language in
  // force, else by its English name; 0 for none.
  int32_t entry_of(int32_t list, std::string_view text) const {
    const int32_t entry = addin_.name_entry(list, text, language_);
    return entry != 0 ? entry : addin_.name_entry(list, text, kEnglishNames);
  }
  uint16_t language() const { return language_; }

  bool usable() const { return usable(calendar_, 3) && usable(holiday2_, 3); }

  std::string format(const std::string& calendar, double serial, double mode) const {
    std::array<Argument, kMaxArguments> arguments{};
    arguments[0].text = calendar;
    arguments[1].number = serial;
    arguments[2].number = mode;
    return addin_.call(*calendar_, arguments.data()).text;
  }

  double next(const std::string& calendar, int32_t entry, double serial) const {
    const std::string event = std::to_string(entry);
    std::array<Argument, kMaxArguments> arguments{};
    arguments[0].text = calendar;
    arguments[1].text = event;
    arguments[2].number = serial;
    return addin_.call(*holiday2_, arguments.data()).number;
  }

  // The language identifier whose names are the English ones.
  static constexpr uint16_t kEnglishNames = 9;

 private:
  static bool usable(const Function* f, size_t arguments) {
    return f != nullptr && f->exported() && f->unusable_reason.empty() && f->parameters.size() == arguments;
  }
  const Function* calendar_;
  const Function* holiday2_;
  const AddIn& addin_;
  uint16_t language_;
};

// The rows of the grid: the civil days, then each calendar whose dates differ from them.
struct Grid {
  std::vector<int32_t> calendars;              // of rows 1..
  std::vector<std::string> labels;             // row 0 unlabelled
  std::vector<std::vector<std::string>> rows;  // [row][day]
  size_t width = 2;                            // of a cell
};

// Words of a text separated by blanks.
std::vector<std::string> words_of(const std::string& text);

// Text of a whole (optionally negative) number.
bool is_integer(const std::string& word);

// A text in the host's character set (what the library and host_name write)
// as UTF-8, for the files that are UTF-8 whatever the terminal (SVG, .ics).
std::string utf8_text(const std::string& host_text);

// Columns a text takes in the terminal (a UTF-8 sequence counts once).
size_t display_width(const std::string& text);

// A calendar's name in the language in force (Windows-1252).
const char* calendar_name(const Caller& caller, int32_t id);

// A weekday's name (0 = Monday) in the language in force (Windows-1252).
const char* weekday_name(const Caller& caller, size_t monday_based);

// 0 = Monday .. 6 = Sunday.
size_t weekday_of(const Caller& caller, int64_t serial);

// The civil (year, month, day) of a serial day, as the library's civil
// calendar writes it: Julian up to the reform, Gregorian after it.
std::optional<CivilDate> civil_date(const Caller& caller, int64_t serial);

// The calendars of a comma-separated list (default: Gregorian, Hebrew,
// Islamic); nothing, with a message, when a name selects no calendar.
std::optional<std::vector<int32_t>> calendars_of(const Caller& caller, const std::optional<std::string>& list);

// The civil month: the serial days whose civil date lies in it.
std::vector<Day> civil_month(const Caller& caller, int64_t year, int32_t month);

// The rows of the month: the civil days, then each calendar of ids whose
// dates differ from them.
Grid grid_of(const Caller& caller, const std::vector<int32_t>& ids, const std::vector<Day>& days);

// The holidays of the calendars and the Moon phases (with events, every
// astronomical event) from the first of days to the end of the last, by date.
std::vector<Listed> month_listing(const Caller& caller, const std::vector<int32_t>& ids, bool events,
                                  const std::vector<Day>& days);

}  // namespace varizav::tool
