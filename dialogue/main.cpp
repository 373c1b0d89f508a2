#include <csignal>

#include "dialogue/date_dialogue.hpp"
#include "dialogue/number_reader.hpp"
#include "dialogue/standard_streams.hpp"

#ifdef SIGPIPE
#include <signal.h>  // sigaction: POSIX, where there are pipes to close

namespace {

// A closed pipe then shows as a failed write, reported below, instead of a silent kill.
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
  tage::StandardOutput out;
  try {
    tage::run_date_dialogue(in, out);
  } catch (const tage::OutputFailure&) {
    tage::report_output_failure();
    return 1;
  }
  return 0;
}
