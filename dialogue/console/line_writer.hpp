#pragma once

#include "dialogue/console/line.hpp"

namespace tage {

// The one place finished lines go. The dialogue writes through this interface and never
// sees a stream.
class LineWriter {
 public:
  LineWriter() = default;
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;
  virtual ~LineWriter() = default;

  // Writes `line` and makes it visible at once, so that nothing is ever pending when the
  // program waits for input. A writer that cannot write a line does not return: it ends
  // the run there (see StandardOutput), so that a full disk or a closed pipe is never
  // mistaken for success and nothing is counted for output that cannot be shown.
  virtual void write(const Line& line) = 0;
};

}  // namespace tage
