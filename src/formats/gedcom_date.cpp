#include "formats/gedcom_date.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <limits>

#include "calendars/french.h"
#include "calendars/hebrew.h"
#include "calendars/registry.h"
#include "calendars/western/gregorian.h"
#include "calendars/western/julian.h"
#include "framework/date.h"

namespace varizav {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Years beyond this magnitude lie far outside the accepted range of dates
// (about years -214000 .. 214700) in every calendar read here; they are
// rejected before any calendar arithmetic sees them.
constexpr int64_t kMaxYearMagnitude = 400000;

// Words a value may hold: "BET @#DFRENCH R@ 1 VEND 2 B.C. AND ..." has 11.
constexpr size_t kMaxWords = 16;

// Longest word quoted back in a reason.
constexpr int kQuotedWordLength = 40;

enum class Calendar { kGregorian, kJulian, kHebrew, kFrench };

struct Words {
  std::array<std::string_view, kMaxWords> word{};
  size_t count = 0;
};

// A date read from its words: the civil days it spans.
struct Span {
  bool ok = false;
  Calendar calendar = Calendar::kGregorian;
  double first = 0.0;  // serial day
  double last = 0.0;   // serial day
};

class Reason {
 public:
  explicit Reason(char* out) : out_(out) {
    if (out_ != nullptr) out_[0] = '\0';
  }
  // Writes the reason (the first one given stays) and returns a failed span.
  Span fail(const char* format, ...) __attribute__((format(printf, 2, 3))) {
    if (out_ != nullptr && out_[0] == '\0') {
      va_list args;
      va_start(args, format);
      std::vsnprintf(out_, kGedcomReasonSize, format, args);
      va_end(args);
    }
    return {};
  }

 private:
  char* out_;
};

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool same_word(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return true;
}

bool ends_with_word(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && same_word(text.substr(text.size() - suffix.size()), suffix);
}

int quoted_length(std::string_view w) { return static_cast<int>(std::min<size_t>(w.size(), kQuotedWordLength)); }

std::string_view trim(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

// Splits text at blanks; false when it holds more than kMaxWords words.
bool split_words(std::string_view text, Words& out) {
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && is_blank(text[i])) ++i;
    const size_t start = i;
    while (i < text.size() && !is_blank(text[i])) ++i;
    if (i == start) break;
    if (out.count == kMaxWords) return false;
    out.word[out.count++] = text.substr(start, i - start);
  }
  return true;
}

