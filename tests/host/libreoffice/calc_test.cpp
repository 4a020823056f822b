// LibreOffice Calc as the host. Sheets of formulas call every built worksheet
// function (the calls of calls.tsv, each at least twice per language); headless
// Calc evaluates them in three setups (English UI and German UI under a UTF-8
// locale, German UI under a Windows-1252 locale), and every cell must equal
// what the host tool returns for the same call in the same language. The tool
// runs in the plain C locale with Windows-1252 arguments, so it is an
// independent reference for the library's UTF-8 boundary: the tests' own
// character conversions go through the C library's iconv.
//
// What Calc 7.4 needs (found by trying): formulas in .ods files do not reach
// legacy add-ins, but a text file of formulas imported with evaluation on does;
// the add-in folder comes from a fresh profile; the exit status is 0 even when
// the add-in was not loaded, hence a sentinel cell.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "host/function_registry.h"
#include "host/host_program.h"
#include "host/libreoffice/calc_text.h"

namespace fs = std::filesystem;
using namespace varizav::host_program;
using namespace varizav::calc_test;

namespace {

std::string g_soffice;  // set by main once it is found

// ---- The calls ----

struct Call {
  std::string language;                // "en", "de" or "*"
  std::string function;                // exported name
  std::vector<std::string> arguments;  // UTF-8
  int line = 0;                        // in calls.tsv
};

std::vector<Call> read_calls() {
  std::vector<Call> calls;
  const std::vector<std::string> lines = lines_of(read_file(VARIZAV_CALLS_PATH));
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty() || lines[i][0] == '#') continue;
    std::vector<std::string> fields = split(lines[i], '\t');
    Call c;
    c.line = static_cast<int>(i + 1);
    c.language = fields[0];
    if (fields.size() > 1) c.function = fields[1];
    c.arguments.assign(fields.begin() + std::min<size_t>(2, fields.size()), fields.end());
    calls.push_back(std::move(c));
  }
  return calls;
}

const varizav::FunctionEntry* registry_entry(const std::string& exported_name) {
  for (const varizav::FunctionEntry& f : varizav::function_registry) {
    if (exported_name == f.exported_name) return &f;
  }
  return nullptr;
}

// ---- The host tool, the reference ----

std::string scratch_dir() {
  const fs::path dir = fs::path(VARIZAV_WORK_DIR) / "scratch";
  fs::create_directories(dir);
  return dir.string();
}

// The tool in the plain C locale: Windows-1252 in and out.
RunResult run_tool(const std::vector<std::string>& args, const std::string& input) {
  const std::string input_path = scratch_dir() + "/tool.in";
  write_file(input_path, input);
  std::vector<std::string> argv = {VARIZAV_TOOL_PATH, "--lib", VARIZAV_LIBRARY_PATH};
  argv.insert(argv.end(), args.begin(), args.end());
  return run(argv, clean_environment({"LC_ALL=C", "TZ=UTC"}), input_path, scratch_dir());
}

struct ListedFunction {
  std::string display_name;  // UTF-8
  bool built = false;
};

// `varizav list` in a language: exported name -> display name and whether it is built.
std::map<std::string, ListedFunction> list_functions(const std::string& language) {
  std::map<std::string, ListedFunction> functions;
  const RunResult r = run_tool({"--lang", language, "list"}, "");
  EXPECT_EQ(r.status, 0) << r.err;
  for (const std::string& line : lines_of(r.out)) {
    if (line.rfind("SC_", 0) != 0) continue;
    const size_t blank = line.find(' ');
    const size_t name_start = line.find_first_not_of(' ', blank);
    const size_t paren = line.find('(', name_start);
    if (blank == std::string::npos || name_start == std::string::npos || paren == std::string::npos) continue;
    ListedFunction f;
    f.display_name = to_utf8(line.substr(name_start, paren - name_start));
    f.built = line.find("(not exported)") == std::string::npos && line.find("(cannot be called)") == std::string::npos;
    functions[line.substr(0, blank)] = f;
  }
  return functions;
}

// The calls of a language to functions that are built.
std::vector<Call> calls_for(const std::string& language, const std::map<std::string, ListedFunction>& listed) {
  std::vector<Call> out;
  for (const Call& c : read_calls()) {
    const auto it = listed.find(c.function);
    if ((c.language == language || c.language == "*") && it != listed.end() && it->second.built) out.push_back(c);
  }
  return out;
}

// One result line per call from `varizav batch` (Windows-1252 texts, NaN for the error value).
std::vector<std::string> reference_results(const std::string& language, const std::vector<Call>& calls) {
  std::string input;
  for (const Call& c : calls) {
    input += c.function;
    for (const std::string& a : c.arguments) {
      input += '\t';
      input += to_cp1252(a);
    }
    input += "\n";
  }
  const RunResult r = run_tool({"--lang", language, "batch"}, input);
  EXPECT_EQ(r.status, 0) << r.err << r.out;
  return lines_of(r.out);
}

