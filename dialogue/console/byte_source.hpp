#pragma once

#include <cstddef>

namespace tage {

// Where the number reader takes its bytes from.
class ByteSource {
 public:
  ByteSource() = default;
  ByteSource(const ByteSource&) = delete;
  ByteSource& operator=(const ByteSource&) = delete;
  virtual ~ByteSource() = default;

  // Copies at least 1 and at most `capacity` (> 0) bytes of input into `into` and returns
  // how many, waiting only while nothing at all is ready: at a terminal that is one line.
  // Returns 0 at the end of input, or when input cannot be read any more.
  virtual std::size_t read_some(char* into, std::size_t capacity) = 0;
};

}  // namespace tage
