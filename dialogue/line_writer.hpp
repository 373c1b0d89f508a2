#pragma once

#include "dialogue/line.hpp"

namespace tage {

// The one place finished lines go. The counting code writes through this interface and
// never sees a stream.
class LineWriter {
 public:
  LineWriter() = default;
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;
  virtual ~LineWriter() = default;

  // Writes `line` and makes it visible at once.
  virtual void write(const Line& line) = 0;
  // Makes anything still pending visible; called before each read.
  virtual void flush() = 0;
};

}  // namespace tage
