#pragma once

#include <streambuf>

#include "dialogue/line_writer.hpp"

namespace tage {

// Thrown when a line cannot be written. The run ends there: the entry point reports it on
// standard error and exits with status 1, so a full disk or a closed pipe is never
// mistaken for success.
struct OutputFailure {};

// Writes each line to a stream buffer in one piece and flushes it at once, so that over a
// file buffer every line is exactly one write and each prompt is visible before a read.
class StreamLineWriter final : public LineWriter {
 public:
  explicit StreamLineWriter(std::streambuf& sink) noexcept : sink_(sink) {}

  // Throws OutputFailure if the line is not taken whole or the flush fails.
  void write(const Line& line) override;
  // Throws OutputFailure if the flush fails.
  void flush() override;

 private:
  std::streambuf& sink_;
};

}  // namespace tage
