#include "dialogue/report_lines.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>

#include "dialogue/whole_year_lines.hpp"

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

// The whole-year lines rewrite digits in place where they can; every line must still be
// the one built anew, across carries, growing and shrinking widths, signs and jumps.
TEST(ReportLines, WholeYearLinesEqualTheLinesBuiltAnew) {
  struct Walk {
    std::int32_t year;
    std::int64_t total;
    std::int32_t years;
    std::int64_t step;
  };
  const Walk walks[] = {
      {990, 0, 30, 365},            // totals through 999 to 1000, years to 1019
      {9990, 99'000, 20, 366},      // a year of five digits, a total of six
      {-105, -1'500, 20, 365},      // negative years and totals through zero
      {1000, 999'999'635, 3, 365},  // a total of ten digits
      {2147483640, 5, 7, 999},      // the largest steps made in place, to the last year
      {100, 100, 5, 1000},          // a step too large for the last three digits
      {5, 99, 10, 1},               // numbers below 100 and up to it
      {101, 146, 9, 365},           // both numbers of three digits from the start
      {100, 19'800, 3, 365},        // a carry through a 9 above the last three digits
  };
  for (const Walk& walk : walks) {
    WholeYearLines year_lines;
    std::int64_t total = walk.total;
    for (std::int32_t i = 0; i < walk.years; ++i, total += walk.step) {
      const std::int32_t year = walk.year + i;
      ASSERT_EQ(text(year_lines.next(year, total)), text(lines::whole_year(year, total)))
          << year << " " << total;
    }
  }
  // Out of order: a year repeated, going back, totals that fall and jump.
  WholeYearLines year_lines;
  const std::pair<std::int32_t, std::int64_t> pairs[] = {
      {2000, 5000},
      {2000, 5365},
      {1999, 5730},
      {2001, 5100},
      {2002, 99'999},
      {2003, 100'364},
      // From the largest total to the smallest and back: no difference may overflow.
      {2004, std::numeric_limits<std::int64_t>::max()},
      {2005, std::numeric_limits<std::int64_t>::min()},
      {2006, std::numeric_limits<std::int64_t>::max()}};
  for (const auto& [year, total] : pairs) {
    ASSERT_EQ(text(year_lines.next(year, total)), text(lines::whole_year(year, total)))
        << year << " " << total;
  }
}

}  // namespace
}  // namespace tage
