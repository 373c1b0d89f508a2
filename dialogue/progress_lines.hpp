#pragma once

#include <cstdint>

#include "counting/count_reports.hpp"
#include "dialogue/console/line_writer.hpp"
#include "dialogue/report_lines.hpp"
#include "dialogue/whole_year_lines.hpp"

namespace tage {

// Turns the steps of a count into the lines that tell them, written to `out` as they come.
// Within one year and across years the rest of the first month reads differently, so each
// has a report of its own.
class WithinYearLines final {
 public:
  explicit WithinYearLines(LineWriter& out) noexcept : out_(out) {}

  void rest_of_first_month(std::int64_t total) { out_.write(lines::month_end_rest(total)); }
  void month_added(std::int32_t index, std::int32_t length, std::int64_t total) {
    out_.write(lines::month_step(index, length));
    out_.write(lines::interim(total));
    out_.write(lines::blank());
  }
  void months_between_added(std::int64_t total) { out_.write(lines::month_end_total(total)); }

 private:
  LineWriter& out_;
};

// The lines of a walk over years come from `year_lines`, which respells each from the one
// before. It is held by reference, like `out`, so that no call can reach this object
// itself and both stay in registers through a walk of millions of years (bench/run.sh,
// "long span, per year line").
class AcrossYearsLines final {
 public:
  AcrossYearsLines(LineWriter& out, WholeYearLines& year_lines) noexcept
      : out_(out), year_lines_(year_lines) {}

  void rest_of_first_month(std::int64_t total) { out_.write(lines::first_month_rest(total)); }
  void rest_of_first_year(std::int64_t total) { out_.write(lines::first_year_rest(total)); }
  // A blank line sets the whole years off from the rests above them.
  void whole_years_begin() { out_.write(lines::blank()); }
  void whole_year(std::int32_t year, std::int64_t total) {
    out_.write(year_lines_.next(year, total));
  }
  void two_year_total(std::int64_t total) { out_.write(lines::two_year_total(total)); }

 private:
  LineWriter& out_;
  WholeYearLines& year_lines_;
};

static_assert(WithinYearReport<WithinYearLines>);
static_assert(AcrossYearsReport<AcrossYearsLines>);

}  // namespace tage
