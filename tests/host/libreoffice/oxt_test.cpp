// The LibreOffice extension in LibreOffice Calc: varizav.oxt is installed
// into a fresh profile with unopkg, an OpenDocument spreadsheet (.fods) that
// calls every worksheet function by its stored name
// (ORG.VARIZAV.CALENDAR.<METHOD>) is converted to csv, saved as .ods, and the
// .ods is converted to csv again; every cell of both csvs must equal what the
// host tool returns for the same call (the independent reference: the tool
// calls the library directly in the plain C locale with Windows-1252 texts),
// in an English and in a German UI.
//
// What LibreOffice 7.4 needs (found by trying): unopkg refuses to run as
// root, so it runs as nobody on a profile owned by nobody; the profile's
// build id must be seeded before, or the first start discards the
// installation; ODF files are recalculated on load only when the profile
// says so, and that is what proves the extension recomputes saved formulas.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "host/function_registry.h"
#include "host/host_program.h"
#include "host/libreoffice/calc_text.h"
#include "xml_text.h"

namespace fs = std::filesystem;
using namespace varizav::host_program;
using namespace varizav::calc_test;
using varizav::xml_escaped;

namespace {

std::string g_soffice;
std::string g_unopkg;

struct Call {
  const varizav::FunctionEntry* function = nullptr;
  std::vector<std::string> arguments;  // UTF-8
  int line = 0;                        // in calls.tsv
};

// The calls of calls.tsv (shared with the legacy-host test) for a language.
std::vector<Call> calls_for(const std::string& language) {
  std::vector<Call> calls;
  const std::vector<std::string> lines = lines_of(read_file(VARIZAV_CALLS_PATH));
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty() || lines[i][0] == '#') continue;
    const std::vector<std::string> fields = split(lines[i], '\t');
    if (fields.size() < 2 || (fields[0] != language && fields[0] != "*")) continue;
    Call c;
    for (const varizav::FunctionEntry& f : varizav::function_registry) {
      if (fields[1] == f.exported_name) c.function = &f;
    }
    c.arguments.assign(fields.begin() + 2, fields.end());
    c.line = static_cast<int>(i + 1);
    calls.push_back(std::move(c));
  }
  return calls;
}

std::string scratch_dir() {
  const fs::path dir = fs::path(VARIZAV_WORK_DIR) / "scratch";
  fs::create_directories(dir);
  return dir.string();
}

// `varizav batch` in the plain C locale: one line per call (Windows-1252, NaN for the error value).
std::vector<std::string> reference_results(const std::string& language, const std::vector<Call>& calls) {
  std::string input;
  for (const Call& c : calls) {
    input += c.function->exported_name;
    for (const std::string& a : c.arguments) {
      input += '\t';
      input += recode(a, "UTF-8", "WINDOWS-1252");
    }
    input += "\n";
  }
  const std::string input_path = scratch_dir() + "/tool.in";
  write_file(input_path, input);
  const RunResult r = run({VARIZAV_TOOL_PATH, "--lib", VARIZAV_LIBRARY_PATH, "--lang", language, "batch"},
                          clean_environment({"LC_ALL=C", "TZ=UTC"}), input_path, scratch_dir());
  EXPECT_EQ(r.status, 0) << r.err << r.out;
  return lines_of(r.out);
}

// A call as an OpenFormula expression with the name ODF stores for it.
std::string stored_formula(const Call& c) {
  std::string method = std::string(c.function->exported_name).substr(3);
  for (char& ch : method) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return formula_of("of:=ORG.VARIZAV.CALENDAR." + method, *c.function, c.arguments);
}

// Exported name -> display name (UTF-8) in a language, from `varizav list`.
std::map<std::string, std::string> display_names(const std::string& language) {
  std::map<std::string, std::string> names;
  const RunResult r = run({VARIZAV_TOOL_PATH, "--lib", VARIZAV_LIBRARY_PATH, "--lang", language, "list"},
                          clean_environment({"LC_ALL=C", "TZ=UTC"}), "", scratch_dir());
  EXPECT_EQ(r.status, 0) << r.err;
  for (const std::string& line : lines_of(r.out)) {
    if (line.rfind("SC_", 0) != 0) continue;
    const size_t blank = line.find(' ');
    const size_t start = line.find_first_not_of(' ', blank);
    const size_t paren = line.find('(', start);
    if (start == std::string::npos || paren == std::string::npos) continue;
    names[line.substr(0, blank)] = recode(line.substr(start, paren - start), "WINDOWS-1252", "UTF-8");
  }
  return names;
}

