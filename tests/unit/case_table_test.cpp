#include "dialogue/case_table.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <limits>
#include <random>

#include "counting/within_year.hpp"
#include "dialogue/date_dialogue.hpp"
#include "support/memory_io.hpp"

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

// Every count between 1601 and 2399, where the program's leap rule is the Gregorian one,
// must equal the difference of the two days in the civil calendar (0 when the second date
// comes first), made by the dialogue's own choice of case; the cases whose progress ends
// in a summary of its own (later months of one year, the next year) close with two.
TEST(AgainstTheCivilCalendar, RandomDatePairsFrom1601To2399) {
  using namespace std::chrono;
  std::mt19937 random(20201);
  std::uniform_int_distribution<int> year_of(1601, 2399);
  std::uniform_int_distribution<int> month_of(1, 12);
  std::uniform_int_distribution<int> span_of(0, 3);
  for (int i = 0; i < 20000; ++i) {
    const auto pick = [&](int year) {
      const year_month_day_last last{
          std::chrono::year{year}, month_day_last{month{static_cast<unsigned>(month_of(random))}}};
      std::uniform_int_distribution<unsigned> day_of(1, static_cast<unsigned>(last.day()));
      return year_month_day{last.year(), last.month(), day{day_of(random)}};
    };
    const int first_year = year_of(random);
    // Mostly near pairs, so that every case comes up often, and some far ones.
    const int second_year =
        span_of(random) == 0 ? year_of(random) : std::min(2399, first_year + span_of(random));
    const year_month_day first = pick(first_year);
    const year_month_day second = pick(second_year);
    const DatePair dates{{static_cast<std::int32_t>(static_cast<unsigned>(first.day())),
                          static_cast<std::int32_t>(static_cast<unsigned>(first.month())),
                          static_cast<std::int32_t>(static_cast<int>(first.year()))},
                         {static_cast<std::int32_t>(static_cast<unsigned>(second.day())),
                          static_cast<std::int32_t>(static_cast<unsigned>(second.month())),
                          static_cast<std::int32_t>(static_cast<int>(second.year()))}};
    const std::int64_t difference = (sys_days{second} - sys_days{first}).count();
    const bool own_summary = (first_year == second_year && second.month() > first.month()) ||
                             second_year == first_year + 1;
    MemoryWriter out;
    const Count count = count_days(dates, out);
    ASSERT_EQ(count.total, difference > 0 ? difference : 0)
        << dates.first.day << "." << dates.first.month << "." << dates.first.year << " to "
        << dates.second.day << "." << dates.second.month << "." << dates.second.year;
    ASSERT_EQ(count.summaries, own_summary ? 2 : 1)
        << dates.first.month << "." << dates.first.year << " to " << dates.second.month << "."
        << dates.second.year;
  }
}

}  // namespace
}  // namespace tage
