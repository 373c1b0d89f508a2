#pragma once

#include <cstddef>

#include "dialogue/console/byte_source.hpp"
#include "dialogue/console/line_writer.hpp"

// The program's console: standard input, standard output and standard error.
namespace tage {

// The cause of a failed write that sets no errno: a write that took nothing, or on
// Windows a line that did not go out whole.
inline constexpr int kOutputIncomplete = -1;

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
// A write is retried after an interruption and after a short write, and a descriptor
// left non-blocking by whoever started the program is waited on until it takes more, as
// a blocking one would wait. When a line cannot be written, the run ends at once, as
// GNU's close_stdout ends it: the message for the cause goes to standard error and the
// process exits with status 1.
class StandardOutput final : public LineWriter {
 public:
  // The message for a failure with `cause`: an errno value, or kOutputIncomplete.
  using FailureMessage = Line (*)(int cause);

  explicit StandardOutput(FailureMessage failure_message) noexcept
      : failure_message_(failure_message) {}

  void write(const Line& line) override;

  // Closes standard output at the end of a run, so that an error that shows only then (a
  // network file system, a quota) is not taken for success: ends the run as a failed
  // write does if the close fails. Nothing may be written after it.
  void close();

 private:
  [[noreturn]] void fail(int cause) const noexcept;

  FailureMessage failure_message_;
};

}  // namespace tage
