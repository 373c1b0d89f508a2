#pragma once

#include <cstddef>

#include "dialogue/console/byte_source.hpp"
#include "dialogue/console/failure_causes.hpp"
#include "dialogue/console/line_writer.hpp"

// The program's console: standard input, standard output and standard error.
namespace tage {

// The message for a failure with `cause`: an errno value, or kOutputIncomplete for output.
using FailureMessage = Line (*)(int cause);

// Standard input, read unbuffered from its descriptor (read, or _read on Windows) so that
// each read returns what is ready: one line at a terminal, up to a block from a pipe or
// file. A descriptor left non-blocking by whoever started the program is waited on until
// input is ready, as a blocking one would be, and an interrupted read is asked again.
//
// On Windows the descriptor is switched to binary mode, so that input in UTF-16 is decoded
// from the bytes as they are: text mode would join a CR LF byte pair and stop at a 0x1A
// byte before the bytes are paired. A CR LF typed at the console is white space either
// way; a Ctrl+Z typed at the console still ends the input there, as it did in text mode.
//
// The end of input (a file or pipe at its end, Ctrl+D, on Windows a pipe whose writer
// closed) is the end. A read that fails otherwise (a directory, a closed descriptor, a
// device error) ends the run at once, as a failed write does: the message for the cause
// goes to standard error and the process exits with status 1.
class StandardInput final : public ByteSource {
 public:
  explicit StandardInput(FailureMessage failure_message) noexcept;

  std::size_t read_some(char* into, std::size_t capacity) override;

 private:
  FailureMessage failure_message_;
  // Windows: input is a console, where Ctrl+Z ends it.
  bool ends_at_control_z_ = false;
  // Windows: a Ctrl+Z has ended the input, though bytes before it were still handed out.
  bool ended_ = false;
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
  explicit StandardOutput(FailureMessage failure_message) noexcept
      : failure_message_(failure_message) {}

  void write(const Line& line) override;

  // Closes standard output at the end of a run, so that an error that shows only then (a
  // network file system, a quota) is not taken for success: ends the run as a failed
  // write does if the close fails. Nothing may be written after it.
  void close();

 private:
  FailureMessage failure_message_;
};

}  // namespace tage
