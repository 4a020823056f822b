// A stand-in add-in for the host tool's tests: it speaks the registration
// protocol with a handful of functions whose behaviour the tests know
// exactly, including cases the real library never shows (a registered but
// unexported function, a text result that overruns its buffer, more slots
// than the tool calls, six arguments of mixed types).
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#define FAKE_API extern "C" __attribute__((visibility("default")))

namespace {

struct FakeArgument {
  const char* name;
  const char* german_name;
  int type;  // 0 number, 1 text
};

struct FakeFunction {
  const char* exported_name;
  const char* display_name;
  const char* german_display_name;
  const char* description;
  int result_type;
  int argument_count;
  FakeArgument arguments[7];
};

constexpr FakeFunction kFunctions[] = {
    {"SC_join",
     "JOIN",
     "VERBINDE",
     "Joins six arguments.\nSecond line.",
     1,
     6,
     {{"t1", "T1", 1}, {"n1", "N1", 0}, {"t2", "T2", 1}, {"n2", "N2", 0}, {"t3", "T3", 1}, {"n3", "N3", 0}}},
    {"SC_missing", "MISSING", "FEHLT", "Registered, never exported.", 0, 1, {{"date", "Datum", 0}}},
    {"SC_gnomon", "GNOMON", "GNOMON", "Adds half a day.", 0, 1, {{"date", "Datum", 0}}},
    {"SC_shift", "SHIFT", "VERSCHIEBE", "Adds two numbers.", 0, 2, {{"date", "Datum", 0}, {"days", "Tage", 0}}},
    {"SC_spill", "SPILL", "UEBERLAUF", "Writes 300 bytes.", 1, 1, {{"n", "N", 0}}},
    {"SC_log", "LOG", "PROTOKOLL", "The registration calls seen.", 1, 1, {{"n", "N", 0}}},
    {"SC_wide",
     "WIDE",
     "BREIT",
     "Seven arguments.",
     0,
     7,
     {{"a", "A", 0}, {"b", "B", 0}, {"c", "C", 0}, {"d", "D", 0}, {"e", "E", 0}, {"f", "F", 0}, {"g", "G", 0}}},
};
constexpr unsigned short kCount = sizeof kFunctions / sizeof kFunctions[0];

unsigned short g_language = 0;
std::string g_log;  // one letter per registration call: L, C, D, P

bool german() { return (g_language & 0x3FF) == 7; }

void copy_name(char* out, const char* text) {
  std::memset(out, 0, 256);
  std::strncpy(out, text, 255);
}

}  // namespace

FAKE_API void SetLanguage(unsigned short* language) {
  g_language = *language;
  g_log += 'L';
}

FAKE_API void GetFunctionCount(unsigned short* count) {
  *count = kCount;
  g_log += 'C';
}

FAKE_API void GetFunctionData(unsigned short* number, char* exported_name, unsigned short* slot_count, int* types,
                              char* display_name) {
  g_log += 'D';
  if (*number >= kCount) {
    exported_name[0] = display_name[0] = '\0';
    *slot_count = 0;
    return;
  }
  const FakeFunction& f = kFunctions[*number];
  copy_name(exported_name, f.exported_name);
  copy_name(display_name, german() ? f.german_display_name : f.display_name);
  types[0] = f.result_type;
  for (int i = 0; i < f.argument_count; ++i) types[i + 1] = f.arguments[i].type;
  *slot_count = static_cast<unsigned short>(f.argument_count + 1);
}

FAKE_API void GetParameterDescription(unsigned short* number, unsigned short* slot, char* name, char* description) {
  g_log += 'P';
  name[0] = description[0] = '\0';
  if (*number >= kCount) return;
  const FakeFunction& f = kFunctions[*number];
  if (*slot == 0) {
    copy_name(description, f.description);
  } else if (*slot <= f.argument_count) {
    const FakeArgument& a = f.arguments[*slot - 1];
    copy_name(name, german() ? a.german_name : a.name);
    copy_name(description, a.type == 1 ? "a text" : "a number");
  }
}

FAKE_API void SC_join(char* result, const char* t1, const double* n1, const char* t2, const double* n2, const char* t3,
                      const double* n3) {
  std::snprintf(result, 256, "%s|%g|%s|%g|%s|%g", t1, *n1, t2, *n2, t3, *n3);
}

FAKE_API void SC_gnomon(double* result, const double* date) { *result = *date + 0.5; }

FAKE_API void SC_shift(double* result, const double* date, const double* days) { *result = *date + *days; }

FAKE_API void SC_spill(char* result, const double*) {
  std::memset(result, 'x', 299);
  result[299] = '\0';
}

FAKE_API void SC_log(char* result, const double*) {
  std::snprintf(result, 256, "0x%04X %s", g_language, g_log.c_str());
}

FAKE_API void SC_wide(double* result, const double*, const double*, const double*, const double*, const double*,
                      const double*, const double*) {
  *result = 0.0;
}