// A flat OpenDocument spreadsheet: one row per call, its label and its formula.
std::string fods_of(const std::vector<Call>& calls) {
  std::string rows;
  for (size_t i = 0; i < calls.size(); ++i) {
    rows += "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>c" + std::to_string(i) +
            "</text:p></table:table-cell><table:table-cell table:formula=\"" + xml_escaped(stored_formula(calls[i])) +
            "\"/></table:table-row>\n";
  }
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
         "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
         "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
         "xmlns:of=\"urn:oasis:names:tc:opendocument:xmlns:of:1.2\" office:version=\"1.2\" "
         "office:mimetype=\"application/vnd.oasis.opendocument.spreadsheet\">\n"
         "<office:body><office:spreadsheet><table:table table:name=\"Calls\">\n" +
         rows + "</table:table></office:spreadsheet></office:body></office:document>\n";
}

struct UiSetup {
  const char* name;
  const char* ui_locale;
  const char* language;    // the host tool's
  const char* error_text;  // the error value as Calc shows it in that UI
};

const UiSetup kSetups[] = {
    {"english", "en-US", "en", "#NUM!"},
    {"german", "de-DE", "de", "#ZAHL!"},
};

// A fresh profile: the UI language, en-US as the system locale (the full stop
// as decimal separator in the csv), recalculation of ODF files on load
// (ODFRecalcMode 0, always), and the build id that keeps installed extensions.
void write_profile(const fs::path& profile, const char* ui_locale) {
  fs::create_directories(profile / "user" / "extensions");
  std::string build_id;
  const fs::path versionrc = fs::canonical(g_soffice).parent_path() / "versionrc";
  for (const std::string& line : lines_of(read_file(versionrc.string()))) {
    if (line.rfind("buildid=", 0) == 0) build_id = line.substr(8);
  }
  write_file((profile / "user" / "extensions" / "buildid").string(), build_id);
  write_file((profile / "user" / "registrymodifications.xcu").string(),
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
             "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
             "<item oor:path=\"/org.openoffice.Office.Linguistic/General\"><prop oor:name=\"UILocale\" "
             "oor:op=\"fuse\"><value>" +
                 std::string(ui_locale) +
                 "</value></prop></item>\n"
                 "<item oor:path=\"/org.openoffice.Setup/L10N\"><prop oor:name=\"ooSetupSystemLocale\" "
                 "oor:op=\"fuse\"><value>en-US</value></prop></item>\n"
                 "<item oor:path=\"/org.openoffice.Office.Calc/Formula/Load\"><prop oor:name=\"ODFRecalcMode\" "
                 "oor:op=\"fuse\"><value>0</value></prop></item>\n"
                 "</oor:items>\n");
}

std::vector<std::string> office_environment(const fs::path& dir) {
  return clean_environment(
      {"LANG=C.UTF-8", "LC_ALL=C.UTF-8", "TZ=UTC", "HOME=" + dir.string(), "TMPDIR=" + (dir / "tmp").string()});
}

// A folder under /tmp for the profile the extension is installed into: as
// root, unopkg runs as nobody, who may not be able to reach the build tree.
// Removed with this object.
struct ProfileHome {
  fs::path path;
  ProfileHome() {
    char pattern[] = "/tmp/varizav-oxt-XXXXXX";
    if (mkdtemp(pattern) != nullptr) path = pattern;
  }
  ~ProfileHome() {
    std::error_code ignored;
    if (!path.empty()) fs::remove_all(path, ignored);
  }
  ProfileHome(const ProfileHome&) = delete;
  ProfileHome& operator=(const ProfileHome&) = delete;
};

// Hands home to the user nobody when running as root (unopkg refuses to run
// as root) and puts the switch to that user before argv; "" or the error.
std::string run_as_owner(const fs::path& home, std::vector<std::string>& argv) {
  if (geteuid() != 0) return "";
  const std::string setpriv = find_program("setpriv");
  if (setpriv.empty()) return "setpriv is missing (util-linux)";
  const RunResult own =
      run({find_program("chown"), "-R", "nobody:nogroup", home.string()}, clean_environment({}), "", scratch_dir());
  if (own.status != 0) return "chown failed: " + own.err;
  argv.insert(argv.begin(), {setpriv, "--reuid=nobody", "--regid=nogroup", "--clear-groups"});
  return "";
}

// Installs a copy of the extension into home/profile.
std::string install_extension(const fs::path& home) {
  const fs::path oxt = home / "varizav.oxt";
  fs::create_directories(home / "tmp");
  fs::copy_file(VARIZAV_OXT_PATH, oxt, fs::copy_options::overwrite_existing);
  std::vector<std::string> argv = {
      g_unopkg, "add", "-f", "-s", "-env:UserInstallation=file://" + (home / "profile").string(), oxt.string()};
  if (std::string error = run_as_owner(home, argv); !error.empty()) return error;
  const RunResult r = run(argv, office_environment(home), "", scratch_dir());
  if (r.status != 0) return "unopkg add failed (" + std::to_string(r.status) + "): " + r.err + r.out;
  return "";
}

