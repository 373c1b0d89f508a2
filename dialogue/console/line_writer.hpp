#pragma once

#include "dialogue/console/line.hpp"

namespace tage {

// Thrown by a writer when a line cannot be written. The run ends there: the entry point
// reports it on standard error and exits with status 1, so that a full disk or a closed
// pipe is never mistaken for success.
struct OutputFailure {};

// The one place finished lines go. The counting code writes through this interface and
// never sees a stream.
class LineWriter {
 public:
  LineWriter() = default;
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;
  virtual ~LineWriter() = default;

  // Writes `line` and makes it visible at once, so that nothing is ever pending when the
  // program waits for input; throws OutputFailure if it cannot.
  virtual void write(const Line& line) = 0;
};

}  // namespace tage
