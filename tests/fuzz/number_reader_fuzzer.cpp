// Compares the number reader with the plain model of its rules on arbitrary bytes: value,
// characters consumed, failed and exhausted states, read after read until input is done.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "dialogue/console/number_reader.hpp"
#include "reader_model.hpp"
#include "support/memory_io.hpp"

namespace {

void expect(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const tage::model::Decoded decoded = tage::model::decode(input);
  const std::string& text = decoded.characters;
  tage::MemorySource source(input);
  tage::NumberReader reader(source);
  std::int32_t value = 0x5eed;
  std::size_t position = 0;
  for (;;) {
    const tage::model::Read expected = tage::model::read(text, position, value);
    reader.read(value);
    position += expected.consumed;
    expect(value == expected.value);
    // Where characters are bytes, the bytes taken are exactly those read and the mark.
    expect(decoded.utf16 ||
           source.position() - reader.buffered().size() == decoded.mark + position);
    expect(reader.failed() == expected.failed);
    expect(reader.exhausted() == expected.exhausted);
    if (reader.failed() || reader.exhausted()) break;
  }
  // Once failed or exhausted, reads change nothing and take nothing.
  const std::int32_t kept = value;
  reader.read(value);
  expect(value == kept);
  return 0;
}