// Converts a file with headless Calc into out_dir, through an import filter
// when one is given; "" or the error.
std::string convert(const fs::path& dir, const fs::path& profile, const fs::path& input, const std::string& format,
                    const fs::path& out_dir, const std::string& infilter = "") {
  fs::create_directories(out_dir);
  std::vector<std::string> argv = {g_soffice, "--headless", "--norestore", "--nolockcheck",
                                   "-env:UserInstallation=file://" + profile.string()};
  if (!infilter.empty()) argv.push_back("--infilter=" + infilter);
  argv.insert(argv.end(), {"--convert-to", format, "--outdir", out_dir.string(), input.string()});
  const RunResult r = run(argv, office_environment(dir), "", dir.string());
  const fs::path output = out_dir / (input.stem().string() + "." + format.substr(0, format.find(':')));
  if (r.status != 0 || !fs::exists(output)) {
    return "soffice exited with " + std::to_string(r.status) + " converting " + input.string() + ": " + r.err + r.out;
  }
  return "";
}

// Tab-separated UTF-8, cells as shown (at most 15 significant digits).
const char kCsvFormat[] = "csv:Text - txt - csv (StarCalc):9,34,76,1,,0,false,true,true";

// Label -> cell of a csv written with kCsvFormat (quoted fields unquoted).
std::map<std::string, std::string> csv_cells(const fs::path& csv) {
  std::map<std::string, std::string> cells;
  for (const std::string& line : lines_of(read_file(csv.string()))) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
      const char c = line[i];
      if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else if (c == '"' && (quoted || fields.back().empty())) {
        quoted = !quoted;
      } else if (c == '\t' && !quoted) {
        fields.emplace_back();
      } else {
        fields.back() += c;
      }
    }
    if (fields.size() >= 2) cells[fields[0]] = fields[1];
  }
  return cells;
}

class ExtensionSetup : public ::testing::TestWithParam<UiSetup> {};

