#include "dialogue/date_dialogue.hpp"

#include <cstdint>

#include "calendar/date.hpp"
#include "counting/across_years.hpp"
#include "counting/within_year.hpp"
#include "dialogue/case_table.hpp"
#include "dialogue/progress_lines.hpp"
#include "dialogue/report_lines.hpp"

namespace tage {
namespace {

// Every line is written at once, so nothing is pending when a read waits.
void read_date(NumberReader& in, LineWriter& out, Date& date) {
  out.write(lines::day_prompt());
  in.read(date.day);
  out.write(lines::month_prompt());
  in.read(date.month);
  out.write(lines::year_prompt());
  in.read(date.year);
}

// Keeps a console window open until the user answers; the answer is not used.
void closing_pause(NumberReader& in) {
  std::int32_t answer = 0;
  in.read(answer);
}

}  // namespace

Count count_days(const DatePair& dates, LineWriter& out) {
  switch (choose_case(dates)) {
    case CountingCase::same_month: {
      const std::int64_t total = same_month_total(dates.first.day, dates.second.day);
      out.write(lines::same_month_result(total));
      return {total, 1};
    }
    case CountingCase::distant_months: {
      WithinYearLines report(out);
      return {count_distant_months(dates, report), 2};
    }
    case CountingCase::adjacent_months: {
      WithinYearLines report(out);
      return {count_adjacent_months(dates, report), 2};
    }
    case CountingCase::next_year: {
      WholeYearLines year_lines;
      AcrossYearsLines report(out, year_lines);
      return {count_next_year(dates, report), 2};
    }
    case CountingCase::distant_years: {
      WholeYearLines year_lines;
      AcrossYearsLines report(out, year_lines);
      return {count_distant_years(dates, report), 1};
    }
    case CountingCase::reversed_months:
    case CountingCase::earlier_year:
      break;
  }
  return {0, 1};
}

void run_date_dialogue(NumberReader& in, LineWriter& out) {
  DatePair dates;
  out.write(lines::first_date_prompt());
  read_date(in, out, dates.first);
  out.write(lines::blank());
  out.write(lines::blank());
  out.write(lines::second_date_prompt());
  read_date(in, out, dates.second);

  const Count count = count_days(dates, out);

  // The summary closes the count of its case where that case has one, and the closing
  // always: the same line, built once, each time after a blank line.
  const Line summary = lines::summary(dates, count.total);
  for (int written = 0; written < count.summaries; ++written) {
    out.write(lines::blank());
    out.write(summary);
  }
  closing_pause(in);
}

}  // namespace tage
