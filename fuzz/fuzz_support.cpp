#include "fuzz_support.h"

#include <array>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "framework/date.h"
#include "host/error_value.h"
#include "varizav/addin.h"

namespace varizav::fuzz {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kMinNormal = std::numeric_limits<double>::min();
constexpr double kDenormMin = std::numeric_limits<double>::denorm_min();

// The accepted date range as serial dates (the worksheet functions take serial
// dates; SC_astronomy takes the Julian Day itself, hence both forms).
constexpr double kMinSerial = kMinAcceptedJd - kSerialEpochJd;
constexpr double kMaxSerial = kMaxAcceptedJd - kSerialEpochJd;

// 64 values, tag 0x00-0x3F.
const std::array<double, 64> kHostileNumbers = {
    std::numeric_limits<double>::quiet_NaN(),
    -std::numeric_limits<double>::quiet_NaN(),
    std::bit_cast<double>(uint64_t{0x7FF4000000000001}),  // signalling NaN
    error_value(),  // the add-in's own error value
    kInf,
    -kInf,
    1e308,
    -1e308,
    kMax,
    -kMax,
    kMinNormal,
    -kMinNormal,
    kDenormMin,
    -kDenormMin,
    0.0,
    -0.0,
    127.0,  // int8 limits and one beyond
    128.0,
    -128.0,
    -129.0,
    255.0,
    256.0,
    32767.0,  // int16
    32768.0,
    -32768.0,
    -32769.0,
    65535.0,
    65536.0,
    2147483647.0,  // int32
    2147483648.0,
    -2147483648.0,
    -2147483649.0,
    2147483647.5,
    -2147483648.5,
    4294967295.0,
    4294967296.0,
    9007199254740993.0,  // 2^53 + 1 (rounds to 2^53)
    9.2233720368547758e18,
    -9.2233720368547758e18,
    kMinSerial,  // the accepted range of serial dates, at and one day beyond each bound
    kMinSerial - 1.0,
    kMinSerial + 1.0,
    kMaxSerial,
    kMaxSerial + 1.0,
    kMaxSerial - 1.0,
    kMinAcceptedJd,  // the same bounds as Julian Days
    kMinAcceptedJd - 1.0,
    kMaxAcceptedJd,
    kMaxAcceptedJd + 1.0,
    36526.0,   // 1 January 2000
    36526.75,  // 18:00 that day (the eve of days that begin in the evening)
    -693593.0, // 1 January of year 1
    -1.0e-300,
    0.49999999999999994,
    -0.5,
    0.5,
    1.5,
    31.0,
    32.0,
    366.0,
    367.0,
    -366.0,
    -367.0,
    1e15,
};

// 64 texts, tag 0x00-0x3F; the long ones are built on first use.
std::string byte_run(int first, int last, int step) {
  std::string s;
  for (int b = first; b != last + step; b += step) s.push_back(static_cast<char>(b));
  return s;
}

const std::array<std::string, 64>& hostile_texts() {
  static const std::array<std::string, 64> texts = {
      "",
      std::string(255, 'A'),
      byte_run(1, 255, 1),
      byte_run(255, 1, -1),
      std::string(255, '9'),
      std::string(255, ' '),
      std::string(254, '-') + "1",
      std::string(255, '\xFF'),
      "99999999999999999999999999",
      "-99999999999999999999",
      "2147483647",
      "2147483648",
      "-2147483648",
      "-2147483649",
      "4294967296",
      std::string(4096, 'A'),  // longer than any host buffer: hosts may pass long cell texts
      "1e308",
      "nan",
      "inf",
      "0x7fffffff",
      " \t+12",
      "-0",
      "+",
      "-",
      "78-17",
      "78",
      "78-",
      "-1--1",
      "2147483647-2147483647",
      "1,5",
      "1.5",
      "0",
      "1",
      "13",
      "-1",
      "366",
      "\xFE\xFF",
      "\xC4\xD6\xDC\xDF",  // Windows-1252 umlauts and sharp s
      "\x80\x81\x8D\x8F\x90\x9D",
      "\t",
      "\n\r",
      "a",
      std::string(300, '7'),
      "II",
      "bis",
      "bis VI",
      "pridie",
      "XIX",
      "Adar I",
      "Adar II",
      "AdarII",
      "Vendemiaire",
      "Sansculottides",
      "Farvardin",
      "Chaitra",
      "Muharram",
      "Nisan",
      "Tishri",
      "Kalendas",
      "Nonas",
      "Ides",
      "Idus",
      "DE",
      "en",
  };
  return texts;
}

// 96 names the keyword tables know, tag 0x40-0x9F: calendars, events,
// cycles, weekdays, months and eras, in both languages.
const std::array<const char*, 96> kKnownNames = {
    "gregorian",      "julian",         "hebrew",         "islamic",          "chinese",
    "astronomical",   "mayan",          "hindu",          "hindu2",           "french",
    "persian",        "coptic",         "ethiopic",       "egyptian",         "armenian",
    "latin",          "iso8601",        "gengou",         "indian",           "yazdegerd",
    "buddhist",       "byzantine",      "seleucid",       "syrian",           "taiwanese",
    "gregorianisch",  "j\xFC" "disch",  "Easter",         "Ostern",           "Christmas",
    "New Year",       "Advent Sunday",  "Passover",       "Yom Kippur",       "Ramadan",
    "Full Moon",      "New Moon",       "Eclipse",        "Solar Eclipse",    "Lunar Eclipse",
    "Spring",         "Winter",         "Zodiac",         "Pisces",           "Perigee",
    "North Point",    "Ascending Node", "Julian Year",    "Besselian Year",   "Mars Opposition",
    "Mercury West Elongation",          "Neptune Conjunction",                "Epact",
    "Dominical Letter",                 "Golden Number",  "Solar Cycle",      "Indiction",
    "Regent",         "Friday",         "Sunday",         "February",         "December",
    "Meiji",          "Heisei",
    // German names (the add-in starts in German).
    "gregorianisch",  "julianisch",     "islamisch",      "chinesisch",       "astronomisch",
    "maya",           "franz\xF6sisch", "persisch",      "koptisch",         "\xE4thiopisch",
    "lateinisch",     "indisch",        "jezdegerd",      "seleukiden",       "Weihnachten",
    "Neujahr",        "Passah",         "Jom Kippur",     "Pfingsten",        "Vollmond",
    "Neumond",        "Finsternis",     "Fr\xFChlingsanfang", "Sternzeichen", "Epakte",
    "Sonntagsbuchstabe", "Goldene Zahl", "Freitag",       "Sonntag",          "Februar",
    "M\xE4rz",        "Dezember",
};

}  // namespace

