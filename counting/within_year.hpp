#pragma once

#include <cstdint>
#include <limits>

#include "calendar/date.hpp"
#include "calendar/month_lengths.hpp"
#include "counting/count_reports.hpp"

// Counting two dates of one year. Each count returns the total and reports its steps; the
// summary that follows them is the dialogue's to write. All of it is pure arithmetic on
// the dates as entered, exact in 64 bits for every 32-bit input.
namespace tage {

// The same-month count in closed form: second day minus first day when that is positive,
// else 0. Range 0 to 2^32 - 1.
constexpr std::int64_t same_month_total(std::int32_t first_day, std::int32_t second_day) noexcept {
  const std::int64_t difference = static_cast<std::int64_t>(second_day) - first_day;
  return difference > 0 ? difference : 0;
}

// Days from the first date to the end of its month: that month's length in the first
// year minus the first day. A first month outside 1..12 has length 0, so the rest is minus
// the first day. Range [kSmallestRestOfFirstMonth, kLargestRestOfFirstMonth].
constexpr std::int64_t rest_of_first_month(const Date& first) noexcept {
  return month_length(month_index(first.month), first.year) - static_cast<std::int64_t>(first.day);
}

// A month of length 0 less the largest day, and the longest month less the smallest day.
inline constexpr std::int64_t kSmallestRestOfFirstMonth =
    std::int64_t{0} - std::numeric_limits<std::int32_t>::max();
inline constexpr std::int64_t kLargestRestOfFirstMonth =
    std::int64_t{kLongestMonth} - std::numeric_limits<std::int32_t>::min();
static_assert(kSmallestRestOfFirstMonth == -2147483647);
static_assert(kLargestRestOfFirstMonth == 2147483679);
static_assert(rest_of_first_month({std::numeric_limits<std::int32_t>::max(), 0, 0}) ==
              kSmallestRestOfFirstMonth);
static_assert(rest_of_first_month({std::numeric_limits<std::int32_t>::min(), 1, 0}) ==
              kLargestRestOfFirstMonth);

// The extremes of a within-year total: the rest of the first month, the months between
// (0 to 366 days) and the second day. Both lie well inside 64 bits: |total| < 2^33.
inline constexpr std::int64_t kLargestWithinYearTotal =
    kLargestRestOfFirstMonth + kYearDaysLeap + std::numeric_limits<std::int32_t>::max();
inline constexpr std::int64_t kSmallestWithinYearTotal =
    kSmallestRestOfFirstMonth + std::numeric_limits<std::int32_t>::min();
static_assert(kLargestWithinYearTotal < std::int64_t{1} << 33);
static_assert(kSmallestWithinYearTotal > -(std::int64_t{1} << 33));

// Second month directly after the first: the rest of the first month, then the second
// day. Reports only the rest of the first month.
template <WithinYearReport Report>
constexpr std::int64_t count_adjacent_months(const DatePair& dates, Report& report) {
  const std::int64_t total = rest_of_first_month(dates.first);
  report.rest_of_first_month(total);
  return total + dates.second.day;
}

// Second month at least two after the first: the rest of the first month, each month
// strictly between the two that names a month (so at most 12 steps whatever the months
// are), then the second day.
template <WithinYearReport Report>
constexpr std::int64_t count_distant_months(const DatePair& dates, Report& report) {
  std::int64_t total = rest_of_first_month(dates.first);
  report.rest_of_first_month(total);
  const IndexRange between =
      month_indexes_within(month_index(dates.first.month) + 1, month_index(dates.second.month) - 1);
  for (int index = between.first; index <= between.last; ++index) {
    const std::int32_t length = month_length(index, dates.first.year);
    total += length;
    report.month_added(index, length, total);
  }
  report.months_between_added(total);
  return total + dates.second.day;
}

}  // namespace tage
