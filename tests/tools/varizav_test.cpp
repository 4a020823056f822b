// The host tool run as a subprocess: against the built library (values from
// the library's documented examples or computed independently) and against a
// fake add-in whose every answer the tests know.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

using namespace std::string_literals;

constexpr const char* kTool = VARIZAV_TOOL_PATH;
constexpr const char* kFake = VARIZAV_FAKE_ADDIN_PATH;
constexpr const char* kManPage = VARIZAV_MAN_PAGE_PATH;
// Independent (Fliegel & Van Flandern): JDN 2451545, serial 36526, is
// Saturday 1 January 2000.
constexpr const char* kSaturday2000 = "independent: Saturday 1 January 2000";

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::string temp_file(const std::string& content) {
  std::string path = (std::getenv("TMPDIR") != nullptr ? std::getenv("TMPDIR") : "/tmp") + std::string("/vztoolXXXXXX");
  const int fd = mkstemp(path.data());
  EXPECT_GE(fd, 0);
  if (fd >= 0) {
    EXPECT_EQ(write(fd, content.data(), content.size()), static_cast<ssize_t>(content.size()));
    close(fd);
  }
  return path;
}

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs the tool with the given arguments, standard input and extra
// environment entries; the caller's locale and VARIZAV_ variables are removed
// so that every run starts from the same place.
ToolRun run_tool(const std::vector<std::string>& args, const std::string& input = "",
                 const std::vector<std::string>& extra_env = {}) {
  const std::string in_path = temp_file(input);
  const std::string out_path = temp_file("");
  const std::string err_path = temp_file("");

  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    if (entry.rfind("LANG=", 0) == 0 || entry.rfind("LC_ALL=", 0) == 0 || entry.rfind("LC_MESSAGES=", 0) == 0 ||
        entry.rfind("VARIZAV_", 0) == 0) {
      continue;
    }
    env.push_back(entry);
  }
  env.insert(env.end(), extra_env.begin(), extra_env.end());

  std::vector<std::string> argv_strings = {kTool};
  argv_strings.insert(argv_strings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argv_strings) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in_path.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_TRUNC, 0);
  posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_TRUNC, 0);
  ToolRun run;
  pid_t pid = 0;
  if (posix_spawn(&pid, kTool, &actions, nullptr, argv.data(), envp.data()) == 0) {
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
  }
  posix_spawn_file_actions_destroy(&actions);
  run.out = slurp(out_path);
  run.err = slurp(err_path);
  unlink(in_path.c_str());
  unlink(out_path.c_str());
  unlink(err_path.c_str());
  return run;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct CallCase {
  std::vector<std::string> args;
  const char* out;  // the whole standard output
  const char* source;
};

// Runs the tool and checks that it succeeds with exactly the given output.
void expect_output(const std::vector<std::string>& args, const std::string& want) {
  const ToolRun run = run_tool(args);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, want);
}

TEST(ToolCall, PrintsNumbersTextsAndDates) {
  const CallCase cases[] = {
      {{"call", "SC_astronomy", "2415018.5"},
       "0\t1899-12-30T00:00:00\n",
       "defined: JD 2415018.5 is serial 0, 30 December 1899"},
      {{"call", "astronomical", "2451545"},
       "36526.5\t2000-01-01T12:00:00\n",
       "independent: JD 2451545.0 is J2000.0, noon of 2000-01-01"},
      {{"call", "SC_astronomy", "-1"},
       "-2415019.5\t-4713-11-23T12:00:00\n",
       "independent: JD 0 is noon of -4713-11-24 (proleptic Gregorian), JD -1 a day earlier"},
      {{"call", "SC_astronomy", "TRUE"}, "-2415017.5\t-4713-11-25T12:00:00\n", "independent: TRUE reads as 1"},
      {{"call", "SC_astronomy", "falsch"}, "-2415018.5\t-4713-11-24T12:00:00\n", "independent: FALSCH reads as 0"},
      {{"call", "SC_astronomy", "2415018.75"}, "0.25\t1899-12-30T06:00:00\n", "independent: a quarter day is 06:00"},
      {{"call", "SC_astronomy", "2415018.5000057"},
       "5.700159817934036e-06\t1899-12-30T00:00:00\n",
       "independent: 0.49 s rounds down to the whole second"},
      {{"call", "SC_astronomy", "1e300"}, "1e+300\n", "independent: far beyond any date, no date column"},
      {{"call", "SC_astronomy", "nan"}, "NaN\n", "independent: NaN passes through as the error value"},
      {{"call", "sc_CALENDAR", "gregorian", "36526", "0"},
       "2000  1  1\n",
       "defined: the function name in any case; JDN 2451545 is 1 January 2000"},
      {{"--lang", "en", "call", "SC_calendar", "gregorian", "2000-01-01", "1"},
       "Saturday, 1 January 2000\n",
       kSaturday2000},
      {{"--lang", "de", "call", "KALENDER", "gregorian", "2000-01-01", "1"}, "Samstag, 1 Januar 2000\n", kSaturday2000},
      {{"call", "SC_calendar", "11", "2000-01-01", "-1"},
       "2000  1 1.000000\n",
       "defined: calendar entry 11 is gregorian, mode -1 six decimals"},
      {{"call", "SC_calendar", "astronomical", "2000-01-01T18:00", "0"},
       "2451545.250000\n",
       "independent: 2000-01-01 18:00 is JD 2451545.25"},
      {{"call", "SC_calendar", "astronomical", "0000-03-01T06:30:15", "0"},
       "1721119.771007\n",
       "independent: 1 January 1 AD is JD 1721425.5, 306 days after 0000-03-01; plus 23415 s"},
      {{"call", "SC_calendar", "astronomical", "-0001-12-31T18:00", "0"},
       "1721059.250000\n",
       "independent: 61 days (31 Dec, 31 Jan, 29 Feb) before 0000-03-01, plus 18 h"},
  };
  for (const CallCase& c : cases) {
    const ToolRun run = run_tool(c.args);
    EXPECT_EQ(run.status, 0) << c.source << ": " << run.err;
    EXPECT_EQ(run.out, c.out) << c.source;
  }
}

