// The inner costs of a run: reading numbers and building lines.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "dialogue/console/number_reader.hpp"
#include "dialogue/report_lines.hpp"
#include "dialogue/whole_year_lines.hpp"
#include "support/memory_io.hpp"

namespace {

// Reads a stream of four-digit years, each ended by a line feed.
void read_year_numbers(benchmark::State& state) {
  constexpr int kNumbers = 4096;
  std::string input;
  for (int i = 0; i < kNumbers; ++i) input += "2020\n";
  for (auto _ : state) {
    tage::MemorySource source(input);
    tage::NumberReader reader(source);
    std::int32_t value = 0;
    for (int i = 0; i < kNumbers; ++i) {
      reader.read(value);
      benchmark::DoNotOptimize(value);
    }
  }
  state.SetItemsProcessed(state.iterations() * kNumbers);
}
BENCHMARK(read_year_numbers);

// Reads one number of a million digits, the folding loop alone.
void read_long_number(benchmark::State& state) {
  const std::string input(1'000'000, '7');
  for (auto _ : state) {
    tage::MemorySource source(input);
    tage::NumberReader reader(source);
    std::int32_t value = 0;
    reader.read(value);
    benchmark::DoNotOptimize(value);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(input.size()));
}
BENCHMARK(read_long_number);

// Builds the line a long span writes once per year, as the walk does: one year after the
// other, through the lines that rewrite only the changed digits.
void build_whole_year_line(benchmark::State& state) {
  tage::WholeYearLines year_lines;
  std::int32_t year = 1001;
  std::int64_t total = 365;
  for (auto _ : state) {
    const tage::Line& line = year_lines.next(year, total);
    benchmark::DoNotOptimize(line.text().data());
    ++year;
    total += 365;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(build_whole_year_line);

// Builds a summary line of a typical run from scratch.
void build_summary_line(benchmark::State& state) {
  const tage::DatePair dates{{1, 3, 2020}, {5, 6, 2020}};
  std::int64_t total = 96;
  for (auto _ : state) {
    tage::Line line = tage::lines::summary(dates, total);
    benchmark::DoNotOptimize(line.text().data());
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(build_summary_line);

}  // namespace

BENCHMARK_MAIN();
