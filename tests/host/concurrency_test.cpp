// Concurrent calls: eight threads call every registered worksheet function
// with a fixed, pseudo-random list of arguments, interleaved with the
// registration entry points (GetFunctionCount re-applying the same settings,
// GetFunctionData, GetParameterDescription, SetLanguage with the language in
// force), and every result must equal, bit for bit, the result of the same
// call in a single-threaded run. Built under ThreadSanitizer by
// `make test-tsan`, which also reports any data race on the way.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "astro/time_scales.h"
#include "framework/date.h"
#include "host/catalogue.h"
#include "host/function_registry.h"
#include "host/host_state.h"
#include "host/worksheet_call.h"

namespace varizav {
namespace {

using host_calls::RegisteredFunction;

constexpr int kThreads = 8;
// Calls per settings case; each thread makes all of them once, in its own order.
constexpr int kCalls = 35 * 40;

// Argument pools by the argument's English name in the catalogue: values
// that reach deep into the calendars and searches. One argument in eight is
// drawn from the hostile pools instead.
struct Pool {
  const char* argument;
  std::vector<double> numbers;
  std::vector<const char*> texts;
};

const std::vector<Pool>& pools() {
  static const std::vector<Pool> p = {
      {"year", {2000, 1582, 5760, 1420, 1378, 1, 0, -4712, 10000, 2024, 5100, 208, 1716, 2543, 17, 1921}, {}},
      {"month", {}, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "February", "Februar"}},
      {"day", {1, 13, 15, 29, 30, 31}, {"Friday", "Freitag", "1", "7", "pridie", "III", ""}},
      {"date", {36526, 36526.75, 45000.5, 0, -100000.25, 700000, -2e6, 1e7}, {}},
      // Names in both languages: each settings case finds its own half.
      {"calendar",
       {},
       {"gregorian",
        "julian",
        "hebrew",
        "islamic",
        "chinese",
        "astronomical",
        "mayan",
        "hindu",
        "hindu2",
        "french",
        "persian",
        "coptic",
        "ethiopic",
        "egyptian",
        "armenian",
        "latin",
        "iso8601",
        "gengou",
        "indian",
        "yazdegerd",
        "buddhist",
        "byzantine",
        "seleucid",
        "syrian",
        "taiwanese",
        "",
        "gregorianisch",
        "julianisch",
        "j\xFC"
        "disch",
        "islamisch",
        "chinesisch",
        "astronomisch",
        "maya",
        "hindu",
        "franz\xF6sisch",
        "persisch",
        "koptisch",
        "indisch"}},
      {"event", {}, {"Easter",  "Christmas",  "Passover",        "New Year",    "Full Moon", "New Moon",   "Eclipse",
                     "Spring",  "Zodiac",     "Mars Opposition", "Perigee",     "Ramadan",   "Yom Kippur", "1",
                     "2",       "",           "Ostern",          "Weihnachten", "Passah",    "Neujahr",    "Vollmond",
                     "Neumond", "Finsternis", "Jom Kippur"}},
      {"epoch", {}, {"2000", "5760", "1420", "78-17", "12", "2024"}},
      {"format mode", {0, 1, -1}, {}},
      {"calendrical cycle",
       {},
       {"Epact", "Dominical Letter", "Golden Number", "Regent", "Epakte", "Sonntagsbuchstabe"}},
      {"cycle", {78, 77}, {}},
      {"leap month", {0, 1}, {}},
      {"ordinal", {1, 2, 0, -1, 20}, {}},
      {"name of day", {}, {"Friday", "Sunday", "", "3", "Freitag", "Sonntag"}},
      {"gengou era", {}, {"Meiji", "Heisei", "1", "16"}},
      {"division point", {}, {"Ides", "Kalendas", "Nonas"}},
      {"week", {1, 30, 52, 53}, {}},
  };
  return p;
}

const std::vector<double> kHostileNumbers = {
    std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e308, -2147483649.0,
    kMinAcceptedJd - kSerialEpochJd,          kMaxAcceptedJd - kSerialEpochJd,         0.5,   -367};
const std::vector<const char*> kHostileTexts = {"", "xyz", "99999999999", "-1", "\xFF\xFE", "2147483648-1"};
// The Mayan long-count units and anything else without a pool of its own.
const std::vector<double> kSmallNumbers = {0, 1, 2, 6, 12, 13, 15, 19};

struct Call {
  const RegisteredFunction* function;
  std::array<double, kMaxArguments> numbers;
  std::array<const char*, kMaxArguments> texts;
};

struct Result {
  uint64_t number_bits = 0;
  std::string text;
  bool operator==(const Result&) const = default;
};

Result run(const Call& c) {
  std::array<const void*, kMaxArguments> args{};
  for (int32_t a = 0; a < c.function->argument_count(); ++a) {
    const size_t i = static_cast<size_t>(a);
    args[i] = c.function->type_codes[i + 1] == kTypeText ? static_cast<const void*>(c.texts[i])
                                                         : static_cast<const void*>(&c.numbers[i]);
  }
  Result r;
  if (c.function->text_result()) {
    std::array<char, kHostTextSize> out{};
    host_calls::call(*c.function, out.data(), args.data());
    r.text.assign(out.data(), strnlen(out.data(), out.size()));
  } else {
    double out = 0.0;
    host_calls::call(*c.function, &out, args.data());
    r.number_bits = std::bit_cast<uint64_t>(out);
  }
  return r;
}

const Pool* pool_of(const RegisteredFunction& f, int32_t argument) {
  const FunctionEntry& entry = function_registry[f.number];
  const std::string name = catalogue_english(entry.arguments[static_cast<size_t>(argument)].name_entry);
  for (const Pool& p : pools()) {
    // "1st calendar", "2st event": the pool named at the end.
    if (name == p.argument ||
        (name.size() > std::strlen(p.argument) && name.ends_with(std::string(" ") + p.argument))) {
      return &p;
    }
  }
  return nullptr;
}

template <class T>
T pick(const std::vector<T>& from, std::mt19937& random) {
  return from[random() % from.size()];
}

// Call i goes to function i mod count, so that every function is called.
std::vector<Call> make_calls(const std::vector<RegisteredFunction>& functions, uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<Call> calls;
  for (int i = 0; i < kCalls; ++i) {
    const RegisteredFunction& f = functions[static_cast<size_t>(i) % functions.size()];
    Call c{&f, {}, {}};
    for (int32_t a = 0; a < f.argument_count(); ++a) {
      const size_t i_arg = static_cast<size_t>(a);
      const Pool* p = pool_of(f, a);
      const bool hostile = random() % 8 == 0;
      if (f.type_codes[i_arg + 1] == kTypeText) {
        c.texts[i_arg] =
            hostile || p == nullptr || p->texts.empty() ? pick(kHostileTexts, random) : pick(p->texts, random);
      } else {
        c.numbers[i_arg] = hostile                              ? pick(kHostileNumbers, random)
                           : p == nullptr || p->numbers.empty() ? pick(kSmallNumbers, random)
                                                                : pick(p->numbers, random);
      }
    }
    calls.push_back(c);
  }
  return calls;
}

// The registration texts of one function and slot, for comparison.
std::string registration_texts(unsigned short number, unsigned short slot) {
  std::array<char, kHostTextSize> a{};
  std::array<char, kHostTextSize> b{};
  std::array<int, 16> codes{};
  unsigned short slots = 0;
  GetFunctionData(&number, a.data(), &slots, codes.data(), b.data());
  std::string out = std::string(a.data()) + "|" + b.data() + "|" + std::to_string(slots);
  GetParameterDescription(&number, &slot, a.data(), b.data());
  return out + "|" + a.data() + "|" + b.data();
}

struct SettingsCase {
  const char* name;
  unsigned short language;
  const char* timezone;  // VARIZAV_TIMEZONE, seconds
  const char* lang;      // LANG: the host's character set
};

class ConcurrencyTest : public testing::HostTest, public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(ConcurrencyTest, EightThreadsMatchASerialRun) {
  const SettingsCase& s = GetParam();
  env_.set("VARIZAV_TIMEZONE", s.timezone);
  env_.set("LANG", s.lang);
  // Small, so that searches that never succeed end quickly.
  env_.set("VARIZAV_MAX_LOOP", "12");
  SetLanguage(&s.language);
  const std::vector<RegisteredFunction> functions = host_calls::register_all();
  ASSERT_EQ(functions.size(), 35u);
  for (const RegisteredFunction& f : functions) ASSERT_NE(f.address, nullptr) << f.exported_name << " not built";