// ---- Calc ----

struct HostSetup {
  const char* name;
  const char* ui_locale;   // the UI language, which Calc passes to SetLanguage
  const char* language;    // the same for the host tool
  const char* error_text;  // how Calc shows the error value in that UI
  bool cp1252_locale;      // run under en_US.CP1252 instead of C.UTF-8
};

const HostSetup kSetups[] = {
    {"english-utf8", "en-US", "en", "#NUM!", false},
    {"german-utf8", "de-DE", "de", "#ZAHL!", false},
    {"german-cp1252", "de-DE", "de", "#ZAHL!", true},
};

// A file URL for an absolute path, with the bytes a URL must not hold escaped.
std::string file_url(const fs::path& path) {
  std::string url = "file://";
  for (const unsigned char c : path.string()) {
    const bool plain = std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~';
    if (plain) {
      url += static_cast<char>(c);
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      url += hex;
    }
  }
  return url;
}

// A fresh profile whose add-in folder holds only the library; the system
// locale en-US pins the full stop as the decimal separator of formulas.
void write_profile(const fs::path& profile, const fs::path& addin_dir, const char* ui_locale) {
  fs::create_directories(profile / "user");
  const std::string xcu =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
      "<item oor:path=\"/org.openoffice.Office.Paths/Paths/org.openoffice.Office.Paths:NamedPath['Addin']\">"
      "<prop oor:name=\"WritePath\" oor:op=\"fuse\"><value>" +
      file_url(addin_dir) +
      "</value></prop></item>\n"
      "<item oor:path=\"/org.openoffice.Office.Linguistic/General\"><prop oor:name=\"UILocale\" oor:op=\"fuse\">"
      "<value>" +
      std::string(ui_locale) +
      "</value></prop></item>\n"
      "<item oor:path=\"/org.openoffice.Setup/L10N\"><prop oor:name=\"ooSetupSystemLocale\" oor:op=\"fuse\">"
      "<value>en-US</value></prop></item>\n"
      "</oor:items>\n";
  write_file((profile / "user" / "registrymodifications.xcu").string(), xcu);
}

// en_US with the Windows-1252 character set, built once into the work folder.
std::string cp1252_locale_dir(std::string& error) {
  const fs::path dir = fs::path(VARIZAV_WORK_DIR) / "locales";
  if (fs::exists(dir / "en_US.CP1252" / "LC_CTYPE")) return dir.string();
  fs::create_directories(dir);
  const std::string localedef = find_program("localedef");
  const RunResult r = run({localedef, "-i", "en_US", "-f", "CP1252", (dir / "en_US.CP1252").string()},
                          clean_environment({}), "", scratch_dir());
  // localedef exits with 1 for mere warnings; the compiled locale is what counts.
  if (!fs::exists(dir / "en_US.CP1252" / "LC_CTYPE")) error = "localedef failed: " + r.err;
  return dir.string();
}

// The fields of one line of Calc's tab-separated output; a field that holds a
// quote or a tab is quoted, with its quotes doubled.
std::vector<std::string> output_fields(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        fields.back() += c;
      }
    } else if (c == '"' && fields.back().empty()) {
      quoted = true;
    } else if (c == '\t') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

// Runs a sheet (tab-separated lines, formulas in Calc's syntax) through
// headless Calc; the cells of each row as Calc shows them (UTF-8).
std::vector<std::vector<std::string>> run_calc(const HostSetup& setup, const std::string& sheet, std::string& error) {
  const fs::path dir = fs::path(VARIZAV_WORK_DIR) / setup.name;
  fs::remove_all(dir);
  for (const char* sub : {"addin", "tmp", "out"}) fs::create_directories(dir / sub);
  // Calc loads every library of the add-in folder: this one only.
  fs::copy_file(VARIZAV_LIBRARY_PATH, dir / "addin" / "libvarizav.so");
  write_profile(dir / "profile", dir / "addin", setup.ui_locale);
  write_file((dir / "sheet.tsv").string(), sheet);

  std::vector<std::string> env;
  if (setup.cp1252_locale) {
    const std::string locales = cp1252_locale_dir(error);
    if (!error.empty()) return {};
    env = clean_environment({"LOCPATH=" + locales, "LANG=en_US.CP1252", "LC_ALL=en_US.CP1252"});
  } else {
    env = clean_environment({"LANG=C.UTF-8", "LC_ALL=C.UTF-8"});
  }
  env.push_back("TMPDIR=" + (dir / "tmp").string());
  env.push_back("TZ=UTC");

  // Import: tab-separated, UTF-8 (76), en-US (1033), formulas evaluated (last
  // token). Export: tab-separated UTF-8, cells as shown (at most 15 digits).
  const RunResult r = run(
      {g_soffice, "--headless", "--norestore", "--nolockcheck", "-env:UserInstallation=" + file_url(dir / "profile"),
       "--infilter=Text - txt - csv (StarCalc):9,34,76,1,,1033,false,false,false,false,false,-1,true", "--convert-to",
       "csv:Text - txt - csv (StarCalc):9,34,76,1,,0,false,true,true", "--outdir", (dir / "out").string(),
       (dir / "sheet.tsv").string()},
      env, "", dir.string());
  const fs::path csv = dir / "out" / "sheet.csv";
  if (r.status != 0 || !fs::exists(csv)) {
    error = "soffice exited with " + std::to_string(r.status) + ": " + r.err + r.out;
    return {};
  }
  std::vector<std::vector<std::string>> rows;
  for (const std::string& line : lines_of(read_file(csv.string()))) rows.push_back(output_fields(line));
  return rows;
}

