#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "calendar/leap_rule.hpp"
#include "calendar/month_lengths.hpp"

namespace tage {
namespace {

constexpr std::int32_t kMinInt = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMaxInt = std::numeric_limits<std::int32_t>::max();

struct LeapCase {
  std::int32_t year;
  std::int32_t february;
  std::int32_t days;
};

TEST(LeapRule, Table) {
  const LeapCase cases[] = {
      {1900, 28, 365},
      {2000, 29, 366},
      {2004, 29, 366},
      {2100, 28, 365},
      {1600, 28, 365},
      {2400, 28, 365},
      {1000, 29, 366},
      {3000, 29, 366},
      {2021, 28, 365},
      {0, 29, 366},
      {-4, 29, 366},
      {-100, 28, 365},
      {-1000, 29, 366},
      {-1, 28, 365},
      // 2^31 is divisible by 4 but not by 100; 2^31 - 1 is odd.
      {kMinInt, 29, 366},
      {kMaxInt, 28, 365},
      {2147483644, 29, 366},
      {-2147483000, 29, 366},
  };
  for (const LeapCase& c : cases) {
    EXPECT_EQ(february_length(c.year), c.february) << c.year;
    EXPECT_EQ(year_length(c.year), c.days) << c.year;
  }
}

TEST(MonthLengths, FebruaryFollowsTheYearAndIndexesOutsideTheYearHaveNoLength) {
  const std::int32_t lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int index = 0; index < kMonthsPerYear; ++index) {
    EXPECT_EQ(month_length(index, 2021), lengths[index]) << index;
  }
  EXPECT_EQ(month_length(kFebruaryIndex, 2020), 29);
  EXPECT_EQ(month_length(kFebruaryIndex, 1600), 28);
  for (const std::int64_t index : {std::int64_t{-1}, std::int64_t{12}, month_index(kMinInt),
                                   std::int64_t{kMaxInt}, std::int64_t{kMinInt}}) {
    EXPECT_EQ(month_length(index, 2020), 0) << index;
  }
}

struct RangeCase {
  std::int64_t first;
  std::int64_t last;
  std::int32_t days;  // in 2021, February 28
};

TEST(MonthLengths, SumsCoverOnlyTheIndexesThatNameMonths) {
  const RangeCase cases[] = {
      {0, 11, 365},
      {2, 4, 92},
      {-5, 1, 59},
      {11, 20, 31},
      {12, 12, 0},
      {5, 4, 0},
      {month_index(kMinInt), month_index(kMaxInt), 365},
      {month_index(kMaxInt), month_index(kMinInt), 0},
      {month_index(kMinInt), -1, 0},
  };
  for (const RangeCase& c : cases) {
    EXPECT_EQ(days_in_months(c.first, c.last, 2021), c.days) << c.first << ".." << c.last;
  }
}

}  // namespace
}  // namespace tage
