// Feeds arbitrary bytes as the standard input of a whole run: the dialogue, every counting
// case and the closing, with the streams in memory. A reader that stops taking output
// after a bounded number of lines stands in for a closed pipe, so that spans of billions
// of years end at once, as they do at a real pipe.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dialogue/date_dialogue.hpp"
#include "dialogue/memory_io.hpp"
#include "dialogue/number_reader.hpp"

namespace {

class BoundedWriter final : public tage::LineWriter {
 public:
  static constexpr int kMaxLines = 10000;

  void write(const tage::Line& line) override {
    const std::string_view text = line.text();
    if (text.empty() || text.back() != '\n' || text.find('\n') != text.size() - 1) std::abort();
    if (++lines_ > kMaxLines) throw tage::OutputFailure{};
    last_ = text;
  }
  const std::string& last() const { return last_; }

 private:
  int lines_ = 0;
  std::string last_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  tage::MemorySource source(text);
  tage::NumberReader in(source);
  BoundedWriter out;
  try {
    tage::run_date_dialogue(in, out);
  } catch (const tage::OutputFailure&) {
    return 0;
  }
  // Every complete run ends with the summary line.
  if (out.last().rfind("Vom ", 0) != 0) std::abort();
  return 0;
}
