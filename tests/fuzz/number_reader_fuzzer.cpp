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
  const std::string text(reinterpret_cast<const char*>(data), size);
  tage::MemorySource source(text);
  tage::NumberReader reader(source);
  std::int32_t value = 0x5eed;
  std::size_t position = 0;
  for (;;) {
    const tage::model::Read expected = tage::model::read(text, position, value);
    reader.read(value);
    const std::size_t taken = source.position() - reader.buffered().size();
    expect(value == expected.value);
    expect(taken == position + expected.consumed);
    expect(reader.failed() == expected.failed);
    expect(reader.exhausted() == expected.exhausted);
    position = taken;
    if (reader.failed() || reader.exhausted()) break;
  }
  // Once failed or exhausted, reads change nothing and take nothing.
  const std::int32_t kept = value;
  reader.read(value);
  expect(value == kept);
  return 0;
}
