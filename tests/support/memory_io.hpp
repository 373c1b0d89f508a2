#pragma once

#include <algorithm>
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

#include "dialogue/console/byte_source.hpp"
#include "dialogue/console/line_writer.hpp"

// Input and output in memory, for driving whole runs in tests and tools.
namespace tage {

// Hands out `text` in pieces of at most `piece` bytes per call, as a pipe or terminal
// would hand out what it has ready. `text` must outlive the source.
class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::string_view text,
                        std::size_t piece = std::numeric_limits<std::size_t>::max()) noexcept
      : text_(text), piece_(std::max<std::size_t>(piece, 1)) {}

  std::size_t read_some(char* into, std::size_t capacity) override {
    const std::size_t count = std::min({capacity, piece_, text_.size() - position_});
    text_.copy(into, count, position_);
    position_ += count;
    return count;
  }

  // How many bytes have been handed out.
  std::size_t position() const noexcept { return position_; }
  std::string_view rest() const noexcept { return text_.substr(position_); }

 private:
  std::string_view text_;
  std::size_t piece_;
  std::size_t position_ = 0;
};

// Collects every line written, in order.
class MemoryWriter final : public LineWriter {
 public:
  void write(const Line& line) override { text_ += line.text(); }
  const std::string& text() const noexcept { return text_; }

 private:
  std::string text_;
};

}  // namespace tage