// The label of the row of call i.
std::string cell_label(size_t i) {
  std::string label = std::to_string(i);
  label.insert(label.begin(), 'c');
  return label;
}

// ---- Tests ----

// Every function the library builds is called at least twice in each
// language, and every call names a registered function with its number of arguments.
TEST(CalcSheets, CallEveryBuiltFunctionTwiceInEachLanguage) {
  for (const Call& c : read_calls()) {
    const varizav::FunctionEntry* f = registry_entry(c.function);
    ASSERT_NE(f, nullptr) << "calls.tsv line " << c.line << ": unknown function " << c.function;
    EXPECT_TRUE(c.language == "en" || c.language == "de" || c.language == "*") << "line " << c.line;
    EXPECT_EQ(c.arguments.size(), static_cast<size_t>(f->argument_count)) << "line " << c.line << " " << c.function;
  }
  for (const char* language : {"en", "de"}) {
    const auto listed = list_functions(language);
    EXPECT_EQ(listed.size(), static_cast<size_t>(varizav::kFunctionCount));
    std::map<std::string, int> count;
    for (const Call& c : calls_for(language, listed)) ++count[c.function];
    for (const auto& [name, f] : listed) {
      if (f.built) {
        EXPECT_GE(count[name], 2) << name << " needs two calls in language " << language;
      }
    }
  }
}

class CalcSetup : public ::testing::TestWithParam<HostSetup> {};

TEST_P(CalcSetup, EveryCellEqualsTheHostTool) {
  const HostSetup& setup = GetParam();
  const auto listed = list_functions(setup.language);
  const std::vector<Call> calls = calls_for(setup.language, listed);
  const std::vector<std::string> reference = reference_results(setup.language, calls);
  ASSERT_EQ(reference.size(), calls.size());

  // The sentinel: day 0 from its Julian Day. Calc shows #NAME? when the add-in
  // did not load or its display names did not reach Calc.
  const std::string astronomy = listed.at("SC_astronomy").display_name;
  std::vector<std::pair<std::string, std::string>> rows = {{"sentinel", "=" + astronomy + "(2415018.5)"}};
  for (size_t i = 0; i < calls.size(); ++i) {
    const varizav::FunctionEntry* entry = registry_entry(calls[i].function);
    ASSERT_NE(entry, nullptr);
    const std::string name = "=" + listed.at(calls[i].function).display_name;
    rows.emplace_back(cell_label(i), formula_of(name, *entry, calls[i].arguments));
  }
  std::string sheet;
  for (const auto& [label, formula] : rows) sheet += label + "\t" + formula + "\n";
  std::string error;
  std::map<std::string, std::string> cells;
  for (const std::vector<std::string>& row : run_calc(setup, sheet, error)) {
    if (row.size() >= 2) cells[row[0]] = row[1];
  }
  ASSERT_TRUE(error.empty()) << error;
  ASSERT_EQ(cells.count("sentinel"), 1u) << "Calc wrote no sentinel row";
  ASSERT_EQ(cells.at("sentinel"), "0") << "the add-in did not load into Calc: " << rows[0].second << " shows "
                                       << cells.at("sentinel");

  for (size_t i = 0; i < calls.size(); ++i) {
    const std::string label = cell_label(i);
    const auto it = cells.find(label);
    ASSERT_NE(it, cells.end()) << "no cell for " << rows[i + 1].second;
    const bool text_result = registry_entry(calls[i].function)->result_type == varizav::kTypeText;
    EXPECT_TRUE(same_cell(it->second, reference[i], text_result, setup.error_text))
        << setup.name << ", calls.tsv line " << calls[i].line << ": " << rows[i + 1].second;
  }
}

