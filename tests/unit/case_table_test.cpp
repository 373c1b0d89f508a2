#include "dialogue/case_table.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "counting/within_year.hpp"

namespace tage {
namespace {

constexpr std::int32_t kMinInt = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMaxInt = std::numeric_limits<std::int32_t>::max();

struct CaseRow {
  std::int32_t first_month;
  std::int32_t first_year;
  std::int32_t second_month;
  std::int32_t second_year;
  CountingCase expected;
};

TEST(CaseTable, RowsInOrderIncludingTheEndsOfTheRange) {
  const CaseRow rows[] = {
      {3, 2020, 3, 2020, CountingCase::same_month},
      {5, 2020, 2, 2020, CountingCase::reversed_months},
      {3, 2020, 6, 2020, CountingCase::distant_months},
      {3, 2020, 4, 2020, CountingCase::adjacent_months},
      {12, 2020, 1, 2021, CountingCase::next_year},
      {6, 1999, 2, 2003, CountingCase::distant_years},
      {5, 2005, 1, 2003, CountingCase::earlier_year},
      {1, 2020, 1, 2020 + 2, CountingCase::distant_years},
      // Months at the ends of the range: "minus one" must not wrap.
      {kMaxInt, 0, kMinInt, 0, CountingCase::reversed_months},
      {kMinInt, 0, kMaxInt, 0, CountingCase::distant_months},
      {kMaxInt - 1, 0, kMaxInt, 0, CountingCase::adjacent_months},
      {kMinInt, 0, kMinInt + 1, 0, CountingCase::adjacent_months},
      // Years at the ends of the range.
      {1, kMaxInt - 1, 1, kMaxInt, CountingCase::next_year},
      {1, kMaxInt, 1, kMinInt, CountingCase::earlier_year},
      {1, kMinInt, 1, kMaxInt, CountingCase::distant_years},
      {1, kMinInt, 1, kMinInt + 1, CountingCase::next_year},
      {1, kMaxInt, 1, kMaxInt - 1, CountingCase::earlier_year},
  };
  for (const CaseRow& row : rows) {
    const DatePair dates{{1, row.first_month, row.first_year},
                         {1, row.second_month, row.second_year}};
    EXPECT_EQ(choose_case(dates), row.expected)
        << row.first_month << "/" << row.first_year << " to " << row.second_month << "/"
        << row.second_year;
  }
}

TEST(SameMonthTotal, IsTheDifferenceOrZero) {
  EXPECT_EQ(same_month_total(3, 17), 14);
  EXPECT_EQ(same_month_total(17, 3), 0);
  EXPECT_EQ(same_month_total(5, 5), 0);
  EXPECT_EQ(same_month_total(kMinInt, kMaxInt), 4294967295);
  EXPECT_EQ(same_month_total(kMaxInt, kMinInt), 0);
}

}  // namespace
}  // namespace tage
