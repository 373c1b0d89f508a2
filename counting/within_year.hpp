#pragma once

#include <cstdint>

#include "calendar/date.hpp"
#include "calendar/month_table.hpp"
#include "dialogue/line_writer.hpp"

// Counting two dates of one year in different months: the rest of the first month, the
// whole months between, and the second day. Each function writes its progress lines and
// returns the total; the summary that follows them is the dialogue's to write.
//
// Totals are exact in 64 bits for every 32-bit input: the rest of the first month lies in
// [-2147483616, 2147483679], twelve months add at most 366 and the second day at most
// 2^31 - 1, so |total| < 2^33.
namespace tage {

// Days from the first date to the end of its month: that month's length minus the first
// day. A first month outside 1..12 has length 0, so the rest is minus the first day.
std::int64_t rest_of_first_month(const Date& first, const MonthTable& months);

// Second month directly after the first.
std::int64_t count_adjacent_months(const DatePair& dates, const MonthTable& months,
                                   LineWriter& out);

// Second month at least two after the first. The month walk writes a step, an interim
// and a blank line for each month strictly between the two that lies inside the table,
// so it makes at most 12 passes whatever the months are.
std::int64_t count_distant_months(const DatePair& dates, const MonthTable& months, LineWriter& out);

}  // namespace tage
