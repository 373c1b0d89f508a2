#include "dialogue/console/standard_streams.hpp"

#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string_view>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <poll.h>
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

// One unbuffered write of at most one line: the bytes taken, or -1 on an error. On Windows
// the descriptor is in text mode, so the C runtime turns each line feed into CR LF on the
// way out. A line is far shorter than the largest count a call takes, so it needs no cut.
static_assert(Line::kCapacity <= kLargestTransfer);
long long write_descriptor(int descriptor, const char* from, std::size_t count) noexcept {
#ifdef _WIN32
  return _write(descriptor, from, static_cast<unsigned>(count));
#else
  return write(descriptor, from, count);
#endif
}

// What write_all returns for a line that went out whole; anything else is the cause of
// the failure.
constexpr int kWritten = 0;

#ifdef _WIN32

// In text mode the C runtime writes through a buffer of its own and counts what it
// reports from the bytes it passed on and the line feeds it translated; after a partial
// write that count is no position in the caller's text, so resuming from it could repeat
// or drop bytes. A line (at most Line::kCapacity bytes) that did not go out whole is
// therefore a failure: errno where the call failed, else kOutputIncomplete.
int write_all(int descriptor, std::string_view text) noexcept {
  const long long written = write_descriptor(descriptor, text.data(), text.size());
  if (written == static_cast<long long>(text.size())) return kWritten;
  return written < 0 ? errno : kOutputIncomplete;
}

// The Windows C runtime neither interrupts a read nor makes one non-blocking.
bool should_read_again() noexcept {
  return false;
}

// A pipe whose writer has closed is the end of input. The C runtime reports it as such
// already; should it report the broken pipe as an error instead, that is the end too.
bool failure_is_end_of_input() noexcept {
  return errno == EPIPE;
}

#else

// Waits until `descriptor` is ready for `events` (its end or an error included). False if
// even that cannot be waited for.
bool wait_until_ready(int descriptor, short events) noexcept {
  pollfd ready{descriptor, events, 0};
  for (;;) {
    if (poll(&ready, 1, -1) >= 0) return true;
    if (errno != EINTR) return false;
  }
}

// Writes the rest of `text` after a first call took `written` bytes of it (or -1 for an
// error): asks again after a short write or an interruption, and after a descriptor left
// non-blocking has room again. Returns kWritten, or the cause of the failure: errno, or
// kOutputIncomplete for a call that takes nothing, which would otherwise be repeated for
// ever.
[[gnu::cold]] int finish_write(int descriptor, std::string_view text, long long written) noexcept {
  for (;;) {
    if (written < 0) {
      const int cause = errno;
      if (cause == EAGAIN || cause == EWOULDBLOCK) {
        if (!wait_until_ready(descriptor, POLLOUT)) return errno;
      } else if (cause != EINTR) {
        return cause;
      }
    } else if (written == 0) {
      return kOutputIncomplete;
    } else if (static_cast<unsigned long long>(written) >= text.size()) {
      return kWritten;
    } else {
      text.remove_prefix(static_cast<std::size_t>(written));
    }
    written = write_descriptor(descriptor, text.data(), text.size());
  }
}

// Writes all of `text`, one line (not empty, at most Line::kCapacity bytes): kWritten, or
// the cause of the failure. A line is far shorter than a pipe's atomic size, so it
// usually leaves in the first call; only a failure or a short write needs the loop.
int write_all(int descriptor, std::string_view text) noexcept {
  const long long written = write_descriptor(descriptor, text.data(), text.size());
  if (written == static_cast<long long>(text.size())) [[likely]]
    return kWritten;
  return finish_write(descriptor, text, written);
}

// After a read failed with `errno`: true where reading again can succeed. An
// interruption before anything arrived asks again; a descriptor left non-blocking, with
// nothing ready yet, is waited on first.
bool should_read_again() noexcept {
  if (errno == EINTR) return true;
  if (errno == EAGAIN || errno == EWOULDBLOCK) {
    return wait_until_ready(kStandardInputDescriptor, POLLIN);
  }
  return false;
}

// Every failed read that is not asked again is a failure: the end of input is a read of 0.
bool failure_is_end_of_input() noexcept {
  return false;
}

#endif

int close_descriptor(int descriptor) noexcept {
#ifdef _WIN32
  return _close(descriptor);
#else
  return ::close(descriptor);
#endif
}

// Reads again after a read failed, for as long as reading again can succeed: the bytes
// read, 0 at the end, or -1 with errno set where reading again cannot succeed.
[[gnu::cold]] long long read_after_failure(char* into, std::size_t capacity) noexcept {
  while (should_read_again()) {
    const long long got = read_descriptor(kStandardInputDescriptor, into, capacity);
    if (got >= 0) return got;
  }
  return -1;
}

// Ends the run with the message for `cause` on standard error and status 1. Nothing is
// left to tell if standard error fails too. Nothing is buffered anywhere, so the process
// can end without running any exit handler. Out of line, so that the message it builds on
// the stack gives no caller a stack canary to check on every line (bench/run.sh, "long
// span, per year line").
[[noreturn, gnu::cold, gnu::noinline]] void end_run(FailureMessage message, int cause) noexcept {
  static_cast<void>(write_all(kStandardErrorDescriptor, message(cause).text()));
  std::_Exit(1);
}

constexpr char kControlZ = '\x1A';

}  // namespace

StandardInput::StandardInput(FailureMessage failure_message) noexcept
    : failure_message_(failure_message) {
#ifdef _WIN32
  // Should this fail, the descriptor is closed or no file, and its first read says so.
  static_cast<void>(_setmode(kStandardInputDescriptor, _O_BINARY));
  ends_at_control_z_ = _isatty(kStandardInputDescriptor) != 0;
#endif
}

std::size_t StandardInput::read_some(char* into, std::size_t capacity) {
  if (ended_) return 0;
  long long got = read_descriptor(kStandardInputDescriptor, into, capacity);
  if (got < 0) [[unlikely]] {
    got = read_after_failure(into, capacity);
    if (got < 0) {
      if (failure_is_end_of_input()) return 0;
      end_run(failure_message_, errno);
    }
  }
  const auto count = static_cast<std::size_t>(got);
  if (!ends_at_control_z_) [[likely]]
    return count;
  // What the user typed before a Ctrl+Z is still read; nothing after it is.
  const void* const control_z = std::memchr(into, kControlZ, count);
  if (control_z == nullptr) return count;
  ended_ = true;
  return static_cast<std::size_t>(static_cast<const char*>(control_z) - into);
}

void StandardOutput::write(const Line& line) {
  const int cause = write_all(kStandardOutputDescriptor, line.text());
  if (cause != kWritten) [[unlikely]]
    end_run(failure_message_, cause);
}

void StandardOutput::close() {
  // Not asked again after EINTR: on Linux the descriptor is gone whatever close returns.
  if (close_descriptor(kStandardOutputDescriptor) != 0) end_run(failure_message_, errno);
}

}  // namespace tage
