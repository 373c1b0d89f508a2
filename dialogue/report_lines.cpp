#include "dialogue/report_lines.hpp"

#include <cerrno>
#include <cstddef>
#include <cstdint>

#include "dialogue/console/failure_causes.hpp"

// Each form is one Line::of, which proves at compile time that every line of the form
// fits.
namespace tage::lines {

Line first_date_prompt() {
  return Line::of("Geben Sie das erste Datum TT MM JJJJ ein, bestaetigen Sie jeweils mit ENTER: ");
}

Line second_date_prompt() {
  return Line::of("Geben Sie das zweite Datum TT MM JJJJ ein, bestaetigen Sie jeweils mit ENTER: ");
}

Line day_prompt() {
  return Line::of("Tag: ");
}

Line month_prompt() {
  return Line::of("Monat: ");
}

Line year_prompt() {
  return Line::of("Jahr: ");
}

Line blank() {
  return Line::of();
}

Line same_month_result(std::int64_t total) {
  return Line::of("Es sind Tage= ", total, " vergangen.");
}

Line month_end_rest(std::int64_t total) {
  return Line::of("Es sind ", total, " Tage bis zum ersten Monatsende vergangen.");
}

Line month_step(std::int32_t index, std::int32_t length) {
  return Line::of("im Monat[", index, "] kommen ", length, " Tage dazu.");
}

Line interim(std::int64_t total) {
  return Line::of("Zwischenstand: ", total);
}

Line month_end_total(std::int64_t total) {
  return Line::of("Es sind ", total, " Tage bis zum Ende dieses Monats vergangen.");
}

Line first_month_rest(std::int64_t total) {
  return Line::of("Es gibt ", total, " Resttage im ersten Monat");
}

Line first_year_rest(std::int64_t total) {
  return Line::of("Es gibt ", total, " Resttage im ersten Jahr");
}

Line whole_year(std::int32_t year, std::int64_t total) {
  return Line::of("Inklusive ", year, " sind es ", total, " Tage.");
}

Line two_year_total(std::int64_t total) {
  return Line::of("Es gibt ", total, " Tage");
}

Line summary(const DatePair& dates, std::int64_t total) {
  const Date& first = dates.first;
  const Date& second = dates.second;
  return Line::of("Vom ", first.day, ". ", first.month, ". ", first.year, " bis ", second.day, ". ",
                  second.month, ". ", second.year, " sind ", total, " Tage vergangen.");
}

namespace {

// A failure the input and the output share: the sentence, then the reason.
template <std::size_t N>
Line device_or_system_failure(const char (&failed)[N], int cause) {
  if (cause == EIO) return Line::of(failed, "Ein-/Ausgabefehler des Geraets.");
  return Line::of(failed, "Systemfehler ", static_cast<std::int32_t>(cause), ".");
}

}  // namespace

// The sentences and the reasons, in the program's own words: the C library's strerror
// would speak English, or the language of whatever locale happens to be set.

Line output_failure(int cause) {
  constexpr char kFailed[] = "Fehler: Die Ausgabe konnte nicht geschrieben werden: ";
  switch (cause) {
    case kOutputIncomplete:
      return Line::of(kFailed, "die Ausgabe hat nicht alles angenommen.");
    case ENOSPC:
      return Line::of(kFailed, "kein Platz mehr auf dem Datentraeger.");
#ifdef EDQUOT
    case EDQUOT:
      return Line::of(kFailed, "das Speicherkontingent ist erschoepft.");
#endif
    case EFBIG:
      return Line::of(kFailed, "die Datei waere zu gross.");
    case EBADF:
      return Line::of(kFailed, "die Ausgabe ist geschlossen.");
    case EPIPE:
      return Line::of(kFailed, "der Empfaenger liest nicht mehr.");
    default:
      return device_or_system_failure(kFailed, cause);
  }
}

Line input_failure(int cause) {
  constexpr char kFailed[] = "Fehler: Die Eingabe konnte nicht gelesen werden: ";
  switch (cause) {
    case EISDIR:
      return Line::of(kFailed, "die Eingabe ist ein Verzeichnis.");
    case EBADF:
      return Line::of(kFailed, "die Eingabe ist geschlossen.");
    default:
      return device_or_system_failure(kFailed, cause);
  }
}

}  // namespace tage::lines
