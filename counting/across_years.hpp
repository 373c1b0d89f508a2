#pragma once

#include <cstdint>

#include "calendar/date.hpp"
#include "calendar/month_table.hpp"
#include "dialogue/line_writer.hpp"

// Counting two dates in different years, the second year after the first: the rest of the
// first month and year, each whole year between, the months of the last year before the
// second month, and the second day. `months` arrives with February set for the first year
// and leaves with it set for the second year.
//
// Totals are exact in 64 bits for every 32-bit input: at most 2^32 whole years of at most
// 366 days, plus terms below 2^32, stay below 2^41.
namespace tage {

// Second year directly after the first. Writes the two rest lines and the two-year total;
// the dialogue writes the summary that follows them.
std::int64_t count_next_year(const DatePair& dates, MonthTable& months, LineWriter& out);

// Second year at least two after the first. Writes the two rest lines, a blank line and a
// whole-year line for each year between, in constant memory, one write per line; no
// summary (the closing writes it).
std::int64_t count_distant_years(const DatePair& dates, MonthTable& months, LineWriter& out);

}  // namespace tage
