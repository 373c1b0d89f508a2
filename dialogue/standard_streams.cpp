#include "dialogue/standard_streams.hpp"

#include <cerrno>
#include <climits>
#include <cstddef>
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
constexpr int kStandardOutputDescriptor = 1;
constexpr int kStandardErrorDescriptor = 2;

// The largest count one call is asked to move: what _read and _write take as an unsigned
// int and report back as an int.
constexpr std::size_t kLargestTransfer = INT_MAX;

constexpr std::size_t transfer_size(std::size_t count) noexcept {
  return count > kLargestTransfer ? kLargestTransfer : count;
}

// One unbuffered read of standard input: the bytes read, 0 at the end, -1 on an error.
long long read_descriptor(int descriptor, char* into, std::size_t capacity) noexcept {
#ifdef _WIN32
  return _read(descriptor, into, static_cast<unsigned>(transfer_size(capacity)));
#else
  return read(descriptor, into, transfer_size(capacity));
#endif
}

// One unbuffered write: the bytes taken, or -1 on an error. On Windows the descriptor is
// in text mode, so the C runtime turns each line feed into CR LF on the way out.
long long write_descriptor(int descriptor, const char* from, std::size_t count) noexcept {
#ifdef _WIN32
  return _write(descriptor, from, static_cast<unsigned>(transfer_size(count)));
#else
  return write(descriptor, from, transfer_size(count));
#endif
}

// Writes the rest of `text` after a first call took `written` bytes of it (or -1 for an
// error), asking again after a short write or an interruption; false on any other
// failure, and on a call that takes nothing, which would otherwise be repeated for ever.
// A count above the rest (a text-mode count of the added carriage returns) means done.
bool finish_write(int descriptor, std::string_view text, long long written) noexcept {
  for (;;) {
    if (written < 0) {
      if (errno != EINTR) return false;
    } else if (written == 0) {
      return false;
    } else if (static_cast<unsigned long long>(written) >= text.size()) {
      return true;
    } else {
      text.remove_prefix(static_cast<std::size_t>(written));
    }
    written = write_descriptor(descriptor, text.data(), text.size());
  }
}

// Writes all of `text` (not empty). A line is far shorter than a pipe's atomic size, so
// it leaves in the first call; only a failure or a short write needs the loop.
bool write_all(int descriptor, std::string_view text) noexcept {
  const long long written = write_descriptor(descriptor, text.data(), text.size());
  if (written == static_cast<long long>(text.size())) [[likely]]
    return true;
  return finish_write(descriptor, text, written);
}

}  // namespace

std::size_t StandardInput::read_some(char* into, std::size_t capacity) {
  for (;;) {
    const long long got = read_descriptor(kStandardInputDescriptor, into, capacity);
    if (got >= 0) return static_cast<std::size_t>(got);
    // Interrupted before anything arrived: ask again. Any other error (a directory, a
    // terminal that hung up) ends the input, exactly as the end of input does.
    if (errno != EINTR) return 0;
  }
}

void StandardOutput::write(const Line& line) {
  if (!write_all(kStandardOutputDescriptor, line.text())) throw OutputFailure{};
}

void report_output_failure() noexcept {
  // Nothing is left to tell if standard error fails too.
  static_cast<void>(write_all(kStandardErrorDescriptor, lines::output_failure().text()));
}

}  // namespace tage
