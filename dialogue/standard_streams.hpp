#pragma once

#include <cstddef>

#include "dialogue/byte_source.hpp"
#include "dialogue/line_writer.hpp"

// The program's console: standard input, standard output and standard error.
namespace tage {

// Standard input, read unbuffered from its descriptor (read, or _read on Windows) so that
// each read returns what is ready: one line at a terminal, up to a block from a pipe or
// file. On Windows the descriptor is in text mode, so a CR LF typed at the console
// arrives as a line feed.
class StandardInput final : public ByteSource {
 public:
  std::size_t read_some(char* into, std::size_t capacity) override;
};

// Standard output, written unbuffered to its descriptor (write, or _write on Windows):
// each line goes out in one call and is visible at once, and on Windows, where the
// descriptor is in text mode, every line feed reaches the console, file or pipe as CR LF.
class StandardOutput final : public LineWriter {
 public:
  void write(const Line& line) override;
};

// Says on standard error that standard output failed.
void report_output_failure() noexcept;

}  // namespace tage
