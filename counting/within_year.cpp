#include "counting/within_year.hpp"

#include "dialogue/report_lines.hpp"

namespace tage {

std::int64_t rest_of_first_month(const Date& first, const MonthTable& months) {
  return months.length_at(month_index(first.month)) - static_cast<std::int64_t>(first.day);
}

std::int64_t count_adjacent_months(const DatePair& dates, const MonthTable& months,
                                   LineWriter& out) {
  const std::int64_t total = rest_of_first_month(dates.first, months);
  out.write(lines::month_end_rest(total));
  return total + dates.second.day;
}

std::int64_t count_distant_months(const DatePair& dates, const MonthTable& months,
                                  LineWriter& out) {
  std::int64_t total = rest_of_first_month(dates.first, months);
  out.write(lines::month_end_rest(total));
  // The months after the first month up to the one before the second month.
  const IndexRange between = MonthTable::indexes_within(month_index(dates.first.month) + 1,
                                                        month_index(dates.second.month) - 1);
  for (int index = between.first; index <= between.last; ++index) {
    const std::int32_t length = months.length_at(index);
    total += length;
    out.write(lines::month_step(index, length));
    out.write(lines::interim(total));
    out.write(lines::blank());
  }
  out.write(lines::month_end_total(total));
  return total + dates.second.day;
}

}  // namespace tage
