#include "dialogue/stream_line_writer.hpp"

#include <string_view>

namespace tage {

void StreamLineWriter::write(const Line& line) {
  const std::string_view text = line.text();
  const auto size = static_cast<std::streamsize>(text.size());
  if (sink_.sputn(text.data(), size) != size) throw OutputFailure{};
  flush();
}

void StreamLineWriter::flush() {
  if (sink_.pubsync() != 0) throw OutputFailure{};
}

}  // namespace tage
