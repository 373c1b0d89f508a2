#pragma once

#include <cstdint>

#include "calendar/date.hpp"
#include "dialogue/console/line_writer.hpp"
#include "dialogue/console/number_reader.hpp"

namespace tage {

// One whole run: asks for the first and the second date, counts the days between them by
// the case the dates call for, writes the closing blank line and summary line, and waits
// for one more number before it returns. Every line goes to `out`; lines are written in
// the order a person at the console sees them, each before the read that follows it.
void run_date_dialogue(NumberReader& in, LineWriter& out);

// A count and how many summary lines close the run: 2 where the case ends its progress
// lines with a summary of its own before the closing one (distant months, adjacent
// months, next year), else 1.
struct Count {
  std::int64_t total = 0;
  int summaries = 1;
};

// Counts the days from the first date to the second by the case the dates call for,
// writes that case's progress lines and returns the total (0 for a second date before the
// first) with the number of summary lines. Exact in 64 bits for all 32-bit dates.
Count count_days(const DatePair& dates, LineWriter& out);

}  // namespace tage
