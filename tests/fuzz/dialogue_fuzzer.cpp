// Feeds arbitrary bytes as the standard input of a whole run: the dialogue, every counting
// case and the closing, with the streams in memory. Spans of more whole years than the
// writer takes lines are left out (the system tests run those against a closed pipe); for
// every other input the writer aborts should more lines come.
//
// A run that ends must end with its summary line, once or twice as its case calls for,
// each after a blank line, naming the dates a plain model of the reader reads from the
// input and the count a plain model of the calendar gives for them.
#include <array>
#include <cinttypes>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "dialogue/console/number_reader.hpp"
#include "dialogue/date_dialogue.hpp"
#include "reader_model.hpp"
#include "support/memory_io.hpp"

namespace {

void expect(bool holds) {
  if (!holds) std::abort();
}

class BoundedWriter final : public tage::LineWriter {
 public:
  static constexpr int kMaxLines = 10000;

  void write(const tage::Line& line) override {
    const std::string_view text = line.text();
    expect(!text.empty() && text.back() == '\n' && text.find('\n') == text.size() - 1);
    expect(++lines_ <= kMaxLines);
    last_[static_cast<std::size_t>(lines_) % last_.size()] = text;
  }
  // The line `back` lines before the last (0 for the last), empty where there is none.
  const std::string& from_end(int back) const {
    return last_[static_cast<std::size_t>(lines_ - back) % last_.size()];
  }

 private:
  int lines_ = 0;
  std::array<std::string, 4> last_;
};

// The six numbers of the two dates as the model reader reads them: 0 from the first read
// that fails or finds the input exhausted on.
std::array<std::int64_t, 6> model_dates(const std::string& text) {
  std::array<std::int64_t, 6> numbers{};
  std::size_t position = 0;
  for (std::int64_t& number : numbers) {
    const tage::model::Read read = tage::model::read(text, position, 0);
    number = read.value;
    position += read.consumed;
    if (read.failed || read.exhausted) break;
  }
  return numbers;
}

// Multiples of k (> 0) in [first, last], for any signed bounds.
std::int64_t multiples(std::int64_t k, std::int64_t first, std::int64_t last) {
  const auto floor_div = [](std::int64_t a, std::int64_t b) { return a / b - (a % b < 0 ? 1 : 0); };
  return first > last ? 0 : floor_div(last, k) - floor_div(first - 1, k);
}

// The program's calendar, stated independently: a year is a leap year when 4 divides it
// and 100 does not, or when 1000 does; a month outside 1..12 has no days.
std::int64_t days_of_month(std::int64_t month, std::int64_t year) {
  constexpr std::int64_t kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 1000 == 0;
  return kLengths[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::int64_t days_of_months(std::int64_t first, std::int64_t last, std::int64_t year) {
  std::int64_t days = 0;
  for (std::int64_t month = first < 1 ? 1 : first; month <= last && month <= 12; ++month) {
    days += days_of_month(month, year);
  }
  return days;
}

struct Expected {
  std::int64_t total;
  int summaries;
};

Expected model_count(std::int64_t d1, std::int64_t m1, std::int64_t y1, std::int64_t d2,
                     std::int64_t m2, std::int64_t y2) {
  if (y1 == y2 && m1 == m2) return {d2 > d1 ? d2 - d1 : 0, 1};
  if (y1 == y2 && m2 < m1) return {0, 1};
  const std::int64_t rest_of_first_month = days_of_month(m1, y1) - d1;
  if (y1 == y2) return {rest_of_first_month + days_of_months(m1 + 1, m2 - 1, y1) + d2, 2};
  if (y2 < y1) return {0, 1};
  const std::int64_t whole_years = y2 - y1 - 1;
  const std::int64_t leap_years = multiples(4, y1 + 1, y2 - 1) - multiples(100, y1 + 1, y2 - 1) +
                                  multiples(1000, y1 + 1, y2 - 1);
  return {rest_of_first_month + days_of_months(m1 + 1, 12, y1) + 365 * whole_years + leap_years +
              days_of_months(1, m2 - 1, y2) + d2,
          whole_years == 0 ? 2 : 1};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto [d1, m1, y1, d2, m2, y2] = model_dates(tage::model::decode(text).characters);
  // Every other line of a run is one of fewer than 40.
  if (y2 - y1 > BoundedWriter::kMaxLines - 40) return 0;
  tage::MemorySource source(text);
  tage::NumberReader in(source);
  BoundedWriter out;
  tage::run_date_dialogue(in, out);
  const Expected expected = model_count(d1, m1, y1, d2, m2, y2);
  std::array<char, 256> summary{};
  std::snprintf(summary.data(), summary.size(),
                "Vom %" PRId64 ". %" PRId64 ". %" PRId64 " bis %" PRId64 ". %" PRId64 ". %" PRId64
                " sind %" PRId64 " Tage vergangen.\n",
                d1, m1, y1, d2, m2, y2, expected.total);
  expect(out.from_end(0) == summary.data());
  expect(out.from_end(1) == "\n");
  if (expected.summaries == 2) {
    expect(out.from_end(2) == summary.data());
    expect(out.from_end(3) == "\n");
  } else {
    expect(out.from_end(2) != summary.data());
  }
  return 0;
}
