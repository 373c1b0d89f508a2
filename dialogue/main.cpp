// WASI has no signals, and its C library refuses <csignal> outright.
#ifndef __wasi__
#include <csignal>
#endif

#include "dialogue/console/number_reader.hpp"
#include "dialogue/console/standard_streams.hpp"
#include "dialogue/date_dialogue.hpp"
#include "dialogue/report_lines.hpp"

#ifdef SIGPIPE
#include <signal.h>  // sigaction: POSIX, where there are pipes to close and file size limits

namespace {

// A closed pipe and a file grown to the size limit then show as failed writes (EPIPE,
// EFBIG), which the writer reports with their cause, instead of a silent kill that leaves
// half a line behind. Should this fail, such a run still ends at once, only by the signal.
void report_instead_of_signal(int signal_number) noexcept {
  struct sigaction ignore = {};
  ignore.sa_handler = SIG_IGN;
  static_cast<void>(sigaction(signal_number, &ignore, nullptr));
}

}  // namespace
#endif

int main() {
#ifdef SIGPIPE
  report_instead_of_signal(SIGPIPE);
  report_instead_of_signal(SIGXFSZ);
#endif
  // A read that fails and a line that cannot be written end the run with these messages
  // and status 1.
  tage::StandardInput input(&tage::lines::input_failure);
  tage::NumberReader in(input);
  tage::StandardOutput out(&tage::lines::output_failure);
  tage::run_date_dialogue(in, out);
  out.close();
  return 0;
}
