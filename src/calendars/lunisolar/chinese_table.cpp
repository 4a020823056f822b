#include "calendars/lunisolar/chinese_table.h"

#include <array>
#include <cstddef>

#include "astro/time_scales.h"

namespace varizav {
namespace {

constexpr std::array<ChineseTableYear, kChineseTableLastYear - kChineseTableFirstYear + 1> kYears = {{
#include "calendars/lunisolar/chinese_years.inc"
}};
static_assert(sizeof kYears <= 64 * 1024);

}  // namespace

const ChineseTableYear* chinese_table_year(int32_t year) noexcept {
  if (year < kChineseTableFirstYear || year > kChineseTableLastYear || delta_t_override() != 0.0) return nullptr;
  return &kYears[static_cast<std::size_t>(year - kChineseTableFirstYear)];
}

}  // namespace varizav
