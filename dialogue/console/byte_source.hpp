#pragma once

#include <cstddef>

namespace tage {

// Where the number reader takes its bytes from.
class ByteSource {
 public:
  ByteSource(const ByteSource&) = delete;
  ByteSource& operator=(const ByteSource&) = delete;

  // Copies at least 1 and at most `capacity` (> 0) bytes of input into `into` and returns
  // how many, waiting only while nothing at all is ready: at a terminal that is one line.
  // Returns 0 at the end of input and only there: a source that fails to read ends the run
  // itself (see StandardInput).
  virtual std::size_t read_some(char* into, std::size_t capacity) = 0;

 protected:
  // Never destroyed through this interface, so the destructor need not be virtual: the
  // program then needs no deleting destructor, and no operator delete from the C++ library.
  ByteSource() = default;
  ~ByteSource() = default;
};

}  // namespace tage