TEST(ToolCall, FunctionsOfEveryArgumentShape) {
  // Calls through the registered type codes of other argument lists; a case
  // is skipped while its function is not built.
  const CallCase cases[] = {
      {{"--lang", "en", "call", "SC_gregorian", "2001", "Feb", "30"},
       "36952\t2001-03-02T00:00:00\n",
       "defined: a day past the month's end counts on"},
      {{"--lang", "en", "call", "SC_gregorian", "2001", "Feb", "32"}, "NaN\n", "defined: the day bound 32"},
      {{"call", "SC_iso8601", "2004", "53", "6"},
       "38353\t2005-01-01T00:00:00\n",
       "independent: ISO 8601, 2004-W53-6 is 1 January 2005"},
      {{"call", "SC_mayan", "12", "19", "6", "15", "2"},
       "36526\t2000-01-01T00:00:00\n",
       "independent: long count 12.19.6.15.2 is 1 January 2000 (GMT correlation 584283)"},
      {{"--lang", "en", "call", "SC_gengou", "Heisei", "12", "Jan", "1"},
       "36526\t2000-01-01T00:00:00\n",
       "independent: Heisei 1 is 1989"},
      {{"call", "SC_latin", "2000", "Martius", "Kalendas", "bis VI"},
       "36593\t2000-03-08T00:00:00\n",
       "independent: bis sextum Kal. Mar. is Julian 24 February 2000, Gregorian 8 March"},
      {{"call", "SC_leapyear", "gregorian", "2000"}, "1\n", "independent: 2000 is a Gregorian leap year, no date"},
      {{"--lang", "en", "call", "SC_chronology", "epact", "2000"}, "24\n", "independent: the Gregorian epact of 2000"},
      {{"call", "SC_chronology", "nothing", "2000"},
       "Err:502\n",
       "defined: the host's error text for an unknown cycle"},
  };
  for (const CallCase& c : cases) {
    const ToolRun run = run_tool(c.args);
    if (run.err.find("is not exported by the library") != std::string::npos) continue;
    EXPECT_EQ(run.status, 0) << c.source << ": " << run.err;
    EXPECT_EQ(run.out, c.out) << c.source;
  }
}

TEST(ToolBatch, OneLinePerCallAndBadCallsFail) {
  const std::string input =
      "# a comment\n"
      "\n"
      "SC_astronomy\t2415018.5\n"
      "SC_calendar\tgregorian\t2000-01-01\t0\r\n"
      "SC_nothing\t1\n"
      "SC_astronomy\t1\t2\n"
      "SC_astronomy\tnot-a-number\n"
      "SC_calendar\t\t36526\t0\n";
  const ToolRun run = run_tool({"batch"}, input);
  EXPECT_EQ(run.status, 1);
  const std::vector<std::string> lines = lines_of(run.out);
  ASSERT_EQ(lines.size(), 6u) << run.out;
  EXPECT_EQ(lines[0], "0");           // defined: serial 0, no date column in batch
  EXPECT_EQ(lines[1], "2000  1  1");  // defined: the CR of a CRLF line dropped
  EXPECT_EQ(lines[2].rfind("#BADCALL unknown function SC_nothing", 0), 0u) << lines[2];
  EXPECT_EQ(lines[3].rfind("#BADCALL SC_astronomy takes 1 argument", 0), 0u) << lines[3];
  EXPECT_EQ(lines[4].rfind("#BADCALL argument 1 (date) of SC_astronomy", 0), 0u) << lines[4];
  EXPECT_EQ(lines[5], "2000  1  1");  // defined: an empty name uses the civil calendar

  const ToolRun good = run_tool({"batch"}, "SC_astronomy\t2415019.5\n");
  EXPECT_EQ(good.status, 0) << good.err;
  EXPECT_EQ(good.out, "1\n");  // independent: one day after the serial epoch
}