uint16_t ByteReader::u16() {
  const uint16_t lo = byte();
  return static_cast<uint16_t>(lo | (uint16_t{byte()} << 8));
}

uint32_t ByteReader::u32() {
  const uint32_t lo = u16();
  return lo | (uint32_t{u16()} << 16);
}

uint64_t ByteReader::u64() {
  const uint64_t lo = u32();
  return lo | (uint64_t{u32()} << 32);
}

std::string ByteReader::bytes(size_t n) {
  std::string s;
  while (n-- > 0 && !empty()) s.push_back(static_cast<char>(byte()));
  return s;
}

double read_number(ByteReader& in) {
  const uint8_t tag = in.byte();
  if (tag < 0x40) return kHostileNumbers[tag];
  if (tag < 0x80) return static_cast<double>(static_cast<int32_t>(tag) - 0x60);
  if (tag < 0xC0) return static_cast<double>(static_cast<int16_t>(in.u16()));
  if (tag < 0xE0) {
    const double whole = static_cast<double>(static_cast<int32_t>(in.u32()));
    return whole + static_cast<double>(in.byte()) / 256.0;
  }
  return std::bit_cast<double>(in.u64());
}

std::string read_text(ByteReader& in) {
  const uint8_t tag = in.byte();
  if (tag < 0x40) return hostile_texts()[tag];
  if (tag < 0xA0) return kKnownNames[tag - 0x40u];
  std::string raw = in.bytes(in.byte());
  const size_t nul = raw.find('\0');
  if (nul != std::string::npos) raw.resize(nul);
  return raw;
}

void decode_arguments(const host_calls::RegisteredFunction& f, ByteReader& in, DecodedArguments& out) {
  for (int32_t a = 0; a < f.argument_count(); ++a) {
    const size_t i = static_cast<size_t>(a);
    if (f.type_codes[i + 1] == kTypeText) {
      out.texts[i] = read_text(in);
      out.blocks[i] = exact_copy(out.texts[i]);
      out.args[i] = out.blocks[i].get();
    } else {
      out.numbers[i] = read_number(in);
      out.args[i] = &out.numbers[i];
    }
  }
}

void print_call(const host_calls::RegisteredFunction& f, const DecodedArguments& decoded) {
  std::fprintf(stderr, "%s(", f.exported_name.c_str());
  for (int32_t a = 0; a < f.argument_count(); ++a) {
    const size_t i = static_cast<size_t>(a);
    if (f.type_codes[i + 1] == kTypeText) {
      std::fprintf(stderr, "%s\"%s\"", a ? ", " : "", decoded.texts[i].c_str());
    } else {
      std::fprintf(stderr, "%s%.17g", a ? ", " : "", decoded.numbers[i]);
    }
  }
  std::fprintf(stderr, ")\n");
}

