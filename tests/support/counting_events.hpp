#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "counting/count_reports.hpp"

// The steps a count reports, recorded as they come, so that counting can be tested by what
// it counts rather than by the lines the dialogue makes of it.
namespace tage {

struct CountEvent {
  enum class Kind {
    rest_of_first_month,
    month_added,  // `what` is the month index, `length` its length
    months_between_added,
    rest_of_first_year,
    whole_years_begin,  // carries no total
    whole_year,         // `what` is the year
    two_year_total,
  };
  Kind kind;
  std::int64_t total = 0;
  std::int64_t what = 0;
  std::int32_t length = 0;

  friend bool operator==(const CountEvent&, const CountEvent&) = default;
  friend std::ostream& operator<<(std::ostream& out, const CountEvent& event) {
    return out << "{kind " << static_cast<int>(event.kind) << ", total " << event.total << ", what "
               << event.what << ", length " << event.length << "}";
  }
};

// Records every step of a count within one year or across years.
class RecordingReport {
 public:
  using Kind = CountEvent::Kind;

  void rest_of_first_month(std::int64_t total) {
    events.push_back({Kind::rest_of_first_month, total});
  }
  void month_added(int index, std::int32_t length, std::int64_t total) {
    events.push_back({Kind::month_added, total, index, length});
  }
  void months_between_added(std::int64_t total) {
    events.push_back({Kind::months_between_added, total});
  }
  void rest_of_first_year(std::int64_t total) {
    events.push_back({Kind::rest_of_first_year, total});
  }
  void whole_years_begin() { events.push_back({Kind::whole_years_begin}); }
  void whole_year(std::int32_t year, std::int64_t total) {
    events.push_back({Kind::whole_year, total, year});
  }
  void two_year_total(std::int64_t total) { events.push_back({Kind::two_year_total, total}); }

  std::vector<CountEvent> events;
};

static_assert(WithinYearReport<RecordingReport>);
static_assert(AcrossYearsReport<RecordingReport>);

}  // namespace tage