TEST(ToolBatch, NulByteMakesItsLineAMalformedCall) {
  struct Case {
    std::string input;
    const char* out;
    const char* source;
  };
  const std::string long_number = "SC_astronomy\t" + std::string(70000, '0') + "2415019.5\n";
  const Case cases[] = {
      {"SC_gregorian\t2024\tMarch\t3\0\n1\nSC_gregorian\t2024\tMarch\t4\n"s,
       "#BADCALL a NUL byte in the call\n#BADCALL unknown function 1\n45355\n",
       "the reported case; independent: 4 March 2024 is 27 days before 31 March (45382)"},
      {"\0\nSC_astronomy\t2415019.5"s, "#BADCALL a NUL byte in the call\n1\n",
       "independent: a line of a NUL alone, then a last line without its line end"},
      {long_number + long_number, "1\n1\n", "independent: lines longer than a read block stay whole"},
  };
  for (const Case& c : cases) {
    const ToolRun run = run_tool({"--lang", "en", "batch"}, c.input);
    EXPECT_EQ(run.out, c.out) << c.source;
    EXPECT_EQ(run.status, std::string(c.out).find("#BADCALL") != std::string::npos ? 1 : 0) << c.source;
  }
}

TEST(ToolBatch, HundredThousandCallsInOneProcess) {
  std::string input;
  for (int i = 0; i < 100000; ++i) input += "SC_astronomy\t" + std::to_string(2415018.5 + i) + "\n";
  const ToolRun run = run_tool({"batch"}, input);
  EXPECT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = lines_of(run.out);
  ASSERT_EQ(lines.size(), 100000u);
  // independent: JD 2415018.5 + i is serial i
  for (int i : {0, 1, 4711, 99999}) EXPECT_EQ(lines[static_cast<size_t>(i)], std::to_string(i));
}

TEST(ToolBatch, EchoShowsCallBesideResult) {
  const ToolRun run =
      run_tool({"batch", "--echo"}, "# group\nSC_calendar\tgregorian\t36526\t0\nSC_astronomy\t2451545\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "# group\n"
            "SC_calendar(\"gregorian\"; 36526; 0)\t-> 2000  1  1\n"       // independent: serial 36526 is 1 January 2000
            "SC_astronomy(2451545)\t-> 36526.5\t2000-01-01T12:00:00\n");  // independent: J2000.0
}

TEST(ToolUsage, MalformedCallExitsWithOne) {
  // A call the tool cannot make is a failed call (status 1), as --help says;
  // only a command line the tool cannot read is bad usage (status 2).
  const std::vector<std::vector<std::string>> cases = {
      {"call", "SC_nothing", "1"},        {"call", "SC_astronomy"},
      {"call", "SC_astronomy", "1", "2"}, {"call", "SC_astronomy", "2000-02-30"},
      {"call", "SC_astronomy", "12abc"},  {"call", "SC_calendar", std::string(256, 'g'), "0", "0"},
  };
  for (const auto& args : cases) {
    const ToolRun run = run_tool(args);
    EXPECT_EQ(run.status, 1) << args[1] << " " << args.size();
    EXPECT_EQ(run.out, "") << args[1];
    EXPECT_NE(run.err, "") << args[1];
  }
}

TEST(ToolNotes, NameThatSelectsNothingIsNotedOnStandardError) {
  // independent: the first 13th of a month on or after 1 January 2024
  const ToolRun call = run_tool({"--lang", "en", "call", "WHEN", "gregorian", "", "Fridy", "13", "", "2024-01-01"});
  EXPECT_EQ(call.status, 0);
  EXPECT_EQ(call.out, "45304\t2024-01-13T00:00:00\n");
  EXPECT_EQ(call.err,
            "note: 'Fridy' (name of day) names no weekday; WHEN treats it as any day; did you mean Friday?\n");

  const std::string input = "SC_gregorian\t2024\tMarhc\t1\nSC_gregorian\t2024\tMarch\t1\n";
  const ToolRun plain = run_tool({"--lang", "en", "batch"}, input);
  const ToolRun warned = run_tool({"--lang", "en", "batch", "--warn"}, input);
  EXPECT_EQ(plain.err, "");
  EXPECT_EQ(warned.out, plain.out);
  EXPECT_EQ(warned.status, plain.status);
  EXPECT_EQ(warned.err,
            "note: line 1: 'Marhc' (month) names no month; GREGORIAN gives the error value; did you mean March?\n");
}

