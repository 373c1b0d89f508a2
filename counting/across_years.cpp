#include "counting/across_years.hpp"

#include "calendar/leap_rule.hpp"
#include "counting/within_year.hpp"
#include "dialogue/report_lines.hpp"

namespace tage {
namespace {

// The rest of the first month, then of the first year (the months after the first month,
// inside the table), each with its line.
std::int64_t rest_of_first_year(const Date& first, const MonthTable& months, LineWriter& out) {
  std::int64_t total = rest_of_first_month(first, months);
  out.write(lines::first_month_rest(total));
  total += months.sum_of_lengths(month_index(first.month) + 1, MonthTable::kLastIndex);
  out.write(lines::first_year_rest(total));
  return total;
}

// The months of the last year before the second month (indexes 0 up to the second
// month's index minus 1, inside the table: none for a month of 1 or less, all twelve for
// 13 or more) with February set for that year, plus the second day.
std::int64_t last_year_part(const Date& second, MonthTable& months) {
  months.set_february(second.year);
  return months.sum_of_lengths(MonthTable::kFirstIndex, month_index(second.month) - 1) + second.day;
}

}  // namespace

std::int64_t count_next_year(const DatePair& dates, MonthTable& months, LineWriter& out) {
  const std::int64_t total =
      rest_of_first_year(dates.first, months, out) + last_year_part(dates.second, months);
  out.write(lines::two_year_total(total));
  return total;
}

std::int64_t count_distant_years(const DatePair& dates, MonthTable& months, LineWriter& out) {
  std::int64_t total = rest_of_first_year(dates.first, months, out);
  out.write(lines::blank());
  // first.year <= second.year - 2, so first.year + 1 cannot overflow, and year < second.year
  // keeps ++year within range.
  lines::WholeYearLines year_lines;
  for (std::int32_t year = dates.first.year + 1; year < dates.second.year; ++year) {
    total += year_length(year);
    out.write(year_lines.next(year, total));
  }
  return total + last_year_part(dates.second, months);
}

}  // namespace tage
