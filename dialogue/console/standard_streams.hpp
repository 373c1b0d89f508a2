#pragma once

#include <cstddef>
#include <string_view>

#include "dialogue/console/byte_source.hpp"
#include "dialogue/console/line_writer.hpp"

// The program's console: standard input, standard output and standard error.
namespace tage {

// Standard input, read unbuffered from its descriptor (read, or _read on Windows) so that
// each read returns what is ready: one line at a terminal, up to a block from a pipe or
// file. On Windows the descriptor is in text mode, so a CR LF typed at the console
// arrives as a line feed. A descriptor left non-blocking by whoever started the program
// is waited on until input is ready, as a blocking one would be.
class StandardInput final : public ByteSource {
 public:
  std::size_t read_some(char* into, std::size_t capacity) override;
};

// Standard output, written unbuffered to its descriptor (write, or _write on Windows):
// each line goes out in one call and is visible at once, and on Windows, where the
// descriptor is in text mode, every line feed reaches the console, file or pipe as CR LF.
//
// When a line cannot be written, the run ends at once, as GNU's close_stdout ends it:
// `failure_message` goes to standard error and the process exits with status 1.
class StandardOutput final : public LineWriter {
 public:
  // `failure_message` must outlive the writer.
  explicit StandardOutput(std::string_view failure_message) noexcept
      : failure_message_(failure_message) {}

  void write(const Line& line) override;

  // Closes standard output at the end of a run, so that an error that shows only then (a
  // network file system, a quota) is not taken for success: ends the run as a failed
  // write does if the close fails. Nothing may be written after it.
  void close();

 private:
  [[noreturn]] void fail() const noexcept;

  std::string_view failure_message_;
};

}  // namespace tage
