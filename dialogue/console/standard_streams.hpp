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
class StandardOutput final : public LineWriter {
 public:
  void write(const Line& line) override;
};

// Closes standard output at the end of a run, so that an error that shows only then (a
// network file system, a quota) is not taken for success: throws OutputFailure if the
// close fails. Nothing may be written to standard output after it.
void close_standard_output();

// Writes `text` to standard error as far as it can; nothing is left to tell if that fails.
void write_to_standard_error(std::string_view text) noexcept;

}  // namespace tage
