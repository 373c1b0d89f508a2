#pragma once

#include <cstddef>
#include <cstdint>

#include "dialogue/console/line.hpp"

namespace tage {

// The whole-year lines of a walk over consecutive years, of which a long span writes
// millions. next(year, total) gives exactly the line lines::whole_year(year, total) gives,
// which stays the reference. From one line to the next only the last digits of each
// number change, so where both numbers are at least 100 and grew by less than 1000 since
// the last line, only their last three digits are rewritten, and a carry above them; any
// other pair, or a number that needs one more digit, builds the line anew from its form.
// (bench/run.sh, "long span, per year line": 97.0 instructions a line, 417.1 when every
// line is built anew.)
class WholeYearLines {
 public:
  const Line& next(std::int32_t year, std::int64_t total);

 private:
  // Where a number's digits stand in the line, [first, last), and the value they spell.
  struct DigitField {
    std::size_t first = 0;
    std::size_t last = 0;
    std::int64_t value = -1;  // negative while no line is held: never rewritten in place
    std::int64_t low = 0;     // value % 1000, kept so that a step needs no division
  };

  // Rewrites `field` in place to spell `value`; false, with the line left to be built
  // anew, where that cannot be done in place. Defined for every pair of 64-bit values.
  bool respell(DigitField& field, std::int64_t value) noexcept;
  // Out of line: inlined into next(), the new line it builds on the stack would give every
  // call a stack canary to check (bench/run.sh, "long span, per year line": 112.7
  // instructions inlined, 97.0 out of line).
  [[gnu::noinline]] void build(std::int32_t year, std::int64_t total);

  Line line_;
  DigitField year_;
  DigitField total_;
};

}  // namespace tage
