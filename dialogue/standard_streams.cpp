#include "dialogue/standard_streams.hpp"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <string_view>

#include "dialogue/report_lines.hpp"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace tage {
namespace {

constexpr int kStandardInputDescriptor = 0;

// One unbuffered read of standard input: the bytes read, 0 at the end, -1 on an error.
long long read_standard_input(char* into, std::size_t capacity) {
#ifdef _WIN32
  const unsigned count = capacity > INT_MAX ? INT_MAX : static_cast<unsigned>(capacity);
  return _read(kStandardInputDescriptor, into, count);
#else
  return read(kStandardInputDescriptor, into, capacity);
#endif
}

}  // namespace

std::size_t StandardInput::read_some(char* into, std::size_t capacity) {
  for (;;) {
    const long long got = read_standard_input(into, capacity);
    if (got >= 0) return static_cast<std::size_t>(got);
    // Interrupted before anything arrived: ask again. Any other error ends the input.
    if (errno != EINTR) return 0;
  }
}

void StandardOutput::write(const Line& line) {
  const std::string_view text = line.text();
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) throw OutputFailure{};
  flush();
}

void StandardOutput::flush() {
  if (std::fflush(stdout) != 0) throw OutputFailure{};
}

void report_output_failure() noexcept {
  // Nothing is left to tell if standard error fails too.
  static_cast<void>(std::fputs(lines::kOutputFailure.data(), stderr));
  static_cast<void>(std::fputc('\n', stderr));
}

}  // namespace tage
