#pragma once

#include <cstdint>

#include "calendar/date.hpp"

namespace tage {

// How a pair of dates is counted. The days play no part in the choice.
enum class CountingCase {
  same_month,       // same year and month: second day minus first day, at least 0
  reversed_months,  // same year, second month before the first: nothing counted
  distant_months,   // same year, second month two or more after the first
  adjacent_months,  // same year, second month directly after the first
  next_year,        // second year directly after the first
  distant_years,    // second year two or more after the first
  earlier_year,     // second year before the first: nothing counted
};

// Tests the rows in order; the first that holds chooses the case. The tests are made in
// 64 bits, so that "minus one" cannot overflow at the ends of the 32-bit range and every
// pair of 32-bit years and months picks the case its true values call for.
constexpr CountingCase choose_case(const DatePair& dates) noexcept {
  const std::int64_t first_year = dates.first.year;
  const std::int64_t second_year = dates.second.year;
  const std::int64_t first_month = dates.first.month;
  const std::int64_t second_month = dates.second.month;
  if (first_year == second_year) {
    if (first_month == second_month) return CountingCase::same_month;
    if (second_month < first_month) return CountingCase::reversed_months;
    if (second_month - 1 != first_month) return CountingCase::distant_months;
    return CountingCase::adjacent_months;
  }
  if (second_year - 1 == first_year) return CountingCase::next_year;
  if (second_year - 1 > first_year) return CountingCase::distant_years;
  return CountingCase::earlier_year;
}

}  // namespace tage