TEST(ToolNames, DisplayNamesOfEitherLanguageAndTheClosestNames) {
  struct Case {
    std::vector<std::string> args;
    std::string input;
    int status;
    const char* out;
    const char* err;
    const char* source;
  };
  const Case cases[] = {
      {{"--lang", "de", "call", "GREGORIAN", "2024", "3", "31"},
       "",
       0,
       "45382\t2024-03-31T00:00:00\n",
       "",
       "worked example: the English display name in German"},
      {{"--lang", "en", "call", "gregorianisch", "2024", "3", "31"},
       "",
       0,
       "45382\t2024-03-31T00:00:00\n",
       "",
       "worked example: the German display name in English"},
      {{"--lang", "en", "call", "gregorain", "2024", "3", "31"},
       "",
       1,
       "",
       "varizav: unknown function gregorain; did you mean GREGORIAN?\n",
       "by hand: two letters swapped"},
      {{"--lang", "de", "call", "gregorain", "2024", "3", "31"},
       "",
       1,
       "",
       "varizav: unknown function gregorain; did you mean GREGORIANISCH?\n",
       "by hand: the name of the language in force first"},
      {{"--lang", "en", "help", "when3"},
       "",
       2,
       "",
       "varizav: unknown function when3; did you mean WHEN or WHEN2? (varizav list shows them all)\n",
       "by hand: one edit from both"},
      {{"--lang", "en", "call", "SC_", "1"},
       "",
       1,
       "",
       "varizav: unknown function SC_; did you mean SC_armenian, SC_astronomy or SC_buddhist?\n",
       "by hand: at most three, in registry order"},
      {{"--lang", "en", "call", "SC_nothing", "1"},
       "",
       1,
       "",
       "varizav: unknown function SC_nothing\n",
       "by hand: nothing is near"},
      {{"--lang", "en", "batch"},
       "sc_gregorain\t2024\t3\t31\nGREGORIANISCH\t2024\t3\t31\n",
       1,
       "#BADCALL unknown function sc_gregorain; did you mean SC_gregorian?\n45382\n",
       "",
       "by hand, and the worked example"},
      {{"--lang", "de", "call", "EREIGNIS", "2", "Sontag", "Mai", "2024"},
       "",
       0,
       "45414\t2024-05-02T00:00:00\n",
       "note: 'Sontag' (Tagesname) names no weekday; EREIGNIS counts plain days of the month; "
       "did you mean Montag or Sonntag?\n",
       "worked example of the README (EVENT with Sundy); by hand: one edit from two German weekdays"},
  };
  for (const Case& c : cases) {
    const ToolRun run = run_tool(c.args, c.input);
    EXPECT_EQ(run.status, c.status) << c.source;
    EXPECT_EQ(run.out, c.out) << c.source;
    EXPECT_EQ(run.err, c.err) << c.source;
  }
}

TEST(ToolNames, ListsTheNamesOfOneTable) {
  // independent: the German weekdays, shortest prefixes by hand
  expect_output({"--lang", "de", "names", "Wochentage"},
                "Weekdays: name of day of EVENT, WHEN; day (or a number) of ISO8601 (7 names)\n"
                "   #  name        shortest\n"
                "   1  Montag      M\n"
                "   2  Dienstag    D\n"
                "   3  Mittwoch    Mi\n"
                "   4  Donnerstag  Do\n"
                "   5  Freitag     F\n"
                "   6  Samstag     S\n"
                "   7  Sonntag     So\n");
  // independent: the Gregorian table's English name of 8 December is the
  // placeholder "nil"; its German name is a holiday's.
  const std::vector<std::string> en = lines_of(run_tool({"--lang", "en", "names", "gregorian-holidays"}).out);
  ASSERT_GT(en.size(), 30u);
  EXPECT_NE(en[0].find("; 2nd event of WHEN2 ("), std::string::npos) << en[0];
  EXPECT_EQ(en[30], "  29  (placeholder \"nil\")                29");
  EXPECT_EQ(lines_of(run_tool({"--lang", "de", "names", "gregorian-holidays"}).out)[30],
            "  29  Mari\xE4 Empf\xE4ngnis                   Mari\xE4 E");
  EXPECT_EQ(run_tool({"names", "nothing"}).status, 2);
  EXPECT_EQ(run_tool({"names", "--markdown", "events"}).status, 0);
}