// A run of 1..9 decimal digits; -1 for anything else.
int64_t digits_value(std::string_view text) {
  if (text.empty() || text.size() > 9) return -1;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

// Month codes of each calendar, in the order of its year.
constexpr std::array<std::string_view, 12> kWesternMonths = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                             "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
constexpr std::array<std::string_view, 13> kFrenchMonths = {"VEND", "BRUM", "FRIM", "NIVO", "PLUV", "VENT", "GERM",
                                                            "FLOR", "PRAI", "MESS", "THER", "FRUC", "COMP"};
// Hebrew codes from Tishri, each with the calendar's month number (1 = Nisan,
// 12 = Adar, in a leap year Adar I, 13 = Adar II).
struct HebrewMonth {
  std::string_view code;
  int32_t month;
};
constexpr std::array<HebrewMonth, 13> kHebrewMonths = {{{"TSH", 7},
                                                        {"CSH", 8},
                                                        {"KSL", 9},
                                                        {"TVT", 10},
                                                        {"SHV", 11},
                                                        {"ADR", 12},
                                                        {"ADS", 13},
                                                        {"NSN", 1},
                                                        {"IYR", 2},
                                                        {"SVN", 3},
                                                        {"TMZ", 4},
                                                        {"AAV", 5},
                                                        {"ELL", 6}}};
constexpr int32_t kHebrewTishri = 7;
constexpr int32_t kHebrewElul = 6;
constexpr int32_t kHebrewAdar = 12;
constexpr int32_t kHebrewAdarII = 13;
constexpr int32_t kFrenchComplementary = 13;

template <size_t N>
int32_t month_number(const std::array<std::string_view, N>& codes, std::string_view word) {
  for (size_t i = 0; i < N; ++i) {
    if (same_word(word, codes[i])) return static_cast<int32_t>(i + 1);
  }
  return 0;
}

const char* calendar_title(Calendar c) {
  switch (c) {
    case Calendar::kGregorian: return "Gregorian";
    case Calendar::kJulian: return "Julian";
    case Calendar::kHebrew: return "Hebrew";
    case Calendar::kFrench: return "French Republican";
  }
  return "";
}

int32_t calendar_id(Calendar c) {
  switch (c) {
    case Calendar::kGregorian: return kGregorian;
    case Calendar::kJulian: return kJulian;
    case Calendar::kHebrew: return kHebrew;
    case Calendar::kFrench: return kFrench;
  }
  return -1;
}

// The civil serial day that holds the middle of a calendar day beginning at
// jd: midnight for most calendars, 18:00 of the day before for the Hebrew one.
double civil_day(JulianDay jd) { return std::floor(jd_to_serial(jd) + 0.5); }

// The first day and the day after the last of a month (year, month) of a
// calendar, as JulianDays of the days' beginnings.
struct MonthBounds {
  JulianDay begin;
  JulianDay end;
};

MonthBounds western_month(Calendar c, int32_t year, int32_t month) {
  const auto to_jd = c == Calendar::kJulian ? julian::to_jd : gregorian::to_jd;
  const JulianDay end = month == 12 ? to_jd(year + 1, 1, 1.0) : to_jd(year, month + 1, 1.0);
  return {to_jd(year, month, 1.0), end};
}

MonthBounds hebrew_month(int32_t year, int32_t month) {
  // Months run Tishri (7) .. Adar (12, 13 in a leap year), then Nisan (1) ..
  // Elul (6); the year number changes at Tishri.
  JulianDay end = 0.0;
  if (month == kHebrewElul) {
    end = hebrew::to_jd(year + 1, kHebrewTishri, 1.0);
  } else if (month == kHebrewAdarII || (month == kHebrewAdar && hebrew::is_leap_year(year) == 0)) {
    end = hebrew::to_jd(year, 1, 1.0);
  } else {
    end = hebrew::to_jd(year, month + 1, 1.0);
  }
  return {hebrew::to_jd(year, month, 1.0), end};
}

MonthBounds french_month(int32_t year, int32_t month) {
  const JulianDay begin = french::to_jd(year, month, 1.0);
  const int32_t length = month < kFrenchComplementary ? 30 : 5 + french::is_leap_year(year);
  return {begin, begin + length};
}

// Reads [calendar] [[day] month] year [epoch] from words[from, to).
Span read_date(const Words& words, size_t from, size_t to, Reason& reason) {
  if (from == to) return reason.fail("a date is missing");
  Calendar calendar = Calendar::kGregorian;
  bool version7 = false;  // the calendar named by a GEDCOM 7.0 word
  std::string_view first = words.word[from];
  if (first.size() >= 3 && first.substr(0, 3) == "@#D") {
    // The 5.5.1 escape; "@#DFRENCH R@" is written with a blank, so two words.
    std::string_view escape = first;
    if (same_word(first, "@#DFRENCH") && from + 1 < to && same_word(words.word[from + 1], "R@")) {
      escape = "@#DFRENCH R@";
      ++from;
    }
    if (same_word(escape, "@#DGREGORIAN@")) {
      calendar = Calendar::kGregorian;
    } else if (same_word(escape, "@#DJULIAN@")) {
      calendar = Calendar::kJulian;
    } else if (same_word(escape, "@#DHEBREW@")) {
      calendar = Calendar::kHebrew;
    } else if (same_word(escape, "@#DFRENCH R@")) {
      calendar = Calendar::kFrench;
    } else if (same_word(escape, "@#DROMAN@")) {
      return reason.fail("@#DROMAN@ (the Roman calendar) has no days that GEDCOM writes: the date names no day");
    } else if (same_word(escape, "@#DUNKNOWN@")) {
      return reason.fail("@#DUNKNOWN@ (a calendar not known) names no day");
    } else {
      return reason.fail("unknown calendar escape '%.*s'", quoted_length(escape), escape.data());
    }
    ++from;
  } else if (same_word(first, "GREGORIAN")) {
    ++from;
  } else if (same_word(first, "JULIAN")) {
    calendar = Calendar::kJulian;
    ++from;
  } else if (same_word(first, "HEBREW")) {
    calendar = Calendar::kHebrew;
    version7 = true;
    ++from;
  } else if (same_word(first, "FRENCH_R")) {
    calendar = Calendar::kFrench;
    ++from;
  } else if (first.front() == '_') {
    return reason.fail("'%.*s' is a calendar of its own extension: its days are not known", quoted_length(first),
                       first.data());
  }

  // The epoch: "B.C." (5.5.1, also joined to the year) or "BCE" (7.0).
  bool before_era = false;
  std::string_view year_word = to > from ? words.word[to - 1] : std::string_view();
  for (const std::string_view epoch : {"B.C.", "BCE", "BC", "B.C.E."}) {
    if (to > from && same_word(words.word[to - 1], epoch)) {
      before_era = true;
      --to;
      year_word = to > from ? words.word[to - 1] : std::string_view();
      break;
    }
    if (year_word.size() > epoch.size() && ends_with_word(year_word, epoch)) {
      before_era = true;
      year_word.remove_suffix(epoch.size());
      break;
    }
  }
  const size_t count = to - from;
  if (count == 0) return reason.fail("a date has no year");
  if (count > 3) {
    const std::string_view extra = words.word[from + count - 4];
    return reason.fail("too many words in a date: '%.*s' is neither a day, a month nor a year", quoted_length(extra),
                       extra.data());
  }
  const bool western = calendar == Calendar::kGregorian || calendar == Calendar::kJulian;
  if (before_era && !western) {
    return reason.fail("the %s calendar has no years before its era (B.C., BCE)", calendar_title(calendar));
  }

  // The year, with its dual form 1731/32 (the year that began on 25 March
  // 1731 in the old style, 1732 in the new one) in the western calendars.
  const size_t slash = year_word.find('/');
  int64_t year = digits_value(year_word.substr(0, slash));
  if (year < 0 && (month_number(kWesternMonths, year_word) != 0 || month_number(kFrenchMonths, year_word) != 0 ||
                   std::any_of(kHebrewMonths.begin(), kHebrewMonths.end(),
                               [&](const HebrewMonth& m) { return same_word(year_word, m.code); }))) {
    // "5 JAN" is a phrase in GEDCOM's eyes, not a date.
    return reason.fail("a date needs a year: '%.*s' is a month", quoted_length(year_word), year_word.data());
  }
  if (year < 0) return reason.fail("'%.*s' is not a year", quoted_length(year_word), year_word.data());
  if (year == 0) return reason.fail("there is no year 0: 1 B.C. is followed by 1");
  bool dual = false;
  if (slash != std::string_view::npos) {
    const std::string_view second = year_word.substr(slash + 1);
    const int64_t ending = second.size() <= 2 ? digits_value(second) : -1;
    if (!western || before_era) {
      return reason.fail("a dual year such as 1731/32 belongs to the Gregorian and Julian calendars, A.D.");
    }
    if (ending < 0 || (year + 1) % (second.size() == 1 ? 10 : 100) != ending) {
      return reason.fail("in the dual year '%.*s' the second year does not follow the first", quoted_length(year_word),
                         year_word.data());
    }
    dual = true;
    year += 1;  // the new-style year, which began on 1 January
  }
  if (year > kMaxYearMagnitude) {
    return reason.fail("the year %lld lies outside the range of dates", static_cast<long long>(year));
  }
  const auto y = static_cast<int32_t>(before_era ? 1 - year : year);

  // The month, when there is one.
  int32_t month = 0;
  std::string_view month_word;
  if (count >= 2) {
    month_word = words.word[from + count - 2];
    switch (calendar) {
      case Calendar::kGregorian:
      case Calendar::kJulian: month = month_number(kWesternMonths, month_word); break;
      case Calendar::kFrench: month = month_number(kFrenchMonths, month_word); break;
      case Calendar::kHebrew:
        for (const HebrewMonth& m : kHebrewMonths) {
          if (same_word(month_word, m.code)) month = m.month;
        }
        break;
    }
    if (month == 0) {
      return reason.fail("'%.*s' is no month code of the %s calendar", quoted_length(month_word), month_word.data(),
                         calendar_title(calendar));
    }
    // GEDCOM 5.5.1: ADR is Adar, in a leap year Adar I, and ADS (Adar Sheni)
    // exists only in leap years. GEDCOM 7.0 names Adar of a common year ADS
    // and asks readers to take ADR of a common year for it too.
    if (calendar == Calendar::kHebrew && month == kHebrewAdarII && hebrew::is_leap_year(y) == 0) {
      if (!version7) {
        return reason.fail("ADS (Adar II) exists only in leap years, and %d is a common year of 12 months", y);
      }
      month = kHebrewAdar;
    }
  }

  MonthBounds bounds{};
  if (count == 1) {
    switch (calendar) {
      case Calendar::kGregorian:
      case Calendar::kJulian:
        bounds = western_month(calendar, y, 1);
        // A dual year alone: the days that both numberings of the year share,
        // 1 January to 24 March of the new-style year.
        bounds.end = dual ? western_month(calendar, y, 3).begin + 24 : western_month(calendar, y, 12).end;
        break;
      case Calendar::kHebrew:
        bounds = {hebrew::to_jd(y, kHebrewTishri, 1.0), hebrew::to_jd(y + 1, kHebrewTishri, 1.0)};
        break;
      case Calendar::kFrench: bounds = {french::to_jd(y, 1, 1.0), french::to_jd(y + 1, 1, 1.0)}; break;
    }
  } else {
    switch (calendar) {
      case Calendar::kGregorian:
      case Calendar::kJulian: bounds = western_month(calendar, y, month); break;
      case Calendar::kHebrew: bounds = hebrew_month(y, month); break;
      case Calendar::kFrench: bounds = french_month(y, month); break;
    }
  }
  if (count == 3) {
    const std::string_view day_word = words.word[from];
    const int64_t day = digits_value(day_word);
    const auto length = static_cast<int64_t>(std::llround(bounds.end - bounds.begin));  // [5, 31]
    if (day < 1) return reason.fail("'%.*s' is not a day of the month", quoted_length(day_word), day_word.data());
    if (day > length) {
      return reason.fail("%.*s %d of the %s calendar has %lld days, not %lld", quoted_length(month_word),
                         month_word.data(), y, calendar_title(calendar), static_cast<long long>(length),
                         static_cast<long long>(day));
    }
    bounds.begin += static_cast<double>(day - 1);
    bounds.end = bounds.begin + 1.0;
  }
  if (!jd_in_accepted_range(bounds.begin) || !jd_in_accepted_range(bounds.end)) {
    return reason.fail("the date lies outside the range of dates");
  }
  return {true, calendar, civil_day(bounds.begin), civil_day(bounds.end) - 1.0};
}

// Where word `keyword` stands in words[from, count), or count.
size_t find_word(const Words& words, size_t from, std::string_view keyword) {
  for (size_t i = from; i < words.count; ++i) {
    if (same_word(words.word[i], keyword)) return i;
  }
  return words.count;
}

GedcomRange invalid() { return {GedcomKind::kInvalid, -1, kNaN, kNaN}; }

GedcomRange range_of(GedcomKind kind, const Span& a, const Span& b) {
  return {kind, calendar_id(a.calendar), a.first, b.last};
}

}  // namespace