const std::vector<host_calls::RegisteredFunction>& registered() {
  static const std::vector<host_calls::RegisteredFunction> functions = host_calls::register_all();
  return functions;
}

const host_calls::RegisteredFunction* pick(uint8_t selector) {
  const std::vector<host_calls::RegisteredFunction>& functions = registered();
  for (size_t step = 0; step < functions.size(); ++step) {
    const host_calls::RegisteredFunction& f = functions[(selector + step) % functions.size()];
    if (f.address != nullptr) return &f;
  }
  return nullptr;
}

std::unique_ptr<char[]> exact_copy(const std::string& text) {
  auto block = std::make_unique<char[]>(text.size() + 1);
  std::memcpy(block.get(), text.data(), text.size());
  block[text.size()] = '\0';
  return block;
}

namespace {

// A setting's value: a 32-bit integer, optionally with blanks, sign and a
// tail, or raw bytes.
std::string setting_text(ByteReader& in) {
  const uint8_t tag = in.byte();
  if (tag < 0x80) {
    std::string s = (tag & 1) ? " \t" : "";
    s += std::to_string(static_cast<int32_t>(in.u32()));
    if (tag & 2) s += "x9";
    return s;
  }
  std::string raw = in.bytes(tag & 0x0F);
  const size_t nul = raw.find('\0');
  if (nul != std::string::npos) raw.resize(nul);
  return raw;
}

constexpr std::array<const char*, 8> kLangValues = {"C",          "POSIX",       "C.UTF-8", "de_DE.UTF-8",
                                                    "en_US.UTF-8", "fr_FR@euro", "",        "xx_YY.bogus"};
constexpr std::array<const char*, 8> kTzValues = {"UTC",           "GMT0",          "Europe/Berlin", "Asia/Kolkata",
                                                  "America/St_Johns", "<-14>14",    "",              "No/Such_Zone"};

void set_language(uint16_t id) { SetLanguage(&id); }

}  // namespace

void apply_settings(ByteReader& in) {
  // The fixed state every input starts from: absent variables keep the
  // previous value, so each is set explicitly first.
  setenv("VARIZAV_CALREFORM", "15821004", 1);
  setenv("VARIZAV_DELTA_T", "0", 1);
  setenv("VARIZAV_LANGUAGE", "DE", 1);
  setenv("VARIZAV_TIMEZONE", "0", 1);
  // Small, so that searches that never succeed end quickly.
  setenv("VARIZAV_MAX_LOOP", "16", 1);
  unsetenv("LANG");
  unsetenv("TZ");
  set_language(0x0407);
  unsigned short count = 0;
  GetFunctionCount(&count);

  const uint8_t flags = in.byte();
  const uint8_t more = (flags & 0x80) ? in.byte() : 0;
  const int language_action = flags & 3;
  const uint16_t language_id = language_action == 3 ? in.u16() : (language_action == 1 ? 0x0409 : 0x0407);
  if (flags & 0x08) setenv("VARIZAV_LANGUAGE", in.bytes(in.byte() & 7).c_str(), 1);
  if (flags & 0x10) setenv("VARIZAV_CALREFORM", setting_text(in).c_str(), 1);
  if (flags & 0x20) setenv("VARIZAV_DELTA_T", setting_text(in).c_str(), 1);
  if (flags & 0x40) setenv("VARIZAV_TIMEZONE", setting_text(in).c_str(), 1);
  if (more & 0x01) {
    const uint8_t passes = in.byte();
    static constexpr std::array<const char*, 6> kMalformed = {"", "x", "-7", "  +12abc", "-99999999999", "0x10"};
    setenv("VARIZAV_MAX_LOOP", passes < 250 ? std::to_string(passes).c_str() : kMalformed[passes - 250u], 1);
  }
  if (more & 0x02) setenv("LANG", kLangValues[in.byte() & 7], 1);
  if (more & 0x04) setenv("TZ", kTzValues[in.byte() & 7], 1);

  const bool language_first = (flags & 0x04) != 0;
  if (language_action != 0 && language_first) set_language(language_id);
  GetFunctionCount(&count);
  if (count != 35) fault("GetFunctionCount did not report 35 functions", "GetFunctionCount");
  if (language_action != 0 && !language_first) set_language(language_id);
}

void fault(const char* what, const char* function) {
  std::fprintf(stderr, "varizav fuzz fault in %s: %s\n", function, what);
  std::abort();
}

}  // namespace varizav::fuzz