TEST(ToolCal, MonthGridWithOtherCalendarsHolidaysAndMoonPhases) {
  const ToolRun run = run_tool({"--lang", "en", "cal", "2024-03"});
  EXPECT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = lines_of(run.out);
  ASSERT_GE(lines.size(), 5u) << run.out;
  EXPECT_EQ(lines[0], "March 2024");
  EXPECT_EQ(lines[2], "                     1  2  3");  // independent: 1 March 2024 was a Friday
  const auto has = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
  // independent: the Hebrew and Islamic calendars of 2024 as published.
  EXPECT_TRUE(has("hebrew: 1 = 21 Adar I 5784; 11 = 1 Adar II 5784")) << run.out;
  EXPECT_TRUE(has("islamic: 1 = 20 Sha'ban 1445; 11 = 1 Ramadan 1445")) << run.out;
  EXPECT_TRUE(has("Su 31        Easter, Easter Sunday (gregorian)")) << run.out;
  EXPECT_TRUE(has("Sa 23 18:00  Purim (hebrew)")) << run.out;  // 14 Adar II begins on the eve
  EXPECT_TRUE(has("Mo 25 07:00  Full Moon")) << run.out;       // 25 March 2024, 07:00 UT

  // The placeholder "nil" of 8 December is no holiday; its German name is.
  const std::string december = run_tool({"--lang", "en", "cal", "2024-12"}).out;
  EXPECT_EQ(december.find("nil"), std::string::npos) << december;
  EXPECT_NE(
      run_tool({"--lang", "de", "cal", "2024-12"}).out.find("So  8        Mari\xE4 Empf\xE4ngnis (gregorianisch)\n"),
      std::string::npos);

  EXPECT_EQ(run_tool({"cal", "2024-13"}).status, 2);
  EXPECT_EQ(run_tool({"cal", "--calendars", "nothing"}).status, 2);
}

// The SVG page reads the same day data as the text form: the days, the
// other calendar's days, the holidays on their civil days and the Moon phases.
TEST(ToolCal, MonthAndYearAsSvgPages) {
  const ToolRun month = run_tool({"--lang", "en", "cal", "2024-04", "--format", "svg", "--calendars", "hebrew"});
  EXPECT_EQ(month.status, 0) << month.err;
  EXPECT_EQ(month.out.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0), 0u);
  EXPECT_EQ(month.out.substr(month.out.size() - 7), "</svg>\n");
  const auto count = [](const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
  };
  // independent: April 2024 has 30 days, four quarters of the Moon (2, 8, 15
  // and 23 April) and Passover (15 Nisan 5784) on the 23rd.
  EXPECT_EQ(count(month.out, "font-size=\"7\""), 30u);  // a day's number
  EXPECT_EQ(count(month.out, "<g class=\"moon\">"), 4u);
  EXPECT_NE(month.out.find("hebrew: 1 = 22 Adar II 5784; 9 = 1 Nisan 5784"), std::string::npos);
  const size_t passover = month.out.find(">Passover</text>");
  EXPECT_LT(month.out.find("bold\">23</text>"), passover);
  EXPECT_GT(month.out.find("bold\">24</text>"), passover);

  const ToolRun year = run_tool({"--lang", "de", "cal", "2024", "--format", "svg"});
  EXPECT_EQ(year.status, 0) << year.err;
  EXPECT_NE(year.out.find(">Januar 2024</text>"), std::string::npos);
  EXPECT_NE(year.out.find(">Dezember 2024</text>"), std::string::npos);
  // independent: 2024 had 13 new moons, 12 first quarters, 12 full moons, 13 last quarters.
  EXPECT_EQ(count(year.out, "<g class=\"moon\">"), 50u);
  EXPECT_EQ(run_tool({"cal", "2024-13", "--format", "svg"}).status, 2);
  EXPECT_EQ(run_tool({"cal", "--format", "pdf"}).status, 2);
}

// GEDCOM dates through the loaded library's reader; its grammar is tested in
// tests/formats, here the two commands around it.
TEST(ToolGedcom, OneValuePerLineAndEveryDateOfAFile) {
  // independent: 22 Feb 1732 (N.S.) is serial -61307, 23 Apr 2024 is 45405.
  const ToolRun values = run_tool({"gedcom-date"},
                                  "@#DJULIAN@ 11 FEB 1731/32\nHEBREW 15 NSN 5784\r\nFEB 2024\n\n"
                                  "@#DHEBREW@ 1 ADS 5783\n");
  EXPECT_EQ(values.status, 1);
  EXPECT_EQ(values.out,
            "-61307\t-61307\n45405\t45405\n45323\t45351\n#INVALID the date value is empty\n"
            "#INVALID ADS (Adar II) exists only in leap years, and 5783 is a common year of 12 months\n");
  EXPECT_EQ(run_tool({"gedcom-date"}, "ABT 1900\n").status, 0);

  // The sample file: every DATE line listed, none invalid.
  const std::string sample = std::string(VARIZAV_TEST_DATA_PATH) + "/gedcom/sample.ged";
  const ToolRun file = run_tool({"--lang", "en", "gedcom", sample, "--calendar", "hebrew"});
  EXPECT_EQ(file.status, 0) << file.out;
  const std::vector<std::string> lines = lines_of(file.out);
  EXPECT_EQ(lines.size(), 1u + 26u);  // the header and the file's 26 DATE lines
  EXPECT_EQ(file.out.find("#INVALID"), std::string::npos) << file.out;
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "23\t@I2@ INDI\tBIRT\t@#DHEBREW@ 15 NSN 5784\texact\t2024-04-23\t2024-04-23\t"
                      "yom shelishi, 15 Nisan 5784\tyom shelishi, 15 Nisan 5784"),
            lines.end())
      << file.out;
  const ToolRun invalid = run_tool({"gedcom", "-"}, "0 @I1@ INDI\n1 BIRT\n2 DATE 31 APR 1900\n");
  EXPECT_EQ(invalid.status, 1);
  EXPECT_NE(
      invalid.out.find("3\t@I1@ INDI\tBIRT\t31 APR 1900\t#INVALID APR 1900 of the Gregorian calendar has 30 days"),
      std::string::npos)
      << invalid.out;
  EXPECT_EQ(run_tool({"gedcom", "/nonexistent.ged"}).status, 1);
  EXPECT_EQ(run_tool({"gedcom", sample, "--calendar", "nothing"}).status, 2);
}

