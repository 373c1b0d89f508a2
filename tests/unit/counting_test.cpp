#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "calendar/date.hpp"
#include "counting/across_years.hpp"
#include "counting/within_year.hpp"
#include "support/counting_events.hpp"

namespace tage {
namespace {

constexpr std::int32_t kMinInt = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMaxInt = std::numeric_limits<std::int32_t>::max();
using Kind = CountEvent::Kind;

std::int64_t steps_of(const RecordingReport& report, Kind kind) {
  std::int64_t n = 0;
  for (const CountEvent& event : report.events) n += event.kind == kind ? 1 : 0;
  return n;
}

TEST(MonthWalk, ReportsEachMonthBetweenWithTheTotalAfterIt) {
  RecordingReport report;
  EXPECT_EQ(count_distant_months({{1, 3, 2020}, {5, 6, 2020}}, report), 96);
  const std::vector<CountEvent> expected = {{Kind::rest_of_first_month, 30},
                                            {Kind::month_added, 60, 3, 30},
                                            {Kind::month_added, 91, 4, 31},
                                            {Kind::months_between_added, 91}};
  EXPECT_EQ(report.events, expected);
}

// The month walk makes a step only for months inside the table, at most twelve.
TEST(MonthWalk, VisitsOnlyMonthsInsideTheTable) {
  struct Case {
    DatePair dates;
    std::int64_t steps;
    std::int64_t total;
  };
  const Case cases[] = {
      {{{1, 1, 2020}, {1, kMaxInt, 2020}}, 11, 30 + 335 + 1},
      {{{1, kMinInt, 2020}, {1, kMaxInt, 2020}}, 12, -1 + 366 + 1},
      {{{1, 12, 2020}, {1, 14, 2020}}, 0, 30 + 1},
      {{{5, 0, 2020}, {3, 3, 2020}}, 2, -5 + 31 + 29 + 3},
      {{{1, -7, 2020}, {1, 1, 2020}}, 0, -1 + 1},
      {{{kMinInt, 1, 2020}, {kMaxInt, 12, 2020}}, 10, 31 + 2147483648LL + 335 - 31 + kMaxInt},
  };
  for (const Case& c : cases) {
    RecordingReport report;
    EXPECT_EQ(count_distant_months(c.dates, report), c.total) << c.dates.first.month;
    EXPECT_EQ(steps_of(report, Kind::month_added), c.steps) << c.dates.first.month;
  }
}

TEST(LastYearMonths, ThirteenAddsTheWholeYearAndMoreAddsNothingMore) {
  struct Case {
    std::int32_t second_month;
    std::int64_t total;
  };
  // From 1. 12. 2021 (30 days left in December, none after) to day 0 of the month in 2022.
  const Case cases[] = {{1, 30}, {3, 30 + 59}, {13, 30 + 365}, {14, 30 + 365}, {kMaxInt, 30 + 365},
                        {0, 30}, {kMinInt, 30}};
  for (const Case& c : cases) {
    RecordingReport report;
    EXPECT_EQ(count_next_year({{1, 12, 2021}, {0, c.second_month, 2022}}, report), c.total)
        << c.second_month;
    EXPECT_EQ(report.events.back(), (CountEvent{Kind::two_year_total, c.total}));
  }
}

// Only counts the whole years, which a long span makes millions of.
struct WholeYearCounter {
  void rest_of_first_month(std::int64_t) {}
  void rest_of_first_year(std::int64_t) {}
  void whole_years_begin() {}
  void whole_year(std::int32_t, std::int64_t) { ++years; }
  void two_year_total(std::int64_t) {}
  std::int64_t years = 0;
};

TEST(WholeYears, TotalsBeyondThirtyTwoBitsAreExact) {
  // Six million years from 1. 1. 1: the leap years among 1..n number n/4 - n/100 + n/1000.
  constexpr std::int64_t kYears = 6'000'000;
  constexpr std::int64_t kLeapYears = kYears / 4 - kYears / 100 + kYears / 1000;
  WholeYearCounter report;
  const DatePair dates{{1, 1, 1}, {1, 1, static_cast<std::int32_t>(kYears + 1)}};
  EXPECT_EQ(count_distant_years(dates, report), kYears * 365 + kLeapYears);
  EXPECT_EQ(report.years, kYears - 1);
}

// Both counts across years are defined for every pair of years, the ends of the 32-bit
// range and pairs the dialogue never hands them included: with no year between, no whole
// year is reported. 2147483647 is a common year, -2147483648 a leap year.
TEST(WholeYears, EveryPairOfYearsIsCountedWithoutOverflow) {
  struct Case {
    std::int32_t first_year;
    std::int32_t second_year;
    std::int64_t total;  // from 1. 1. of the first year to 1. 1. of the second
    std::vector<std::pair<std::int32_t, std::int64_t>> whole_years;  // year, total after it
  };
  const Case cases[] = {
      {kMaxInt, kMaxInt, 365, {}},
      {kMinInt, kMinInt, 366, {}},
      {kMaxInt, kMinInt, 365, {}},
      {kMinInt, kMinInt + 1, 366, {}},
      {kMaxInt - 1, kMaxInt, 365, {}},
      {kMaxInt - 2, kMaxInt, 364 + 365 + 1, {{kMaxInt - 1, 364 + 365}}},
      {kMinInt, kMinInt + 2, 365 + 365 + 1, {{kMinInt + 1, 365 + 365}}},
      {2020, 2020, 366, {}},
      {2021, 2019, 365, {}},
  };
  for (const Case& c : cases) {
    const DatePair dates{{1, 1, c.first_year}, {1, 1, c.second_year}};
    RecordingReport distant;
    EXPECT_EQ(count_distant_years(dates, distant), c.total) << c.first_year << " " << c.second_year;
    std::vector<std::pair<std::int32_t, std::int64_t>> years;
    for (const CountEvent& event : distant.events) {
      if (event.kind == Kind::whole_year) {
        years.emplace_back(static_cast<std::int32_t>(event.what), event.total);
      }
    }
    EXPECT_EQ(years, c.whole_years) << c.first_year << " " << c.second_year;
    if (c.whole_years.empty()) {
      RecordingReport next;
      EXPECT_EQ(count_next_year(dates, next), c.total) << c.first_year << " " << c.second_year;
    }
  }
}

}  // namespace
}  // namespace tage
