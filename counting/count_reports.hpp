#pragma once

#include <concepts>
#include <cstdint>

// What the counts tell as they go. The counting code computes and hands each step to a
// report; what a step looks like to the user is the report's business. A report is a
// template argument of the counts rather than a virtual interface: the counts call it
// directly, and it needs no common base.
//
// Every total is the running total after the step, exact in 64 bits.
namespace tage {

// The steps of a count within one year.
template <typename Report>
concept WithinYearReport = requires(Report& report, std::int64_t total, int index,
                                    std::int32_t length) {
  // The days from the first date to the end of its month.
  { report.rest_of_first_month(total) } -> std::same_as<void>;
  // One month of the walk between the two months: its index (0 = January) and length.
  { report.month_added(index, length, total) } -> std::same_as<void>;
  // The walk is done: the total at the end of the month before the second month.
  { report.months_between_added(total) } -> std::same_as<void>;
};

// The steps of a count across years.
template <typename Report>
concept AcrossYearsReport = requires(Report& report, std::int64_t total, std::int32_t year) {
  // The days from the first date to the end of its month, then to the end of its year.
  { report.rest_of_first_month(total) } -> std::same_as<void>;
  { report.rest_of_first_year(total) } -> std::same_as<void>;
  // The whole years between the two years follow, one whole_year() each.
  { report.whole_years_begin() } -> std::same_as<void>;
  { report.whole_year(year, total) } -> std::same_as<void>;
  // The count from the first date to the second in the year after it.
  { report.two_year_total(total) } -> std::same_as<void>;
};

}  // namespace tage
