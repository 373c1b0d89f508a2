#include "dialogue/date_dialogue.hpp"

#include <cstdint>

#include "calendar/date.hpp"
#include "calendar/month_table.hpp"
#include "counting/across_years.hpp"
#include "counting/within_year.hpp"
#include "dialogue/case_table.hpp"
#include "dialogue/report_lines.hpp"

namespace tage {
namespace {

// Shows all output written so far, then reads one number into `value`.
void read_number(NumberReader& in, LineWriter& out, std::int32_t& value) {
  out.flush();
  in.read(value);
}

void read_date(NumberReader& in, LineWriter& out, Date& date) {
  out.write(lines::day_prompt());
  read_number(in, out, date.day);
  out.write(lines::month_prompt());
  read_number(in, out, date.month);
  out.write(lines::year_prompt());
  read_number(in, out, date.year);
}

// Keeps a console window open until the user answers; the answer is not used.
void closing_pause(NumberReader& in, LineWriter& out) {
  std::int32_t answer = 0;
  read_number(in, out, answer);
}

}  // namespace

std::int64_t count_days(const DatePair& dates, MonthTable& months, LineWriter& out) {
  switch (choose_case(dates)) {
    case CountingCase::same_month: {
      const std::int64_t total = same_month_total(dates.first.day, dates.second.day);
      out.write(lines::same_month_result(total));
      return total;
    }
    case CountingCase::distant_months:
      return count_distant_months(dates, months, out);
    case CountingCase::adjacent_months:
      return count_adjacent_months(dates, months, out);
    case CountingCase::next_year:
      return count_next_year(dates, months, out);
    case CountingCase::distant_years:
      return count_distant_years(dates, months, out);
    case CountingCase::reversed_months:
    case CountingCase::earlier_year:
      break;
  }
  return 0;
}

void run_date_dialogue(NumberReader& in, LineWriter& out) {
  DatePair dates;
  out.write(lines::first_date_prompt());
  read_date(in, out, dates.first);
  out.write(lines::blank());
  out.write(lines::blank());
  out.write(lines::second_date_prompt());
  read_date(in, out, dates.second);

  MonthTable months;
  months.set_february(dates.first.year);
  const std::int64_t total = count_days(dates, months, out);

  out.write(lines::blank());
  out.write(lines::summary(dates, total));
  closing_pause(in, out);
}

}  // namespace tage
