#include "dialogue/report_lines.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace tage {
namespace {

std::string text(const Line& line) {
  return std::string(line.text());
}

TEST(ReportLines, NumbersInPlainDecimalWithTheirSign) {
  EXPECT_EQ(text(lines::month_end_rest(-9)),
            "Es sind -9 Tage bis zum ersten Monatsende vergangen.\n");
  EXPECT_EQ(text(lines::interim(0)), "Zwischenstand: 0\n");
  EXPECT_EQ(text(lines::two_year_total(std::numeric_limits<std::int64_t>::max())),
            "Es gibt 9223372036854775807 Tage\n");
  EXPECT_EQ(text(lines::first_year_rest(std::numeric_limits<std::int64_t>::min())),
            "Es gibt -9223372036854775808 Resttage im ersten Jahr\n");
  EXPECT_EQ(text(lines::blank()), "\n");
}

TEST(ReportLines, TheLongestSummaryFitsWhole) {
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  const DatePair dates{{kMin, kMin, kMin}, {kMin, kMin, kMin}};
  EXPECT_EQ(text(lines::summary(dates, std::numeric_limits<std::int64_t>::min())),
            "Vom -2147483648. -2147483648. -2147483648 bis -2147483648. -2147483648. "
            "-2147483648 sind -9223372036854775808 Tage vergangen.\n");
}

}  // namespace
}  // namespace tage
