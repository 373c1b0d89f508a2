#include <csignal>

#include "dialogue/date_dialogue.hpp"
#include "dialogue/number_reader.hpp"
#include "dialogue/standard_streams.hpp"

int main() {
#ifdef SIGPIPE
  // A closed pipe then shows as a failed write, reported below, instead of a silent kill.
  // Should this fail, a closed pipe still ends the run at once, only by the signal.
  static_cast<void>(std::signal(SIGPIPE, SIG_IGN));
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
