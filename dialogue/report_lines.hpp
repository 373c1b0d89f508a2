#pragma once

#include <cstddef>
#include <cstdint>

#include "calendar/date.hpp"
#include "dialogue/line.hpp"

// Every text the program writes, and the line forms that combine them with numbers.
// Each function returns one finished line, line feed included; the texts are plain ASCII
// and carry all the spacing, so pieces are joined with nothing between them.
namespace tage::lines {

Line first_date_prompt();
Line second_date_prompt();
Line day_prompt();
Line month_prompt();
Line year_prompt();
Line blank();

// Same-month result: "Es sind Tage= 14 vergangen."
Line same_month_result(std::int64_t total);
// Days left in the first month, within one year.
Line month_end_rest(std::int64_t total);
// One month of the walk: its table index (0 = January) and its length.
Line month_step(int index, std::int32_t length);
Line interim(std::int64_t total);
Line month_end_total(std::int64_t total);
// Days left in the first month and in the first year, across years.
Line first_month_rest(std::int64_t total);
Line first_year_rest(std::int64_t total);
Line whole_year(std::int32_t year, std::int64_t total);

// The whole-year lines of a walk over consecutive years, of which a long span writes
// millions. next(year, total) gives exactly the line whole_year(year, total) gives. From
// one line to the next only the last digits of each number change, so where both numbers
// are at least 100 and grew by less than 1000 since the last line, only their last three
// digits are rewritten, and a carry above them; any other pair, or a number that needs
// one more digit, builds the line anew.
class WholeYearLines {
 public:
  // Where a number's digits stand in the line, [first, last), and the value they spell.
  struct DigitField {
    std::size_t first = 0;
    std::size_t last = 0;
    std::int64_t value = -1;  // negative while no line is held: never rewritten in place
    std::int64_t low = 0;     // value % 1000, kept so that a step needs no division
  };

  const Line& next(std::int32_t year, std::int64_t total);

 private:
  // Rewrites `field` in place to spell `value`; false, with the line left to be built
  // anew, where that cannot be done in place.
  bool respell(DigitField& field, std::int64_t value) noexcept;
  void build(std::int32_t year, std::int64_t total);

  Line line_;
  DigitField year_;
  DigitField total_;
};

Line two_year_total(std::int64_t total);
// "Vom 1. 3. 2020 bis 5. 6. 2020 sind 96 Tage vergangen."
Line summary(const DatePair& dates, std::int64_t total);

// Written to standard error when standard output fails.
Line output_failure();

}  // namespace tage::lines
