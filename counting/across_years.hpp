#pragma once

#include <cstdint>
#include <limits>

#include "calendar/date.hpp"
#include "calendar/leap_rule.hpp"
#include "calendar/month_lengths.hpp"
#include "counting/count_reports.hpp"
#include "counting/within_year.hpp"

// Counting two dates in different years, the second year after the first: the rest of the
// first month and year, each whole year between, the months of the last year before the
// second month, and the second day. Each month is counted with the length it has in its
// own year; nothing is kept between the steps but the running total.
namespace tage {

// The days from the first date to the end of its year: the rest of its month and the
// months after it that name months (none for a first month of 12 or more, all twelve for
// 0 or less). Range [kSmallestRestOfFirstMonth, kLargestRestOfFirstMonth + 366].
template <AcrossYearsReport Report>
constexpr std::int64_t rest_of_first_year(const Date& first, Report& report) {
  std::int64_t total = rest_of_first_month(first);
  report.rest_of_first_month(total);
  total += days_in_months(month_index(first.month) + 1, kDecemberIndex, first.year);
  report.rest_of_first_year(total);
  return total;
}

// The days of the last year before the second date: the months before the second month
// that name months (none for a month of 1 or less, all twelve for 13 or more) and the
// second day. Range [-2^31, 366 + 2^31 - 1].
constexpr std::int64_t last_year_part(const Date& second) noexcept {
  return days_in_months(kJanuaryIndex, month_index(second.month) - 1, second.year) +
         static_cast<std::int64_t>(second.day);
}

// The extremes of an across-years total: the rest of the first year, at most 2^32 - 2
// whole years of at most 366 days, and the last year's part. Exact in 64 bits.
inline constexpr std::int64_t kMostWholeYears =
    std::int64_t{std::numeric_limits<std::int32_t>::max()} -
    std::numeric_limits<std::int32_t>::min() - 1;
inline constexpr std::int64_t kLargestAcrossYearsTotal =
    kLargestRestOfFirstMonth + kYearDaysLeap + kMostWholeYears * kYearDaysLeap + kYearDaysLeap +
    std::numeric_limits<std::int32_t>::max();
static_assert(kLargestAcrossYearsTotal < std::int64_t{1} << 41);
static_assert(kSmallestRestOfFirstMonth + std::numeric_limits<std::int32_t>::min() >
              -(std::int64_t{1} << 41));

// Second year directly after the first. Reports the two rests and the two-year total.
template <AcrossYearsReport Report>
constexpr std::int64_t count_next_year(const DatePair& dates, Report& report) {
  std::int64_t total = rest_of_first_year(dates.first, report);
  total += last_year_part(dates.second);
  report.two_year_total(total);
  return total;
}

// The whole years strictly between the two years: second year at least two after the
// first, as the dialogue calls it. Reports the two rests, then each year between with the
// total at its end, in constant memory. Defined for every pair of dates: with no year
// between (the second year not at least two after the first) it reports no whole year and
// gives the rest of the first year plus the last year's part, as count_next_year does.
template <AcrossYearsReport Report>
constexpr std::int64_t count_distant_years(const DatePair& dates, Report& report) {
  std::int64_t total = rest_of_first_year(dates.first, report);
  report.whole_years_begin();
  if (dates.first.year < dates.second.year) {
    // first.year < second.year <= INT32_MAX, so first.year + 1 cannot overflow, and
    // year < second.year keeps ++year within range.
    for (std::int32_t year = dates.first.year + 1; year < dates.second.year; ++year) {
      total += year_length(year);
      report.whole_year(year, total);
    }
  }
  return total + last_year_part(dates.second);
}

}  // namespace tage
