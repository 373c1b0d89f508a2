#include <csignal>
#include <iostream>

#include "dialogue/date_dialogue.hpp"
#include "dialogue/number_reader.hpp"
#include "dialogue/report_lines.hpp"
#include "dialogue/stream_line_writer.hpp"

int main() {
  // Unsynchronised streams read and write through their own buffers: one write per line
  // and a read that takes whatever the terminal or pipe has ready.
  std::ios_base::sync_with_stdio(false);
#ifdef SIGPIPE
  // A closed pipe then shows as a failed write, reported below, instead of a silent kill.
  // Should this fail, a closed pipe still ends the run at once, only by the signal.
  static_cast<void>(std::signal(SIGPIPE, SIG_IGN));
#endif
  tage::NumberReader in(*std::cin.rdbuf());
  tage::StreamLineWriter out(*std::cout.rdbuf());
  try {
    tage::run_date_dialogue(in, out);
  } catch (const tage::OutputFailure&) {
    std::cerr << tage::lines::kOutputFailure << '\n';
    return 1;
  }
  return 0;
}