// A call written as in the demo sheet, NAME(arg;"text";...), read back into
// the function's exported name and its arguments; an empty name when the
// display name is unknown.
Call parse_demo_call(const std::string& text, const std::map<std::string, std::string>& exported_by_display) {
  Call c;
  c.language = "en";
  const size_t open = text.find('(');
  if (open == std::string::npos || text.back() != ')') return c;
  const auto it = exported_by_display.find(text.substr(0, open));
  if (it == exported_by_display.end()) return c;
  c.function = it->second;
  std::string argument;
  bool quoted = false;
  for (size_t i = open + 1; i + 1 < text.size(); ++i) {
    const char ch = text[i];
    if (quoted && ch == '"' && text[i + 1] == '"') {
      argument += '"';
      ++i;
    } else if (ch == '"') {
      quoted = !quoted;
    } else if (ch == ';' && !quoted) {
      c.arguments.push_back(argument);
      argument.clear();
    } else {
      argument += ch;
    }
  }
  c.arguments.push_back(argument);
  return c;
}

// The shipped demo sheet opens in an English Calc, shows every built
// function, and each of its results equals the host tool's.
TEST(CalcDemo, EveryFunctionAgreesWithTheHostTool) {
  const auto listed = list_functions("en");
  std::map<std::string, std::string> exported_by_display;
  for (const auto& [exported, f] : listed) exported_by_display[f.display_name] = exported;

  const std::string sheet = read_file(VARIZAV_DEMO_PATH);
  const std::vector<std::string> lines = lines_of(sheet);
  ASSERT_GT(lines.size(), 1u);
  std::vector<Call> calls;
  std::map<std::string, int> shown;
  for (size_t i = 1; i < lines.size(); ++i) {  // line 1 holds the headings
    const std::vector<std::string> fields = split(lines[i], '\t');
    ASSERT_GE(fields.size(), 3u) << "calc-demo.tsv line " << i + 1;
    EXPECT_EQ(fields[2], "=" + fields[1]) << "calc-demo.tsv line " << i + 1 << ": the call beside its formula";
    Call c = parse_demo_call(fields[1], exported_by_display);
    c.line = static_cast<int>(i + 1);
    ASSERT_FALSE(c.function.empty()) << "calc-demo.tsv line " << i + 1 << ": unknown function in " << fields[1];
    ++shown[c.function];
    calls.push_back(c);
  }
  for (const auto& [exported, f] : listed) {
    if (f.built) {
      EXPECT_GE(shown[exported], 1) << exported << " is missing from calc-demo.tsv";
    }
  }
  const std::vector<std::string> reference = reference_results("en", calls);
  ASSERT_EQ(reference.size(), calls.size());

  const HostSetup demo = {"english-demo", "en-US", "en", "#NUM!", false};
  std::string error;
  const std::vector<std::vector<std::string>> rows = run_calc(demo, sheet, error);
  ASSERT_TRUE(error.empty()) << error;
  ASSERT_EQ(rows.size(), lines.size());
  for (size_t i = 0; i < calls.size(); ++i) {
    const std::vector<std::string>& row = rows[i + 1];
    ASSERT_GE(row.size(), 3u) << "calc-demo.tsv line " << calls[i].line;
    const bool text_result = registry_entry(calls[i].function)->result_type == varizav::kTypeText;
    EXPECT_TRUE(same_cell(row[2], reference[i], text_result, demo.error_text))
        << "calc-demo.tsv line " << calls[i].line << ": " << lines[i + 1];
    // The date column is empty for the error value, otherwise a date.
    if (row.size() > 3) {
      EXPECT_TRUE(row[3].empty() || std::isdigit(static_cast<unsigned char>(row[3].back())))
          << "calc-demo.tsv line " << calls[i].line << ": date column shows " << row[3];
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Hosts, CalcSetup, ::testing::ValuesIn(kSetups),
                         [](const ::testing::TestParamInfo<HostSetup>& info) {
                           std::string name;
                           for (const char* p = info.param.name; *p != '\0'; ++p) {
                             if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
                           }
                           return name;
                         });

// What the three setups need besides Calc: the German language pack (German
// display names) and the locale sources to build en_US.CP1252.
std::string missing_prerequisite(const std::string& soffice) {
  const fs::path program_dir = fs::canonical(soffice).parent_path();
  if (!fs::exists(program_dir / "resource" / "de"))
    return "the German language pack of LibreOffice (libreoffice-l10n-de)";
  if (find_program("localedef").empty() || !fs::exists("/usr/share/i18n/locales/en_US") ||
      !fs::exists("/usr/share/i18n/charmaps/CP1252.gz")) {
    return "the locale sources for en_US.CP1252 (package locales)";
  }
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  g_soffice = find_program("soffice");
  if (g_soffice.empty()) return missing_host("LibreOffice (soffice) is not installed");
  if (const std::string missing = missing_prerequisite(g_soffice); !missing.empty()) {
    return missing_host(missing + " is not installed");
  }
  return RUN_ALL_TESTS();
}