TEST(ToolUsage, BadUsageExitsWithTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"frobnicate"},
      {"--frob", "list"},
      {"--lang", "fr", "list"},
      {"--lang", "0x12345", "list"},
      {"--lang"},
      {"--lib"},
      {"help"},
      {"help", "SC_nothing"},
      {"call"},
      {"list", "extra"},
      {"today", "1999-13-01"},
      {"today", "2000-01-01", "2000-01-02"},
      {"--echo", "list"},
      {"gedcom"},
      {"gedcom-date", "extra"},
      {"--calendar", "hebrew", "list"},
      {"ics", "--from", "2025", "--to", "2026"},
      {"ics", "--calendars", "hebrew", "--from", "2026", "--to", "2025"},
      {"ics", "--calendars", "hebrew", "--from", "2025"},
      {"ics", "--calendars", "astronomical", "--from", "2025", "--to", "2025"},
      {"ics", "--events", "Full Mon", "--from", "2025", "--to", "2025"},
      {"--from", "2025", "cal"},
  };
  for (const auto& args : cases) {
    std::string joined;
    for (const auto& a : args) joined += a.substr(0, 20) + " ";
    const ToolRun run = run_tool(args);
    EXPECT_EQ(run.status, 2) << joined;
    EXPECT_EQ(run.out, "") << joined;
    EXPECT_NE(run.err, "") << joined;
  }
}

TEST(ToolUsage, HelpVersionAndMissingLibrary) {
  for (const char* option : {"--help", "-h"}) {
    const ToolRun help = run_tool({"list", option});
    EXPECT_EQ(help.status, 0) << option;
    EXPECT_EQ(help.out.rfind("Usage: varizav", 0), 0u) << option;
  }

  const ToolRun version = run_tool({"--version"});
  EXPECT_EQ(version.status, 0) << version.err;
  EXPECT_NE(version.out.find("varizav host tool"), std::string::npos);

  const ToolRun missing = run_tool({"--lib", "/nonexistent/libvarizav.so", "list"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find("cannot load /nonexistent/libvarizav.so"), std::string::npos) << missing.err;
}

// The options (-h, --lib, ...) a text names.
std::set<std::string> options_in(const std::string& text) {
  std::set<std::string> options;
  const auto letter = [&](size_t i) { return i < text.size() && text[i] >= 'a' && text[i] <= 'z'; };
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '-' || (i > 0 && (text[i - 1] == '-' || std::isalnum(static_cast<unsigned char>(text[i - 1]))))) {
      continue;
    }
    if (text.compare(i, 2, "-h") == 0 && !letter(i + 2)) options.insert("-h");
    if (text.compare(i, 2, "--") != 0 || !letter(i + 2)) continue;
    size_t end = i + 2;
    while (letter(end)) ++end;
    options.insert(text.substr(i, end - i));
  }
  return options;
}

// The first word of each line of text that follows `after` and begins with `lead`.
std::set<std::string> first_words(const std::string& text, const std::string& after, const std::string& lead) {
  std::set<std::string> words;
  const std::vector<std::string> lines = lines_of(text);
  for (size_t i = 1; i < lines.size(); ++i) {
    if (lines[i - 1].rfind(after, 0) != 0 || lines[i].rfind(lead, 0) != 0) continue;
    const std::string rest = lines[i].substr(lead.size());
    words.insert(rest.substr(0, rest.find_first_of(" \"")));
  }
  return words;
}

