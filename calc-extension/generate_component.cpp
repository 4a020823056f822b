// Writes the parts of the LibreOffice extension that describe the worksheet
// functions, from the library's own function registry, catalogue and version
// table, so that the extension can never disagree with the library:
//   XCalendar.idl          the UNO interface: one method per worksheet function
//   calendar_methods.inc   the C++ bodies of those methods (inside the component class)
//   calendar_texts.inc     display names, descriptions and argument texts, English and German (UTF-8)
//   varizav_functions.py   the same texts and the argument types for the Python component
//   description.xml        the extension's identity, version and platforms, with
//   description-en.txt     its description in English
//   description-de.txt     and in German
//
// Usage: generate_component <output directory> [<platform>,...]
// (the platforms that description.xml lists; default linux_x86_64).
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "host/catalogue.h"
#include "host/function_registry.h"
#include "host/host_text.h"
#include "host/version.h"

using namespace varizav;

namespace {

// The method name of a worksheet function: its exported name without "SC_".
// ODF files store it, upper-cased behind the service name
// (ORG.VARIZAV.CALENDAR.GREGORIAN): it must never change.
std::string method_name(const FunctionEntry& f) { return std::string(f.exported_name).substr(3); }

std::string utf8(const char* cp1252) {
  char out[4 * kHostTextSize];
  cp1252_to_utf8(cp1252, out, sizeof out);
  return out;
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

std::string xml_escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '&') out += "&amp;";
    else if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else if (c == '"') out += "&quot;";
    else out += c;
  }
  return out;
}

void write_idl(std::ostream& out) {
  out << "// Generated by generate_component from the function registry.\n"
         "#include <com/sun/star/uno/XInterface.idl>\n\n"
         "module org { module varizav {\n\n"
         "interface XCalendar : com::sun::star::uno::XInterface\n{\n";
  for (const FunctionEntry& f : function_registry) {
    out << "    " << (f.result_type == kTypeText ? "string" : "double") << " " << method_name(f) << "(";
    for (int32_t a = 0; a < f.argument_count; ++a) {
      const bool text = f.arguments[static_cast<size_t>(a)].type == kTypeText;
      out << (a > 0 ? ", " : "") << "[in] " << (text ? "string" : "double") << " arg" << a + 1;
    }
    out << ");\n";
  }
  out << "};\n\n}; };\n";
}

// Each method calls the library's function the way a legacy host does: a
// pointer to the result, then one pointer per argument, texts in the
// process's text encoding.
void write_methods(std::ostream& out) {
  out << "// Generated by generate_component from the function registry.\n";
  for (const FunctionEntry& f : function_registry) {
    const bool text_result = f.result_type == kTypeText;
    std::string params;
    std::string signature = text_result ? "char*" : "double*";
    std::string call_args = "result";
    std::string texts;
    for (int32_t a = 0; a < f.argument_count; ++a) {
      const bool text = f.arguments[static_cast<size_t>(a)].type == kTypeText;
      const std::string n = "arg" + std::to_string(a + 1);
      params += std::string(a > 0 ? ", " : "") + (text ? "const ::rtl::OUString& " : "double ") + n;
      signature += text ? ", const char*" : ", const double*";
      if (text) {
        texts += "  const ::rtl::OString host_" + n + " = to_host(" + n + ");\n";
        call_args += ", host_" + n + ".getStr()";
      } else {
        call_args += ", &" + n;
      }
    }
    out << (text_result ? "::rtl::OUString" : "double") << " SAL_CALL " << method_name(f) << "(" << params
        << ") override {\n"
        << texts << "  using Function = void (*)(" << signature << ");\n"
        << (text_result ? "  char result[kResultSize] = {};\n" : "  double result[1] = {0.0};\n")
        << "  reinterpret_cast<Function>(library().function(" << f.number << "))(" << call_args << ");\n"
        << (text_result ? "  return from_host(result);\n" : "  return result[0];\n") << "}\n";
  }
}

void write_texts(std::ostream& out) {
  out << "// Generated by generate_component from the function registry and the catalogue.\n"
         "const FunctionTexts kFunctions[" << kFunctionCount << "] = {\n";
  for (const FunctionEntry& f : function_registry) {
    out << "    {" << literal(method_name(f)) << ", " << literal(f.exported_name) << ", " << f.argument_count << ",\n"
        << "     {" << literal(utf8(catalogue_english(f.name_entry))) << ", "
        << literal(utf8(catalogue_german(f.name_entry))) << "},\n"
        << "     {" << literal(utf8(catalogue_english(f.description_entry))) << ", "
        << literal(utf8(catalogue_german(f.description_entry))) << "},\n     {";
    for (int32_t a = 0; a < f.argument_count; ++a) {
      const ArgumentEntry& arg = f.arguments[static_cast<size_t>(a)];
      out << (a > 0 ? ",\n      " : "") << "{{" << literal(utf8(catalogue_english(arg.name_entry))) << ", "
          << literal(utf8(catalogue_german(arg.name_entry))) << "}, {"
          << literal(utf8(catalogue_english(arg.description_entry))) << ", "
          << literal(utf8(catalogue_german(arg.description_entry))) << "}}";
    }
    out << "}},\n";
  }
  out << "};\n\nconst LanguageIdentifier kLanguageIdentifiers[] = {\n";
  for (const LanguageIdentifier& l : kLanguageIdentifiers) {
    out << "    {" << literal(l.language) << ", " << literal(l.country) << ", " << l.id << "},\n";
  }
  out << "};\nconstexpr unsigned short kUnknownLanguage = " << kUnknownLanguage << ";\n";
}

// The Python component's table: per function its method and exported names,
// whether the result and each argument are texts, and the English and German
// display name, description and argument names and descriptions.
void write_python(std::ostream& out) {
  const auto pair = [](int32_t entry) {
    std::string text = "(";
    text += python_literal(utf8(catalogue_english(entry)));
    text += ", ";
    text += python_literal(utf8(catalogue_german(entry)));
    text += ")";
    return text;
  };
  out << "# Generated by generate_component from the function registry and the catalogue.\n"
         "# (method, exported name, result is text, (argument is text, ...), display name,\n"
         "#  description, ((argument name, argument description), ...)); texts as (English, German).\n"
         "FUNCTIONS = (\n";
  for (const FunctionEntry& f : function_registry) {
    std::string types;
    std::string arguments;
    for (int32_t a = 0; a < f.argument_count; ++a) {
      const ArgumentEntry& arg = f.arguments[static_cast<size_t>(a)];
      types += std::string(arg.type == kTypeText ? "True" : "False") + ", ";
      arguments += "(";
      arguments += pair(arg.name_entry);
      arguments += ", ";
      arguments += pair(arg.description_entry);
      arguments += "), ";
    }
    out << "    (" << python_literal(method_name(f)) << ", " << python_literal(f.exported_name) << ", "
        << (f.result_type == kTypeText ? "True" : "False") << ", (" << types << "),\n     " << pair(f.name_entry)
        << ",\n     " << pair(f.description_entry) << ",\n     (" << arguments << ")),\n";
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
  const bool ok = write(dir + "/XCalendar.idl", write_idl) && write(dir + "/calendar_methods.inc", write_methods) &&
                  write(dir + "/calendar_texts.inc", write_texts) &&
                  write(dir + "/varizav_functions.py", write_python) &&
                  write(dir + "/description.xml", write_description) &&
                  write(dir + "/description-en.txt", write_description_english) &&
                  write(dir + "/description-de.txt", write_description_german);
  return ok ? 0 : 1;
}
