// Writes the parts of the LibreOffice extension that describe the worksheet
// functions, from the library's own registration, catalogue and version
// table, so that the extension can never disagree with the library:
//   XCalendar.idl          the UNO interface: one method per worksheet function
//   calendar_methods.inc   those methods in the C++ component, each a call by signature
//   calendar_functions.h   the C++ component's function table: names, kinds of the
//                          result and arguments, English and German texts (UTF-8)
//   varizav_functions.py   the same table for the Python component
//   description.xml        the extension's identity, version and platforms, with
//   description-en.txt     its description in English
//   description-de.txt     and in German
//
// The functions are read as a legacy host reads them, through the
// registration entry points (GetFunctionCount, GetFunctionData,
// GetParameterDescription, SetLanguage), so that the extension describes
// exactly what the library registers.
//
// Usage: generate_component <output directory> [<platform>,...]
// (the platforms that description.xml lists; default linux_x86_64).
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "host/host_text.h"
#include "host/version.h"
#include "varizav/addin.h"
#include "xml_text.h"

using namespace varizav;

namespace {

// An English and a German text, UTF-8.
struct TextPair {
  std::string english;
  std::string german;
};

struct Argument {
  bool text;  // a text, else a number
  TextPair name;
  TextPair description;
};

// A worksheet function as the library registers it.
struct Function {
  unsigned short number;      // registration order
  std::string exported_name;  // the C symbol
  std::string method;         // the UNO method name
  bool text_result;
  TextPair display_name;
  TextPair description;
  std::vector<Argument> arguments;  // in call order
};

std::string& text_in(TextPair& pair, bool german) { return german ? pair.german : pair.english; }

std::vector<Function> g_functions;
size_t g_max_arguments = 0;

std::string utf8(const char* cp1252) {
  char out[4 * VARIZAV_TEXT_SIZE];
  cp1252_to_utf8(cp1252, out, sizeof out);
  return out;
}

// The type array a legacy host passes: room for any function's slots.
constexpr unsigned short kMaxSlots = 32;

// Windows language identifiers of the two languages the catalogue holds.
constexpr unsigned short kEnglish = 0x0409;
constexpr unsigned short kGerman = 0x0407;

// Reads every function's names, types and texts from the registration entry
// points, once in English and once in German.
bool read_registration() {
  unsigned short count = 0;
  GetFunctionCount(&count);
  // The library's own Windows-1252 texts, whatever the locale of this program.
  set_host_text_utf8(false);
  g_functions.resize(count);
  for (const unsigned short language : {kEnglish, kGerman}) {
    SetLanguage(&language);
    const bool german = language == kGerman;
    for (unsigned short k = 0; k < count; ++k) {
      Function& f = g_functions[k];
      char exported[VARIZAV_TEXT_SIZE];
      char display[VARIZAV_TEXT_SIZE];
      unsigned short slots = 0;
      int types[kMaxSlots] = {};
      GetFunctionData(&k, exported, &slots, types, display);
      if (slots == 0 || slots > kMaxSlots) {
        std::cerr << "generate_component: function " << k << " is not registered as a host can read it\n";
        return false;
      }
      f.number = k;
      f.exported_name = exported;
      // The method is the exported name without "SC_". ODF files store it,
      // upper-cased behind the service name
      // (ORG.VARIZAV.CALENDAR.GREGORIAN): it must never change.
      f.method = f.exported_name.substr(3);
      f.text_result = types[0] == VARIZAV_TYPE_TEXT;
      f.arguments.resize(slots - 1U);
      text_in(f.display_name, german) = utf8(display);
      for (unsigned short slot = 0; slot < slots; ++slot) {
        char name[VARIZAV_TEXT_SIZE];
        char description[VARIZAV_TEXT_SIZE];
        GetParameterDescription(&k, &slot, name, description);
        if (slot == 0) {
          text_in(f.description, german) = utf8(description);
          continue;
        }
        Argument& a = f.arguments[slot - 1U];
        a.text = types[slot] == VARIZAV_TYPE_TEXT;
        text_in(a.name, german) = utf8(name);
        text_in(a.description, german) = utf8(description);
      }
      g_max_arguments = std::max(g_max_arguments, f.arguments.size());
    }
  }
  return count > 0;
}

// A C++ string literal of UTF-8 text: non-ASCII bytes as octal escapes, so
// the generated source stays ASCII.
std::string literal(const std::string& text) {
  std::string out = "\"";
  for (const unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\%03o", c);
      out += esc;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

// A Python string literal of UTF-8 text (Python sources are UTF-8); control
// characters (a line break in a description) as escapes.
std::string python_literal(const std::string& text) {
  std::string out = "\"";
  for (const unsigned char c : text) {
    if (c < 0x20 || c == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02x", c);
      out += escape;
      continue;
    }
    if (c == '"' || c == '\\') out += '\\';
    out += static_cast<char>(c);
  }
  return out + "\"";
}

// The Windows language identifier (LCID, as Microsoft's MS-LCID lists them)
// a legacy host passes for a UI locale: German and English by territory,
// other common languages by their main territory. Both components map a
// locale through this table; a language it lacks is passed as
// kUnknownLanguage (a user-defined primary language, which the library ignores).
struct LanguageIdentifier {
  const char* language;
  const char* country;  // "" for any
  unsigned short id;
};
constexpr LanguageIdentifier kLanguageIdentifiers[] = {
    {"de", "DE", 0x0407}, {"de", "CH", 0x0807}, {"de", "AT", 0x0C07}, {"de", "LU", 0x1007}, {"de", "LI", 0x1407},
    {"de", "", 0x0407},   {"en", "US", 0x0409}, {"en", "GB", 0x0809}, {"en", "AU", 0x0C09}, {"en", "CA", 0x1009},
    {"en", "", 0x0409},   {"fr", "", 0x040C},   {"es", "", 0x0C0A},   {"it", "", 0x0410},   {"nl", "", 0x0413},
    {"pt", "", 0x0816},   {"sv", "", 0x041D},   {"da", "", 0x0406},   {"nb", "", 0x0414},   {"fi", "", 0x040B},
    {"pl", "", 0x0415},   {"cs", "", 0x0405},   {"hu", "", 0x040E},   {"ru", "", 0x0419},   {"ja", "", 0x0411},
    {"zh", "", 0x0804},   {"ko", "", 0x0412},   {"tr", "", 0x041F},   {"el", "", 0x0408},   {"he", "", 0x040D},
    {"ar", "", 0x0401},
};
constexpr unsigned short kUnknownLanguage = 0x03FF;

// The platforms description.xml lists, set from the command line.
std::string g_platforms = "linux_x86_64";

// The extension's description, English and German.
constexpr const char* kDescriptionEnglish =
    "Calendar functions for LibreOffice Calc: dates of 25 calendars converted both ways, holidays, "
    "astronomical events, searches, chronological cycles and a sundial.";
constexpr const char* kDescriptionGerman =
    "Kalenderfunktionen f\xC3\xBCr LibreOffice Calc: Daten aus 25 Kalendern in beide Richtungen umgerechnet, "
    "Feiertage, astronomische Ereignisse, Suchen, chronologische Zyklen und eine Sonnenuhr.";
constexpr const char* kDisplayNameGerman = "Kalender-Add-in f\xC3\xBCr Tabellenkalkulationen";

// The oldest LibreOffice the extension was tested in.
constexpr const char* kMinimalLibreOffice = "7.4";

const char* idl_type(bool text) { return text ? "string" : "double"; }

void write_idl(std::ostream& out) {
  out << "// Generated by generate_component from the library's registration.\n"
         "#include <com/sun/star/uno/XInterface.idl>\n\n"
         "module org { module varizav {\n\n"
         "interface XCalendar : com::sun::star::uno::XInterface\n{\n";
  for (const Function& f : g_functions) {
    out << "    " << idl_type(f.text_result) << " " << f.method << "(";
    for (size_t a = 0; a < f.arguments.size(); ++a) {
      out << (a > 0 ? ", " : "") << "[in] " << idl_type(f.arguments[a].text) << " arg" << a + 1;
    }
    out << ");\n";
  }
  out << "};\n\n}; };\n";
}

// The C++ component's methods: each hands its arguments to the component's
// host_call<Result>(function number, arguments...), which converts them by type.
void write_methods(std::ostream& out) {
  out << "// Generated by generate_component from the library's registration.\n";
  for (const Function& f : g_functions) {
    const char* result = f.text_result ? "::rtl::OUString" : "double";
    std::string params;
    std::string call_args;
    for (size_t a = 0; a < f.arguments.size(); ++a) {
      const std::string n = "arg" + std::to_string(a + 1);
      params += std::string(a > 0 ? ", " : "") + (f.arguments[a].text ? "const ::rtl::OUString& " : "double ") + n;
      call_args += ", " + n;
    }
    out << result << " SAL_CALL " << f.method << "(" << params << ") override {\n"
        << "  return host_call<" << result << ">(" << f.number << call_args << ");\n}\n";
  }
}

// open, the two texts, close (appended: GCC 12 warns falsely on "..." + std::string).
std::string pair_of(const char* open, const std::string& english, const std::string& german, const char* close) {
  std::string out = open;
  out += english;
  out += ", ";
  out += german;
  out += close;
  return out;
}

std::string cpp_pair(const TextPair& pair) { return pair_of("{", literal(pair.english), literal(pair.german), "}"); }
std::string cpp_bool(bool value) { return value ? "true" : "false"; }

void write_cpp_table(std::ostream& out) {
  out << "// Generated by generate_component from the library's registration.\n"
         "#pragma once\n\n"
         "constexpr int kFunctionCount = " << g_functions.size() << ";\n"
         "constexpr int kMaxArguments = " << g_max_arguments << ";\n\n"
         "// An English and a German text, UTF-8.\n"
         "struct TextPair {\n  const char* english;\n  const char* german;\n};\n\n"
         "struct Argument {\n  bool text;  // a text, else a number\n  TextPair name;\n  TextPair description;\n};\n\n"
         "struct Function {\n"
         "  const char* method;         // the UNO method, stored in ODF files\n"
         "  const char* exported_name;  // the C symbol of the library\n"
         "  bool text_result;\n"
         "  TextPair display_name;\n"
         "  TextPair description;\n"
         "  int argument_count;\n"
         "  Argument arguments[kMaxArguments];  // in call order\n"
         "};\n\n"
         "constexpr Function kFunctions[kFunctionCount] = {\n";
  for (const Function& f : g_functions) {
    out << "    {" << literal(f.method) << ", " << literal(f.exported_name) << ", " << cpp_bool(f.text_result) << ",\n"
        << "     " << cpp_pair(f.display_name) << ",\n     " << cpp_pair(f.description) << ",\n     "
        << f.arguments.size() << ",\n     {";
    for (size_t a = 0; a < f.arguments.size(); ++a) {
      const Argument& arg = f.arguments[a];
      out << (a > 0 ? ",\n      " : "") << "{" << cpp_bool(arg.text) << ", " << cpp_pair(arg.name) << ", "
          << cpp_pair(arg.description) << "}";
    }
    out << "}},\n";
  }
  out << "};\n\n"
         "struct LanguageIdentifier {\n"
         "  const char* language;\n  const char* country;  // \"\" for any\n  unsigned short id;\n};\n\n"
         "constexpr LanguageIdentifier kLanguageIdentifiers[] = {\n";
  for (const LanguageIdentifier& l : kLanguageIdentifiers) {
    out << "    {" << literal(l.language) << ", " << literal(l.country) << ", " << l.id << "},\n";
  }
  out << "};\nconstexpr unsigned short kUnknownLanguage = " << kUnknownLanguage << ";\n";
}

std::string python_pair(const TextPair& pair) {
  return pair_of("(", python_literal(pair.english), python_literal(pair.german), ")");
}
const char* python_bool(bool value) { return value ? "True" : "False"; }

// The same table for the Python component, in the same fields.
void write_python(std::ostream& out) {
  out << "# Generated by generate_component from the library's registration.\n"
         "import collections\n\n"
         "# Texts are (English, German) pairs, UTF-8; text says whether a value is a text or a number.\n"
         "Function = collections.namedtuple(\n"
         "    \"Function\", \"method exported_name text_result display_name description arguments\")\n"
         "Argument = collections.namedtuple(\"Argument\", \"text name description\")\n\n"
         "FUNCTIONS = (\n";
  for (const Function& f : g_functions) {
    out << "    Function(" << python_literal(f.method) << ", " << python_literal(f.exported_name) << ", "
        << python_bool(f.text_result) << ",\n             " << python_pair(f.display_name) << ",\n             "
        << python_pair(f.description) << ",\n             (";
    for (size_t a = 0; a < f.arguments.size(); ++a) {
      const Argument& arg = f.arguments[a];
      out << (a > 0 ? "\n              " : "") << "Argument(" << python_bool(arg.text) << ", "
          << python_pair(arg.name) << ", " << python_pair(arg.description) << "),";
    }
    out << ")),\n";
  }
  out << ")\n\n# (language, country or \"\" for any, Windows language identifier)\nLANGUAGE_IDENTIFIERS = (\n";
  for (const LanguageIdentifier& l : kLanguageIdentifiers) {
    out << "    (" << python_literal(l.language) << ", " << python_literal(l.country) << ", " << l.id << "),\n";
  }
  out << ")\nUNKNOWN_LANGUAGE = " << kUnknownLanguage << "\n";
}

void write_description_english(std::ostream& out) { out << kDescriptionEnglish << "\n"; }
void write_description_german(std::ostream& out) { out << kDescriptionGerman << "\n"; }

// The version of the extension is the library's: entry 3 of the version
// table reads "1.0.0 (build date)".
void write_description(std::ostream& out) {
  std::string version = version_text(3);
  version = version.substr(0, version.find(' '));
  const std::string english_name = utf8(version_text(8)) + " - " + utf8(version_text(7));
  const std::string german_name = utf8(version_text(8)) + " - " + kDisplayNameGerman;
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<description xmlns=\"http://openoffice.org/extensions/description/2006\"\n"
         "             xmlns:d=\"http://openoffice.org/extensions/description/2006\"\n"
         "             xmlns:l=\"http://libreoffice.org/extensions/description/2011\"\n"
         "             xmlns:xlink=\"http://www.w3.org/1999/xlink\">\n"
         "  <identifier value=\"org.varizav.calendar\"/>\n"
         "  <version value=\"" << xml_escaped(version) << "\"/>\n"
         "  <platform value=\"" << xml_escaped(g_platforms) << "\"/>\n"
         "  <dependencies>\n"
         "    <l:LibreOffice-minimal-version value=\"" << kMinimalLibreOffice << "\" d:name=\"LibreOffice "
      << kMinimalLibreOffice << "\"/>\n"
         "  </dependencies>\n"
         "  <display-name>\n"
         "    <name lang=\"en\">" << xml_escaped(english_name) << "</name>\n"
         "    <name lang=\"de\">" << xml_escaped(german_name) << "</name>\n"
         "  </display-name>\n"
         "  <publisher>\n"
         "    <name lang=\"en\">" << xml_escaped(utf8(version_text(6)))
      << "</name>\n"
         "  </publisher>\n"
         "  <extension-description>\n"
         "    <src xlink:href=\"description-en.txt\" lang=\"en\"/>\n"
         "    <src xlink:href=\"description-de.txt\" lang=\"de\"/>\n"
         "  </extension-description>\n"
         "  <registration>\n"
         "    <simple-license accept-by=\"admin\" suppress-on-update=\"true\">\n"
         "      <license-text xlink:href=\"LICENSE\" lang=\"en\"/>\n"
         "    </simple-license>\n"
         "  </registration>\n"
         "</description>\n";
}

bool write(const std::string& path, void (*writer)(std::ostream&)) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  writer(out);
  if (!out) std::cerr << "generate_component: cannot write " << path << "\n";
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::cerr << "usage: generate_component <output directory> [<platform>,...]\n";
    return 2;
  }
  const std::string dir = argv[1];
  if (argc == 3) g_platforms = argv[2];
  if (!read_registration()) return 1;
  const bool ok = write(dir + "/XCalendar.idl", write_idl) && write(dir + "/calendar_methods.inc", write_methods) &&
                  write(dir + "/calendar_functions.h", write_cpp_table) &&
                  write(dir + "/varizav_functions.py", write_python) &&
                  write(dir + "/description.xml", write_description) &&
                  write(dir + "/description-en.txt", write_description_english) &&
                  write(dir + "/description-de.txt", write_description_german);
  return ok ? 0 : 1;
}