TEST(ToolUsage, ManPageDescribesEveryCommandAndOptionOfHelp) {
  const std::string help = run_tool({"--help"}).out;
  const size_t start = help.find("Commands:\n");
  ASSERT_NE(start, std::string::npos);
  const std::string commands = help.substr(start, help.find("\n\n", start) - start);
  std::set<std::string> help_commands;
  for (const std::string& line : lines_of(commands)) {
    if (line.size() > 2 && line.compare(0, 2, "  ") == 0 && line[2] != ' ') {
      help_commands.insert(line.substr(2, line.find(' ', 2) - 2));
    }
  }
  ASSERT_EQ(help_commands.size(), 10u) << commands;

  // The page as text: "\-" is a hyphen, "\fB" and the like change the font.
  std::string page;
  const std::string source = slurp(kManPage);
  for (size_t i = 0; i < source.size(); ++i) {
    if (source.compare(i, 2, "\\-") == 0) {
      page += '-';
      ++i;
    } else if (source.compare(i, 2, "\\f") == 0) {
      i += 2;
    } else {
      page += source[i];
    }
  }
  const size_t section = page.find(".SH COMMANDS");
  const std::string page_commands = page.substr(section, page.find(".SH OPTIONS") - section);
  std::set<std::string> described;
  for (const char* macro : {".B ", ".BI ", ".BR "}) described.merge(first_words(page_commands, ".TP", macro));
  EXPECT_EQ(described, help_commands);
  EXPECT_EQ(options_in(page), options_in(help));
}

TEST(ToolList, ShowsEveryRegisteredFunction) {
  const ToolRun en = run_tool({"--lang", "en", "list"});
  EXPECT_EQ(en.status, 0) << en.err;
  const std::vector<std::string> lines = lines_of(en.out);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back().rfind("35 functions, ", 0), 0u) << lines.back();  // the registry has 35 entries
  // the catalogue's texts of the registry
  EXPECT_NE(en.out.find("SC_calendar    CALENDAR(calendar; date; format mode)\n"
                        "    Converts a date to a corresponding calendar date of that calendar.\n"),
            std::string::npos);
  EXPECT_NE(en.out.find("SC_astronomy   ASTRONOMICAL(date)\n"), std::string::npos);

  const ToolRun de = run_tool({"list"}, "", {"LANG=de_DE.UTF-8"});
  EXPECT_NE(de.out.find("SC_calendar    KALENDER(Kalender; Datum; Formatmodus)\n"), std::string::npos) << de.out;
}

TEST(ToolHelp, ShowsEachArgument) {
  // the catalogue's texts of the registry
  expect_output({"--lang", "en", "help", "calendar"},
                "CALENDAR (SC_calendar), result: text\n"
                "Converts a date to a corresponding calendar date of that calendar.\n"
                "Arguments:\n"
                "  1. calendar     text    Name of calendar: Astronomical, Gregorian, Hebrew, Indian, Islamic, "
                "ISO8601, Julian, Latin, Mayan...\n"
                "  2. date         number  Date\n"
                "  3. format mode  number  Selects the output format: 0=number format, 1=string format\n");
}

TEST(ToolToday, WritesTheDateInEveryBuiltCalendar) {
  struct Case {
    std::vector<std::string> args;
    const char* calendar;
    const char* text;     // contained in the calendar's line
    const char* numbers;  // the end of the line
    const char* source;
  };
  const Case cases[] = {
      {{"--lang", "en", "today", "2000-01-01"},
       "  gregorian ",
       " Saturday, 1 January 2000 ",
       "2000  1  1",
       kSaturday2000},
      {{"--lang", "de", "today", "36526"}, "  gregorian ", " Samstag, 1 Januar 2000 ", "2000  1  1", kSaturday2000},
      {{"--lang", "en", "today", "2000-01-01"},
       "  julian ",
       " Saturday, 19. December 1999 ",
       "1999 12 19",
       "independent: the calendars differ by 13 days in 2000"},
  };
  for (const Case& c : cases) {
    const ToolRun run = run_tool(c.args);
    EXPECT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = lines_of(run.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "2000-01-01 (serial date 36526)");
    bool found = false;
    for (const std::string& line : lines) {
      if (line.rfind(c.calendar, 0) != 0) continue;
      found = true;
      EXPECT_NE(line.find(c.text), std::string::npos) << c.source << ": " << line;
      EXPECT_EQ(line.substr(line.size() - std::string(c.numbers).size()), c.numbers) << c.source;
    }
    EXPECT_TRUE(found) << c.source << ": " << run.out;
  }

  // Without a date: today's local date (independent: the C library's clock).
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char expected[16];
  std::strftime(expected, sizeof expected, "%Y-%m-%d ", &local);
  const ToolRun run = run_tool({"today"});
  EXPECT_EQ(run.out.rfind(expected, 0), 0u) << run.out;
}