TEST_P(ExtensionSetup, SavedSpreadsheetReloadsAndRecomputes) {
  const UiSetup& setup = GetParam();
  const std::vector<Call> calls = calls_for(setup.language);
  std::map<std::string, int> called;
  for (const Call& c : calls) {
    ASSERT_NE(c.function, nullptr) << "calls.tsv line " << c.line << ": unknown function";
    ASSERT_EQ(c.arguments.size(), static_cast<size_t>(c.function->argument_count)) << "calls.tsv line " << c.line;
    ++called[c.function->exported_name];
  }
  EXPECT_EQ(called.size(), static_cast<size_t>(varizav::kFunctionCount)) << "every function is called";
  const std::vector<std::string> reference = reference_results(setup.language, calls);
  ASSERT_EQ(reference.size(), calls.size());

  const fs::path dir = fs::path(VARIZAV_WORK_DIR) / ("oxt-" + std::string(setup.name));
  fs::remove_all(dir);
  fs::create_directories(dir / "tmp");
  const ProfileHome home;
  ASSERT_FALSE(home.path.empty()) << "no folder under /tmp";
  const fs::path profile = home.path / "profile";
  write_profile(profile, setup.ui_locale);
  const fs::path fods = dir / "calls.fods";
  write_file(fods.string(), fods_of(calls));
  ASSERT_EQ(install_extension(home.path), "");

  // The .fods straight to csv; the .fods saved as .ods; the .ods to csv.
  ASSERT_EQ(convert(dir, profile, fods, kCsvFormat, dir / "from-fods"), "");
  ASSERT_EQ(convert(dir, profile, fods, "ods", dir / "ods"), "");
  ASSERT_EQ(convert(dir, profile, dir / "ods" / "calls.ods", kCsvFormat, dir / "from-ods"), "");

  for (const char* pass : {"from-fods", "from-ods"}) {
    const std::map<std::string, std::string> cells = csv_cells(dir / pass / "calls.csv");
    for (size_t i = 0; i < calls.size(); ++i) {
      const auto it = cells.find("c" + std::to_string(i));
      ASSERT_NE(it, cells.end()) << pass << ": no cell for calls.tsv line " << calls[i].line;
      EXPECT_TRUE(
          same_cell(it->second, reference[i], calls[i].function->result_type == varizav::kTypeText, setup.error_text))
          << setup.name << " " << pass << ", calls.tsv line " << calls[i].line << ": " << stored_formula(calls[i]);
    }
  }

  // Typed formulas: the display names of the UI's language, in lower case
  // (names are matched regardless of case), reach the same functions. The
  // tab-separated sheet is imported as UTF-8 with formulas evaluated.
  const std::map<std::string, std::string> display = display_names(setup.language);
  std::string sheet;
  for (size_t i = 0; i < calls.size(); ++i) {
    const auto found = display.find(calls[i].function->exported_name);
    std::string name = found != display.end() ? found->second : "";
    for (char& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    sheet += "c" + std::to_string(i) + "\t" + formula_of("=" + name, *calls[i].function, calls[i].arguments) + "\n";
  }
  write_file((dir / "typed.tsv").string(), sheet);
  ASSERT_EQ(convert(dir, profile, dir / "typed.tsv", kCsvFormat, dir / "typed",
                    "Text - txt - csv (StarCalc):9,34,76,1,,1033,false,false,false,false,false,-1,true"),
            "");
  const std::map<std::string, std::string> typed = csv_cells(dir / "typed" / "typed.csv");
  for (size_t i = 0; i < calls.size(); ++i) {
    const auto it = typed.find("c" + std::to_string(i));
    ASSERT_NE(it, typed.end()) << "typed: no cell for calls.tsv line " << calls[i].line;
    EXPECT_TRUE(
        same_cell(it->second, reference[i], calls[i].function->result_type == varizav::kTypeText, setup.error_text))
        << setup.name << " typed, calls.tsv line " << calls[i].line;
  }

  // The reload recomputed the cells rather than showing the values cached in
  // the .ods: a profile without the extension shows the error of an unknown
  // function in every cell.
  const fs::path bare = dir / "bare-profile";
  write_profile(bare, setup.ui_locale);
  ASSERT_EQ(convert(dir, bare, dir / "ods" / "calls.ods", kCsvFormat, dir / "bare"), "");
  const std::map<std::string, std::string> bare_cells = csv_cells(dir / "bare" / "calls.csv");
  for (size_t i = 0; i < calls.size(); ++i) {
    const auto it = bare_cells.find("c" + std::to_string(i));
    ASSERT_NE(it, bare_cells.end());
    EXPECT_EQ(it->second, "#NAME?") << "without the extension, calls.tsv line " << calls[i].line;
  }
}

INSTANTIATE_TEST_SUITE_P(Hosts, ExtensionSetup, ::testing::ValuesIn(kSetups),
                         [](const ::testing::TestParamInfo<UiSetup>& info) { return std::string(info.param.name); });

// README's install from a shell, run by a user who has never started
// LibreOffice (a new home, the default profile in it): one start creates the
// profile, then unopkg add -s installs without the licence prompt, which
// fails without a terminal. Without that first start, the first start after
// unopkg takes the new profile for one of another LibreOffice build and drops
// the extension's registration: every cell shows #NAME?.
TEST(ShellInstall, ReachesCalcOnAFreshProfile) {
  const ProfileHome home;
  ASSERT_FALSE(home.path.empty()) << "no folder under /tmp";
  fs::create_directories(home.path / "tmp");
  const fs::path oxt = home.path / "varizav.oxt";
  fs::copy_file(VARIZAV_OXT_PATH, oxt);
  Call easter_sunday;
  for (const varizav::FunctionEntry& f : varizav::function_registry) {
    if (std::string(f.exported_name) == "SC_gregorian") easter_sunday.function = &f;
  }
  ASSERT_NE(easter_sunday.function, nullptr);
  easter_sunday.arguments = {"2024", "March", "31"};
  const fs::path fods = home.path / "sheet.fods";
  write_file(fods.string(), fods_of({easter_sunday}));

  const std::vector<std::vector<std::string>> commands = {
      {g_soffice, "--headless", "--terminate_after_init"},
      {g_unopkg, "add", "-s", oxt.string()},
      {g_soffice, "--headless", "--convert-to", kCsvFormat, "--outdir", (home.path / "out").string(), fods.string()},
  };
  for (std::vector<std::string> argv : commands) {
    ASSERT_EQ(run_as_owner(home.path, argv), "");
    const RunResult r = run(argv, office_environment(home.path), "", home.path.string());
    ASSERT_EQ(r.status, 0) << argv.back() << ": " << r.err << r.out;
  }
  // independent: 31 March 2024 is serial day 45382 (days since 1899-12-30)
  EXPECT_EQ(csv_cells(home.path / "out" / "sheet.csv")["c0"], "45382");
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  g_soffice = find_program("soffice");
  if (g_soffice.empty()) return missing_host("LibreOffice (soffice) is not installed");
  g_unopkg = find_program("unopkg");
  if (g_unopkg.empty()) return missing_host("LibreOffice's unopkg is not installed");
  if (!fs::exists(fs::canonical(g_soffice).parent_path() / "resource" / "de")) {
    return missing_host("the German language pack of LibreOffice (libreoffice-l10n-de) is not installed");
  }
  if (std::string(VARIZAV_OXT_PATH).empty()) {
    return missing_host("varizav.oxt was not built: the LibreOffice SDK (libreoffice-dev libreoffice-dev-common)");
  }
  return RUN_ALL_TESTS();
}
