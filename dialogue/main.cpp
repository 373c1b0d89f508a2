#include <csignal>

#include "dialogue/console/number_reader.hpp"
#include "dialogue/console/standard_streams.hpp"
#include "dialogue/date_dialogue.hpp"
#include "dialogue/report_lines.hpp"

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
    tage::close_standard_output();
  } catch (const tage::OutputFailure&) {
    tage::write_to_standard_error(tage::lines::output_failure().text());
    return 1;
  }
  return 0;
}
