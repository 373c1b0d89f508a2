#pragma once

#include <cstdint>

namespace tage {

inline constexpr std::int32_t kFebruaryDaysCommon = 28;
inline constexpr std::int32_t kFebruaryDaysLeap = 29;
inline constexpr std::int32_t kYearDaysCommon = 365;
inline constexpr std::int32_t kYearDaysLeap = 366;

// The program's leap rule: three tests, each later one overriding the earlier result.
// A year divisible by 4 is a leap year, one divisible by 100 is common, one divisible by
// 1000 is a leap year again. (1000, not 400: 1600 and 2400 are common years here, 1000 and
// 3000 leap years; from 1601 through 2399 the rule agrees with the Gregorian calendar.)
//
// Defined for every 32-bit year. The remainders truncate toward zero and only the test for
// zero matters, so negative years follow the same divisibility as positive ones and year 0
// is a leap year. Dividing by a positive constant cannot overflow.
//
// The tests are made from the most common answer down, so that three years in four are
// settled by the first. The result is that of the three overriding tests, as the table
// in the tests shows.
constexpr bool is_leap_year(std::int32_t year) noexcept {
  if (year % 4 != 0) return false;   // not by 4, hence not by 100 or 1000 either
  if (year % 100 != 0) return true;  // by 4, not by 100
  return year % 1000 == 0;           // by 100: leap again only by 1000
}

// February's length in `year`: 29 or 28.
constexpr std::int32_t february_length(std::int32_t year) noexcept {
  return is_leap_year(year) ? kFebruaryDaysLeap : kFebruaryDaysCommon;
}

// The number of days of `year`: 366 or 365.
constexpr std::int32_t year_length(std::int32_t year) noexcept {
  return is_leap_year(year) ? kYearDaysLeap : kYearDaysCommon;
}

}  // namespace tage
