#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "dialogue/console/line_writer.hpp"
#include "dialogue/date_dialogue.hpp"

namespace tage {
namespace {

constexpr std::int32_t kMinInt = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMaxInt = std::numeric_limits<std::int32_t>::max();

class RecordingWriter final : public LineWriter {
 public:
  void write(const Line& line) override { lines.emplace_back(line.text()); }
  std::vector<std::string> lines;
};

class CountingWriter final : public LineWriter {
 public:
  void write(const Line&) override { ++count; }
  std::int64_t count = 0;
};

std::int64_t count(const DatePair& dates, LineWriter& out) {
  return count_days(dates, out).total;
}

std::int64_t count_lines_starting(const std::vector<std::string>& lines, const std::string& start) {
  std::int64_t n = 0;
  for (const std::string& line : lines) n += line.rfind(start, 0) == 0 ? 1 : 0;
  return n;
}

// The month walk makes a pass only for months inside the table, at most twelve.
struct WalkCase {
  DatePair dates;
  std::int64_t steps;
  std::int64_t total;
};

TEST(MonthWalk, VisitsOnlyMonthsInsideTheTable) {
  const WalkCase cases[] = {
      {{{1, 3, 2020}, {5, 6, 2020}}, 2, 96},
      {{{1, 1, 2020}, {1, kMaxInt, 2020}}, 11, 30 + 335 + 1},
      {{{1, kMinInt, 2020}, {1, kMaxInt, 2020}}, 12, -1 + 366 + 1},
      {{{1, 12, 2020}, {1, 14, 2020}}, 0, 30 + 1},
      {{{5, 0, 2020}, {3, 3, 2020}}, 2, -5 + 31 + 29 + 3},
      {{{1, -7, 2020}, {1, 1, 2020}}, 0, -1 + 1},
      {{{kMinInt, 1, 2020}, {kMaxInt, 12, 2020}}, 10, 31 + 2147483648LL + 335 - 31 + kMaxInt},
  };
  for (const WalkCase& c : cases) {
    RecordingWriter out;
    EXPECT_EQ(count(c.dates, out), c.total) << c.dates.first.month << " " << c.dates.second.month;
    EXPECT_EQ(count_lines_starting(out.lines, "im Monat["), c.steps) << c.dates.first.month;
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
    RecordingWriter out;
    EXPECT_EQ(count({{1, 12, 2021}, {0, c.second_month, 2022}}, out), c.total) << c.second_month;
  }
}

TEST(WholeYears, TotalsBeyondThirtyTwoBitsAreExact) {
  // Six million years from 1. 1. 1: the leap years among 1..n number n/4 - n/100 + n/1000.
  constexpr std::int64_t kYears = 6'000'000;
  constexpr std::int64_t kLeapYears = kYears / 4 - kYears / 100 + kYears / 1000;
  CountingWriter out;
  const DatePair dates{{1, 1, 1}, {1, 1, static_cast<std::int32_t>(kYears + 1)}};
  EXPECT_EQ(count(dates, out), kYears * 365 + kLeapYears);
  EXPECT_EQ(out.count, 2 + 1 + (kYears - 1));
}

TEST(WholeYears, TheEndsOfTheYearRangeNeitherOverflowNorPickTheWrongCase) {
  RecordingWriter out;
  EXPECT_EQ(count({{1, 1, kMaxInt - 1}, {1, 1, kMaxInt}}, out), 365);
  EXPECT_EQ(count({{1, 1, kMaxInt}, {1, 1, kMinInt}}, out), 0);
  RecordingWriter near_end;
  EXPECT_EQ(count({{1, 1, kMaxInt - 2}, {1, 1, kMaxInt}}, near_end), 364 + 365 + 1);
  EXPECT_EQ(near_end.lines.at(3), "Inklusive 2147483646 sind es 729 Tage.\n");
}

// Every count between 1601 and 2399, where the program's leap rule is the Gregorian one,
// must equal the difference of the two days in the civil calendar (0 when the second date
// comes first).
TEST(AgainstTheCivilCalendar, RandomDatePairsFrom1601To2399) {
  using namespace std::chrono;
  std::mt19937 random(20201);
  std::uniform_int_distribution<int> year_of(1601, 2399);
  std::uniform_int_distribution<int> month_of(1, 12);
  std::uniform_int_distribution<int> span_of(0, 3);
  CountingWriter out;
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
    ASSERT_EQ(count(dates, out), difference > 0 ? difference : 0)
        << dates.first.day << "." << dates.first.month << "." << dates.first.year << " to "
        << dates.second.day << "." << dates.second.month << "." << dates.second.year;
  }
}

}  // namespace
}  // namespace tage