GedcomRange read_gedcom_date(std::string_view value, char* reason_out) noexcept {
  Reason reason(reason_out);
  std::string_view text = trim(value);
  if (text.empty()) {
    reason.fail("the date value is empty");
    return invalid();
  }
  // A phrase in parentheses ends the value: alone it names no day, after INT
  // it is the text that the date interprets.
  const size_t open = text.find('(');
  bool phrase = false;
  if (open != std::string_view::npos) {
    if (text.back() != ')') {
      reason.fail("the phrase in parentheses is not closed at the end of the value");
      return invalid();
    }
    phrase = true;
    text = trim(text.substr(0, open));
    if (text.empty()) {
      reason.fail("a date phrase in parentheses alone names no day");
      return invalid();
    }
  }
  Words words;
  if (!split_words(text, words)) {
    reason.fail("too many words for a date value");
    return invalid();
  }
  const std::string_view lead = words.word[0];
  const auto one = [&](GedcomKind kind, size_t from) {
    const Span s = read_date(words, from, words.count, reason);
    return s.ok ? range_of(kind, s, s) : invalid();
  };
  const auto two = [&](GedcomKind kind, std::string_view joint) {
    const size_t at = find_word(words, 1, joint);
    if (at == words.count) {
      reason.fail("%.*s needs a second date after %.*s", quoted_length(lead), lead.data(), quoted_length(joint),
                  joint.data());
      return invalid();
    }
    const Span a = read_date(words, 1, at, reason);
    if (!a.ok) return invalid();
    const Span b = read_date(words, at + 1, words.count, reason);
    if (!b.ok) return invalid();
    if (b.last < a.first) {
      reason.fail("the second date lies before the first");
      return invalid();
    }
    return range_of(kind, a, b);
  };
  if (phrase && !same_word(lead, "INT")) {
    reason.fail("a phrase in parentheses follows only an INT date");
    return invalid();
  }
  if (same_word(lead, "INT")) return one(GedcomKind::kInterpreted, 1);
  if (same_word(lead, "ABT") || same_word(lead, "CAL") || same_word(lead, "EST")) return one(GedcomKind::kAbout, 1);
  if (same_word(lead, "BEF")) return one(GedcomKind::kBefore, 1);
  if (same_word(lead, "AFT")) return one(GedcomKind::kAfter, 1);
  if (same_word(lead, "BET")) return two(GedcomKind::kBetween, "AND");
  if (same_word(lead, "FROM")) {
    if (find_word(words, 1, "TO") == words.count) return one(GedcomKind::kPeriod, 1);
    return two(GedcomKind::kPeriod, "TO");
  }
  if (same_word(lead, "TO")) return one(GedcomKind::kPeriod, 1);
  for (const std::string_view stray : {"AND", "TO"}) {
    const size_t at = find_word(words, 1, stray);
    if (at != words.count) {
      reason.fail("%.*s without BET or FROM before it", quoted_length(words.word[at]), words.word[at].data());
      return invalid();
    }
  }
  return one(GedcomKind::kExact, 0);
}

const char* gedcom_kind_name(GedcomKind kind) noexcept {
  switch (kind) {
    case GedcomKind::kExact: return "exact";
    case GedcomKind::kAbout: return "about";
    case GedcomKind::kBefore: return "before";
    case GedcomKind::kAfter: return "after";
    case GedcomKind::kBetween: return "between";
    case GedcomKind::kPeriod: return "period";
    case GedcomKind::kInterpreted: return "interpreted";
    case GedcomKind::kInvalid: break;
  }
  return "invalid";
}

}  // namespace varizav
