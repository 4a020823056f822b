// The column entry point against one direct call per row: every function,
// columns of many values and of one, in the library's UTF-8 and Windows-1252
// modes; results compared bit for bit. Expected values are the direct calls'
// (independent: the registered entry points called one row at a time).
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "host/host_text.h"
#include "host/worksheet_call.h"
#include "varizav/columns.h"

namespace varizav {
namespace {

using host_calls::RegisteredFunction;

const std::array<double, 15> kNumbers = {2024, 3, 31, 45405, 45405.75, -1, 0, 1, 13, 5784, 1e10, NAN, 2.5, 60, 12};
// Names of every kind the functions read, non-ASCII and unknown ones among them.
const std::array<const char*, 14> kTexts = {"gregorian", "hebrew", "March",       "3",     "Easter",
                                            "Full Moon", "Nisan",  "M\xC3\xA4rz", "Epact", "",
                                            "chinese",   "x",      "2024",        "Monday"};

struct Row {
  std::array<const char*, kMaxArguments> texts{};
  std::array<double, kMaxArguments> numbers{};
};

Row row_of(size_t r) {
  Row row;
  for (size_t a = 0; a < kMaxArguments; ++a) {
    row.texts[a] = kTexts[(r * 5 + a * 3) % kTexts.size()];
    row.numbers[a] = kNumbers[(r * 7 + a * 2) % kNumbers.size()];
  }
  return row;
}

// One direct call in UTF-8 mode: a double's bits, or the text.
std::string direct(const RegisteredFunction& f, const Row& row) {
  std::array<const void*, kMaxArguments> args{};
  for (int32_t a = 0; a < f.argument_count(); ++a) {
    const auto i = static_cast<size_t>(a);
    args[i] = f.type_codes[i + 1] == kTypeText ? static_cast<const void*>(row.texts[i]) : &row.numbers[i];
  }
  std::array<char, VARIZAV_TEXT_SIZE> text{};
  double number = 0;
  host_calls::call(f, f.text_result() ? static_cast<void*>(text.data()) : &number, args.data());
  if (f.text_result()) return text.data();
  return std::string(reinterpret_cast<const char*>(&number), sizeof number);
}

struct ColumnCall {
  std::vector<Row> rows;
  std::array<std::vector<double>, kMaxArguments> numbers;
  std::array<std::vector<const char*>, kMaxArguments> texts;
  std::vector<VarizavColumn> columns;

  // broadcast: argument a holds the value of row 0 alone when bit a is set.
  ColumnCall(const RegisteredFunction& f, size_t count, unsigned broadcast) {
    for (size_t r = 0; r < count; ++r) rows.push_back(row_of(r));
    for (int32_t a = 0; a < f.argument_count(); ++a) {
      const auto i = static_cast<size_t>(a);
      const bool one = ((broadcast >> i) & 1U) != 0;
      if (one) {
        for (Row& row : rows) row.texts[i] = rows[0].texts[i], row.numbers[i] = rows[0].numbers[i];
      }
      for (size_t r = 0; r < (one ? 1 : count); ++r) {
        numbers[i].push_back(rows[r].numbers[i]);
        texts[i].push_back(rows[r].texts[i]);
      }
      const bool text = f.type_codes[i + 1] == kTypeText;
      columns.push_back({text ? nullptr : numbers[i].data(), text ? texts[i].data() : nullptr, one ? 1 : count});
    }
  }

  std::vector<std::string> run(const RegisteredFunction& f, size_t text_capacity) {
    const size_t n = rows.size();
    std::vector<double> out_numbers(n);
    std::vector<size_t> lengths(n);
    std::vector<std::string> out;
    size_t first = 0;
    while (first < n) {
      std::vector<char> storage(text_capacity);
      VarizavResultColumn result{out_numbers.data(), storage.data(), storage.size(), lengths.data()};
      const int64_t done = VarizavCallColumns(f.number, columns.data(), columns.size(), first, n, &result);
      EXPECT_GT(done, static_cast<int64_t>(first)) << f.exported_name;
      if (done <= static_cast<int64_t>(first)) break;
      const char* text = storage.data();
      for (size_t r = first; r < static_cast<size_t>(done); ++r) {
        if (f.text_result()) {
          out.emplace_back(text, lengths[r]);
          EXPECT_EQ(text[lengths[r]], '\0');
          text += lengths[r] + 1;
        } else {
          out.emplace_back(reinterpret_cast<const char*>(&out_numbers[r]), sizeof(double));
        }
      }
      first = static_cast<size_t>(done);
    }
    return out;
  }
};

class ColumnsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    functions_ = host_calls::register_all();
    // Few search passes keep the searches over unknown events short.
    const char* names[] = {"VARIZAV_MAX_LOOP", "VARIZAV_LANGUAGE"};
    const char* values[] = {"64", "en"};
    VarizavConfigure(names, values, 2);
  }
  void TearDown() override {
    const char* names[] = {"VARIZAV_MAX_LOOP", "VARIZAV_LANGUAGE"};
    const char* values[] = {"65536", "de"};
    VarizavConfigure(names, values, 2);
    set_host_text_utf8(false);
  }
  std::vector<RegisteredFunction> functions_;
};

