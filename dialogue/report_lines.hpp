#pragma once

#include <cstdint>

#include "calendar/date.hpp"
#include "dialogue/console/line.hpp"

// Every text the program writes: one function per line form, each returning the finished
// line, line feed included. The texts are plain ASCII and carry all the spacing, so
// pieces are joined with nothing between them.
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
Line month_step(std::int32_t index, std::int32_t length);
Line interim(std::int64_t total);
Line month_end_total(std::int64_t total);
// Days left in the first month and in the first year, across years.
Line first_month_rest(std::int64_t total);
Line first_year_rest(std::int64_t total);

// "Inklusive 2000 sind es 565 Tage." Its texts hold no digit, so that a walk over years
// can find the two numbers in the line and respell them in place (whole_year_lines.hpp).
Line whole_year(std::int32_t year, std::int64_t total);

Line two_year_total(std::int64_t total);
// "Vom 1. 3. 2020 bis 5. 6. 2020 sind 96 Tage vergangen."
Line summary(const DatePair& dates, std::int64_t total);

// Written to standard error when standard output fails: the failure and its `cause`, an
// errno value (any int: an unknown one is named by its number) or kOutputIncomplete
// (failure_causes.hpp).
Line output_failure(int cause);
// Written to standard error when a read of standard input fails: the failure and its
// `cause`, an errno value (any int, as above).
Line input_failure(int cause);

}  // namespace tage::lines