TEST(ToolFakeAddIn, CallsThroughRegisteredTypes) {
  const CallCase cases[] = {
      {{"call", "SC_join", "a", "1", "b b", "2.5", "", "-3"},
       "a|1|b b|2.5||-3\n",
       "independent: six arguments in order, texts and numbers by their type codes"},
      {{"call", "join", "--x", "TRUE", "-", "1e3", "\xE4", "2000-01-01"},
       "--x|1|-|1000|\xE4|36526\n",
       "independent: arguments after the name are never options; bytes pass unchanged"},
      {{"call", "SC_gnomon", "1"}, "1.5\n", "independent: GNOMON results are not dates"},
      {{"call", "SHIFT", "36526", "0.5"}, "36526.5\t2000-01-01T12:00:00\n", "independent: other results are dates"},
      {{"--lang", "de", "call", "verbinde", "x", "0", "y", "0", "z", "0"},
       "x|0|y|0|z|0\n",
       "independent: German display name"},
  };
  for (const CallCase& c : cases) {
    std::vector<std::string> args = {"--lib", kFake};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ToolRun run = run_tool(args);
    EXPECT_EQ(run.status, 0) << c.source << ": " << run.err;
    EXPECT_EQ(run.out, c.out) << c.source;
  }
}

TEST(ToolFakeAddIn, RegistersInTheUsersLanguage) {
  struct Case {
    std::vector<std::string> args;
    std::vector<std::string> env;
    const char* language;
  };
  const Case cases[] = {
      {{"--lang", "de"}, {}, "0x0407"},
      {{"--lang", "en"}, {"LANG=de_DE.UTF-8"}, "0x0409"},
      {{"--lang", "0x0c07"}, {}, "0x0C07"},
      {{"--lang=0x0816"}, {}, "0x0816"},
      {{}, {"LANG=de_AT.UTF-8"}, "0x0407"},
      {{}, {"LC_MESSAGES=de_CH", "LANG=en_US"}, "0x0407"},
      {{}, {"LC_ALL=C", "LANG=de_DE"}, "0x0409"},
      {{}, {"LC_ALL=", "LANG=de_DE"}, "0x0407"},  // an empty variable does not count
      {{}, {}, "0x0409"},
  };
  // independent: SetLanguage, GetFunctionCount, then per function its data and
  // one description per slot (7, 2, 2, 3, 2, 2 and 8 slots).
  const std::string log = "LCDPPPPPPPDPPDPPDPPPDPPDPPDPPPPPPPP";
  for (const Case& c : cases) {
    std::vector<std::string> args = {"--lib", kFake};
    args.insert(args.end(), c.args.begin(), c.args.end());
    args.insert(args.end(), {"call", "SC_log", "0"});
    const ToolRun run = run_tool(args, "", c.env);
    EXPECT_EQ(run.out, std::string(c.language) + " " + log + "\n") << c.language << ": " << run.err;
  }
}

TEST(ToolFakeAddIn, ReportsWhatCannotBeCalled) {
  const ToolRun list = run_tool({"--lib", kFake, "--lang", "en", "list"});
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.out,
            "SC_join     JOIN(t1; n1; t2; n2; t3; n3)\n"
            "    Joins six arguments.\n"
            "    Second line.\n"
            "SC_missing  MISSING(date)  (not exported)\n"
            "    Registered, never exported.\n"
            "SC_gnomon   GNOMON(date)\n"
            "    Adds half a day.\n"
            "SC_shift    SHIFT(date; days)\n"
            "    Adds two numbers.\n"
            "SC_spill    SPILL(n)\n"
            "    Writes 300 bytes.\n"
            "SC_log      LOG(n)\n"
            "    The registration calls seen.\n"
            "SC_wide     WIDE(a; b; c; d; e; f; g)  (cannot be called)\n"
            "    Seven arguments.\n"
            "7 functions, 6 built.\n");

  struct Case {
    std::vector<std::string> args;
    int status;
    const char* err;  // contained in standard error
  };
  const Case cases[] = {
      {{"call", "SC_missing", "1"}, 1, "SC_missing is not exported by the library"},
      {{"call", "SC_wide", "1", "2", "3", "4", "5", "6", "7"}, 1, "SC_wide cannot be called"},
      {{"call", "SC_spill", "1"}, 1, "SC_spill wrote past its 256-byte result buffer"},
      {{"--version"}, 0, ""},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"--lib", kFake};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ToolRun run = run_tool(args);
    EXPECT_EQ(run.status, c.status) << c.err;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
  }

  const ToolRun batch = run_tool({"--lib", kFake, "batch"}, "SC_missing\t1\nSC_gnomon\t2\nSC_spill\t0\n");
  EXPECT_EQ(batch.status, 1);
  EXPECT_EQ(batch.out, "#BADCALL SC_missing is not exported by the library\n2.5\n" + std::string(255, 'x') + "\n");
}

}  // namespace
