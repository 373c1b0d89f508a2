#pragma once

#include <array>
#include <cstdint>

#include "calendar/leap_rule.hpp"

namespace tage {

// The inclusive range of month table indexes [first, last]; empty when first > last.
struct IndexRange {
  int first = 0;
  int last = -1;
};

// Twelve month lengths, index 0 for January to 11 for December. Only February changes:
// it holds 0 until set_february() is first called for a year.
//
// Indexes come from entered months, which are never validated, so every lookup takes a
// 64-bit index and accepts any value: an index outside 0..11 names no month, has length 0
// and is never visited by a walk over the table. The counting code relies on exactly this
// rule wherever a month lies outside 1..12.
class MonthTable {
 public:
  static constexpr int kMonths = 12;
  static constexpr int kFirstIndex = 0;
  static constexpr int kLastIndex = kMonths - 1;
  static constexpr int kFebruaryIndex = 1;

  // Sets February for `year` by the leap rule.
  constexpr void set_february(std::int32_t year) noexcept {
    lengths_[kFebruaryIndex] = february_length(year);
  }

  // The length at `index`: 28 to 31 (February 0 until set), or 0 outside the table.
  constexpr std::int32_t length_at(std::int64_t index) const noexcept {
    return contains(index) ? lengths_[static_cast<std::size_t>(index)] : 0;
  }

  // The indexes of [first, last] that lie inside the table. Any 64-bit bounds are accepted;
  // the result spans at most the twelve indexes 0..11.
  static constexpr IndexRange indexes_within(std::int64_t first, std::int64_t last) noexcept {
    if (first > kLastIndex || last < kFirstIndex || first > last) return {};
    return {static_cast<int>(first < kFirstIndex ? kFirstIndex : first),
            static_cast<int>(last > kLastIndex ? kLastIndex : last)};
  }

  // The summed lengths of the indexes in [first, last] that lie inside the table:
  // 0 to 366, whatever the bounds.
  constexpr std::int64_t sum_of_lengths(std::int64_t first, std::int64_t last) const noexcept {
    const IndexRange range = indexes_within(first, last);
    std::int64_t sum = 0;
    for (int index = range.first; index <= range.last; ++index) sum += length_at(index);
    return sum;
  }

 private:
  static constexpr bool contains(std::int64_t index) noexcept {
    return index >= kFirstIndex && index <= kLastIndex;
  }

  std::array<std::int32_t, kMonths> lengths_{31, 0, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
};

// The table index of calendar month `month` (1 = January), computed in 64 bits so that
// every 32-bit month has an index: -2147483649 to 2147483646.
constexpr std::int64_t month_index(std::int32_t month) noexcept {
  return static_cast<std::int64_t>(month) - 1;
}

}  // namespace tage
