#pragma once

#include "dialogue/console/line.hpp"

namespace tage {

// The one place finished lines go. The dialogue writes through this interface and never
// sees a stream.
class LineWriter {
 public:
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;

  // Writes `line` and makes it visible at once, so that nothing is ever pending when the
  // program waits for input. A writer that cannot write a line does not return: it ends
  // the run there (see StandardOutput), so that a full disk or a closed pipe is never
  // mistaken for success and nothing is counted for output that cannot be shown.
  virtual void write(const Line& line) = 0;

 protected:
  // Never destroyed through this interface, so the destructor need not be virtual: the
  // program then needs no deleting destructor, and no operator delete from the C++ library.
  LineWriter() = default;
  ~LineWriter() = default;
};

}  // namespace tage
