#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "calendar/leap_rule.hpp"

// Month lengths as pure functions of a month's table index and the year: index 0 for
// January to 11 for December, February by the leap rule.
//
// Indexes come from entered months, which are never validated, so every function takes a
// 64-bit index and accepts any value: an index outside 0..11 names no month, has length 0
// and is never visited by a walk over the months. The counting code relies on exactly
// this rule wherever a month lies outside 1..12.
namespace tage {

inline constexpr int kMonthsPerYear = 12;
inline constexpr int kJanuaryIndex = 0;
inline constexpr int kFebruaryIndex = 1;
inline constexpr int kDecemberIndex = kMonthsPerYear - 1;
inline constexpr std::int32_t kLongestMonth = 31;

// The table index of calendar month `month` (1 = January), computed in 64 bits so that
// every 32-bit month has an index: -2147483649 to 2147483646.
constexpr std::int64_t month_index(std::int32_t month) noexcept {
  return static_cast<std::int64_t>(month) - 1;
}

// Whether `index` names a month: 0..11.
constexpr bool is_month_index(std::int64_t index) noexcept {
  return index >= kJanuaryIndex && index <= kDecemberIndex;
}

// The length of the month at `index` in `year`: 28 to 31 for 0..11, 0 for any other index.
// Defined for every 64-bit index and every 32-bit year.
constexpr std::int32_t month_length(std::int64_t index, std::int32_t year) noexcept {
  // February's entry is never read: the leap rule gives it.
  constexpr std::array<std::int32_t, kMonthsPerYear> kLengths{31, 0,  31, 30, 31, 30,
                                                              31, 31, 30, 31, 30, 31};
  if (!is_month_index(index)) return 0;
  if (index == kFebruaryIndex) return february_length(year);
  return kLengths[static_cast<std::size_t>(index)];
}

// The inclusive range of month indexes [first, last]; empty when first > last.
struct IndexRange {
  int first = 0;
  int last = -1;
};

// The indexes of [first, last] that name months. Any 64-bit bounds are accepted; the
// result spans at most the twelve indexes 0..11.
constexpr IndexRange month_indexes_within(std::int64_t first, std::int64_t last) noexcept {
  if (first > kDecemberIndex || last < kJanuaryIndex || first > last) return {};
  return {static_cast<int>(first < kJanuaryIndex ? kJanuaryIndex : first),
          static_cast<int>(last > kDecemberIndex ? kDecemberIndex : last)};
}

// The summed lengths in `year` of the months whose indexes lie in [first, last]: 0 to 366,
// whatever the bounds.
constexpr std::int32_t days_in_months(std::int64_t first, std::int64_t last,
                                      std::int32_t year) noexcept {
  const IndexRange range = month_indexes_within(first, last);
  std::int32_t days = 0;  // at most twelve months of at most 31 days
  for (int index = range.first; index <= range.last; ++index) days += month_length(index, year);
  return days;
}

static_assert(days_in_months(kJanuaryIndex, kDecemberIndex, 2020) == kYearDaysLeap);
static_assert(days_in_months(kJanuaryIndex, kDecemberIndex, 2021) == kYearDaysCommon);
static_assert(days_in_months(INT64_MIN, INT64_MAX, 0) == kYearDaysLeap);
static_assert(days_in_months(INT64_MAX, INT64_MIN, 0) == 0);

}  // namespace tage