TEST_F(ColumnsTest, EveryFunctionGivesTheDirectCallsResults) {
  constexpr size_t kRows = 24;
  ASSERT_EQ(functions_.size(), 35U);
  for (const RegisteredFunction& f : functions_) {
    ASSERT_NE(f.address, nullptr) << f.exported_name;
    for (const unsigned broadcast : {0U, 1U, 0x3FU}) {
      ColumnCall call(f, kRows, broadcast);
      set_host_text_utf8(true);
      std::vector<std::string> want;
      for (const Row& row : call.rows) want.push_back(direct(f, row));
      // Text storage for a few rows only: the call resumes where it stopped.
      for (const size_t capacity : {size_t{1} << 16, size_t{3 * VARIZAV_TEXT_SIZE}}) {
        for (const bool utf8 : {true, false}) {
          set_host_text_utf8(utf8);
          const std::vector<std::string> got = call.run(f, capacity);
          ASSERT_EQ(got.size(), want.size()) << f.exported_name;
          for (size_t r = 0; r < want.size(); ++r) {
            EXPECT_EQ(got[r], want[r]) << f.exported_name << " row " << r << " utf8 " << utf8;
          }
        }
      }
    }
  }
}

TEST_F(ColumnsTest, TextArgumentsAreCutAtTheHostsBuffer) {
  // 300 bytes of "March" padded with "é": a host passes its first 255 bytes.
  std::string long_text = "March";
  while (long_text.size() < 300) long_text += "\xC3\xA9";
  const std::string cut = long_text.substr(0, VARIZAV_TEXT_SIZE - 1);
  const RegisteredFunction& f = functions_[14];  // SC_gregorian
  ASSERT_EQ(f.exported_name, "SC_gregorian");
  set_host_text_utf8(true);
  double want = 0;
  const double year = 2024;
  const double day = 31;
  SC_gregorian(&want, &year, cut.c_str(), &day);
  for (const bool utf8 : {true, false}) {
    set_host_text_utf8(utf8);
    const char* texts[] = {long_text.c_str()};
    const VarizavColumn columns[] = {{&year, nullptr, 1}, {nullptr, texts, 1}, {&day, nullptr, 1}};
    double got = 1;
    VarizavResultColumn result{&got, nullptr, 0, nullptr};
    ASSERT_EQ(VarizavCallColumns(14, columns, 3, 0, 1, &result), 1);
    EXPECT_EQ(std::memcmp(&got, &want, sizeof got), 0) << got << " " << want;
  }
}

TEST_F(ColumnsTest, CallsThatCannotBeMadeGiveMinusOne) {
  const double year = 2024;
  const char* month[] = {"March"};
  const std::vector<double> days = {1, 2};
  double out[2] = {};
  char storage[VARIZAV_TEXT_SIZE - 1];
  VarizavResultColumn numbers{out, nullptr, 0, nullptr};
  VarizavResultColumn short_texts{nullptr, storage, sizeof storage, nullptr};
  const VarizavColumn good[] = {{&year, nullptr, 1}, {nullptr, month, 1}, {days.data(), nullptr, 2}};
  const VarizavColumn wrong_kind[] = {{&year, nullptr, 1}, {&year, nullptr, 1}, {days.data(), nullptr, 2}};
  const VarizavColumn wrong_length[] = {{&year, nullptr, 1}, {nullptr, month, 1}, {days.data(), nullptr, 3}};
  const VarizavColumn calendar[] = {{nullptr, month, 1}, {&year, nullptr, 1}, {&year, nullptr, 1}};
  struct Case {
    unsigned short function;
    const VarizavColumn* columns;
    size_t count;
    VarizavResultColumn* result;
    int64_t want;
  };
  const Case cases[] = {
      {14, good, 3, &numbers, 2},        {35, good, 3, &numbers, -1},         {14, good, 2, &numbers, -1},
      {14, wrong_kind, 3, &numbers, -1}, {14, wrong_length, 3, &numbers, -1}, {14, good, 3, nullptr, -1},
      {4, calendar, 3, &numbers, -1},    {4, calendar, 3, &short_texts, 0},  // storage below one host buffer: no row
                                                                             // done
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VarizavCallColumns(c.function, c.columns, c.count, 0, 2, c.result), c.want) << c.function;
  }
}

}  // namespace
}  // namespace varizav
