#pragma once

#include <cstddef>
#include <cstdint>

#include "dialogue/console/line.hpp"

namespace tage {

// The whole-year lines of a walk over consecutive years, of which a long span writes
// millions. next(year, total) gives exactly the line lines::whole_year(year, total) gives,
// which stays the reference. From one line to the next the year grows by 1 and the total
// by a year's days, so the line before is respelled in place: the year's digits are
// incremented, and the total's last three digits are rewritten from a table with a carry
// into the digits above. A number that needs one more digit, a negative one, a total below
// 100 or any other pair builds the line anew from its form (bench/run.sh, "long span, per
// year line", shows what the in-place carry saves).
class WholeYearLines {
 public:
  const Line& next(std::int32_t year, std::int64_t total);

 private:
  // A number's digits in the line, [first, last), and the value they spell; a negative
  // value (as before the first line) is never respelled in place.
  struct Digits {
    std::size_t first = 0;
    std::size_t last = 0;
    std::int64_t value = -1;
  };

  // Each respells its number in place; false, with the line left to be built anew, where
  // that cannot be done. Defined for every value. Inline, so that next() makes no call
  // that would cost as much as the respelling (bench/run.sh, "long span, per year line").
  bool next_year_in_place(std::int32_t year) noexcept;
  bool grow_total_in_place(std::int64_t total) noexcept;
  // Out of line: inlined into next(), the new line it builds on the stack would give every
  // call a stack canary to check (bench/run.sh, "long span, per year line").
  [[gnu::noinline]] void build(std::int32_t year, std::int64_t total);

  Line line_;
  Digits year_;
  Digits total_;
  std::int64_t total_low_ = 0;  // total_.value % 1000, kept so that a step needs no division
};

}  // namespace tage
