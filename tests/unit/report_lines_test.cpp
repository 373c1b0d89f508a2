#include "dialogue/report_lines.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

#include "dialogue/console/failure_causes.hpp"
#include "dialogue/whole_year_lines.hpp"

namespace tage {
namespace {

std::string text(const Line& line) {
  return std::string(line.text());
}

TEST(ReportLines, NumbersInPlainDecimalWithTheirSign) {
  EXPECT_EQ(text(lines::month_end_rest(-9)),
            "Es sind -9 Tage bis zum ersten Monatsende vergangen.\n");
  EXPECT_EQ(text(lines::interim(0)), "Zwischenstand: 0\n");
  EXPECT_EQ(text(lines::two_year_total(std::numeric_limits<std::int64_t>::max())),
            "Es gibt 9223372036854775807 Tage\n");
  EXPECT_EQ(text(lines::first_year_rest(std::numeric_limits<std::int64_t>::min())),
            "Es gibt -9223372036854775808 Resttage im ersten Jahr\n");
  EXPECT_EQ(text(lines::blank()), "\n");
}

// Each cause in the program's own words; any other errno by its number.
TEST(ReportLines, FailuresNameTheirCause) {
  const std::string wrote = "Fehler: Die Ausgabe konnte nicht geschrieben werden: ";
  const std::string read = "Fehler: Die Eingabe konnte nicht gelesen werden: ";
  const std::pair<Line, std::string> rows[] = {
      {lines::output_failure(kOutputIncomplete), wrote + "die Ausgabe hat nicht alles angenommen."},
      {lines::output_failure(ENOSPC), wrote + "kein Platz mehr auf dem Datentraeger."},
      {lines::output_failure(EFBIG), wrote + "die Datei waere zu gross."},
      {lines::output_failure(EBADF), wrote + "die Ausgabe ist geschlossen."},
      {lines::output_failure(EPIPE), wrote + "der Empfaenger liest nicht mehr."},
      {lines::output_failure(EIO), wrote + "Ein-/Ausgabefehler des Geraets."},
      {lines::output_failure(0), wrote + "Systemfehler 0."},
      {lines::output_failure(std::numeric_limits<int>::min()), wrote + "Systemfehler -2147483648."},
      {lines::input_failure(EISDIR), read + "die Eingabe ist ein Verzeichnis."},
      {lines::input_failure(EBADF), read + "die Eingabe ist geschlossen."},
      {lines::input_failure(EIO), read + "Ein-/Ausgabefehler des Geraets."},
      {lines::input_failure(EPIPE), read + "Systemfehler " + std::to_string(EPIPE) + "."},
      {lines::input_failure(std::numeric_limits<int>::max()), read + "Systemfehler 2147483647."},
  };
  for (const auto& [line, expected] : rows) EXPECT_EQ(text(line), expected + "\n");
}

// The whole-year lines rewrite digits in place where they can; every line must still be
// the one built anew, across carries, growing and shrinking widths, signs and jumps.
TEST(ReportLines, WholeYearLinesEqualTheLinesBuiltAnew) {
  struct Walk {
    std::int32_t year;
    std::int64_t total;
    std::int32_t years;
    std::int64_t step;
  };
  const Walk walks[] = {
      {990, 0, 30, 365},            // totals through 999 to 1000, years to 1019
      {9990, 99'000, 20, 366},      // a year of five digits, a total of six
      {-105, -1'500, 20, 365},      // negative years and totals through zero
      {1000, 999'999'635, 3, 365},  // a total of ten digits
      {2147483640, 5, 7, 999},      // the largest steps made in place, to the last year
      {100, 100, 5, 1000},          // a step too large for the last three digits
      {5, 99, 10, 1},               // numbers below 100 and up to it
      {101, 146, 9, 365},           // both numbers of three digits from the start
      {100, 19'800, 3, 365},        // a carry through a 9 above the last three digits
      {-30, -11'000, 160, 365},     // from negative years and totals into positive ones,
                                    // through every width of both
      {-3, 364, 5, 365},            // from year -1 to 0 with a total rewritten in place
  };
  for (const Walk& walk : walks) {
    WholeYearLines year_lines;
    std::int64_t total = walk.total;
    for (std::int32_t i = 0; i < walk.years; ++i, total += walk.step) {
      const std::int32_t year = walk.year + i;
      ASSERT_EQ(text(year_lines.next(year, total)), text(lines::whole_year(year, total)))
          << year << " " << total;
    }
  }
  // Out of order: a year repeated, going back, totals that fall and jump.
  WholeYearLines year_lines;
  const std::pair<std::int32_t, std::int64_t> pairs[] = {
      {2000, 5000},
      {2000, 5365},
      {1999, 5730},
      {2001, 5100},
      {2002, 99'999},
      {2003, 100'364},
      // From the largest total to the smallest and back: no difference may overflow.
      {2004, std::numeric_limits<std::int64_t>::max()},
      {2005, std::numeric_limits<std::int64_t>::min()},
      {2006, std::numeric_limits<std::int64_t>::max()}};
  for (const auto& [year, total] : pairs) {
    ASSERT_EQ(text(year_lines.next(year, total)), text(lines::whole_year(year, total)))
        << year << " " << total;
  }
}

}  // namespace
}  // namespace tage
