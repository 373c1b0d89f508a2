#include <csignal>

#include "dialogue/console/number_reader.hpp"
#include "dialogue/console/standard_streams.hpp"
#include "dialogue/date_dialogue.hpp"
#include "dialogue/report_lines.hpp"

#ifdef SIGPIPE
#include <signal.h>  // sigaction: POSIX, where there are pipes to close

namespace {

// A closed pipe then shows as a failed write, which the writer reports, instead of a
// silent kill.
// Should this fail, a closed pipe still ends the run at once, only by the signal.
void ignore_closed_pipes() noexcept {
  struct sigaction ignore = {};
  ignore.sa_handler = SIG_IGN;
  static_cast<void>(sigaction(SIGPIPE, &ignore, nullptr));
}

}  // namespace
#endif

int main() {
#ifdef SIGPIPE
  ignore_closed_pipes();
#endif
  tage::StandardInput input;
  tage::NumberReader in(input);
  // A line that cannot be written ends the run with this message and status 1.
  const tage::Line failure_message = tage::lines::output_failure();
  tage::StandardOutput out(failure_message.text());
  tage::run_date_dialogue(in, out);
  out.close();
  return 0;
}