  const std::vector<Call> calls = make_calls(functions, 20240229u + s.language);
  std::vector<Result> serial;
  for (const Call& c : calls) serial.push_back(run(c));
  // Most calls must reach a real result, or the comparison would prove little.
  const auto answered = std::count_if(serial.begin(), serial.end(), [](const Result& r) {
    return !r.text.empty() || !std::isnan(std::bit_cast<double>(r.number_bits));
  });
  EXPECT_GT(answered, kCalls / 2);
  std::vector<std::string> serial_registration;
  for (unsigned short k = 0; k < 36; ++k) serial_registration.push_back(registration_texts(k, k % 4));

  std::array<std::vector<Result>, kThreads> results;
  std::array<int, kThreads> registration_mismatches{};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      std::vector<size_t> order(calls.size());
      for (size_t i = 0; i < order.size(); ++i) order[i] = i;
      std::shuffle(order.begin(), order.end(), std::mt19937(static_cast<uint32_t>(t)));
      std::vector<Result>& mine = results[static_cast<size_t>(t)];
      mine.resize(calls.size());
      for (size_t n = 0; n < order.size(); ++n) {
        mine[order[n]] = run(calls[order[n]]);
        if (n % 37 == static_cast<size_t>(t)) {
          unsigned short count = 0;
          GetFunctionCount(&count);
          SetLanguage(&s.language);
          const unsigned short k = static_cast<unsigned short>(n % 36);
          if (count != 35 || registration_texts(k, k % 4) != serial_registration[k]) {
            ++registration_mismatches[static_cast<size_t>(t)];
          }
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();

  for (int t = 0; t < kThreads; ++t) {
    EXPECT_EQ(registration_mismatches[static_cast<size_t>(t)], 0) << "thread " << t;
    int mismatches = 0;
    for (size_t i = 0; i < calls.size(); ++i) {
      const Result& want = serial[i];
      const Result& got = results[static_cast<size_t>(t)][i];
      if (got == want || ++mismatches > 5) continue;
      ADD_FAILURE() << "thread " << t << ", call " << i << " of " << calls[i].function->exported_name << ": want "
                    << std::hex << want.number_bits << " \"" << want.text << "\", got " << got.number_bits << " \""
                    << got.text << "\"";
    }
  }
}

// GetFunctionCount from one thread while another reads the settings: each
// setting changes only to its final value, never passing through the
// runtime's own zone (UT here, TZ unset) before VARIZAV_TIMEZONE replaces it.
TEST_F(ConcurrencyTest, ConfigurationNeverShowsAnIntermediateValue) {
  env_.set("VARIZAV_TIMEZONE", "-3600");
  unsigned short count = 0;
  GetFunctionCount(&count);
  const double want = tz_offset_centuries();
  ASSERT_EQ(want, -3600 * kSecondsToCenturies);  // defined: UT minus local time, one hour east (Central European time)
  std::atomic<bool> done{false};
  std::atomic<int> other_values{0};
  std::thread reader([&] {
    while (!done.load()) {
      if (tz_offset_centuries() != want) ++other_values;
    }
  });
  for (int i = 0; i < 100000; ++i) GetFunctionCount(&count);
  done = true;
  reader.join();
  EXPECT_EQ(other_values.load(), 0);
}

INSTANTIATE_TEST_SUITE_P(Settings, ConcurrencyTest,
                         ::testing::Values(SettingsCase{"German", 0x0407, "0", "C"},
                                           SettingsCase{"EnglishUtf8CentralEurope", 0x0409, "-3600", "C.UTF-8"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace varizav
