#include "dialogue/report_lines.hpp"

#include <cstddef>
#include <cstdint>

namespace tage::lines {
namespace {

// A number whose place in the line is recorded as it is appended.
template <typename Integer>
struct Marked {
  Integer number;
  NumberPlace& place;  // cppcheck-suppress unusedStructMember ; used by append_piece
};

template <typename Integer>
Marked<Integer> marked(Integer number, NumberPlace& place) noexcept {
  return {number, place};
}

template <typename Piece>
inline constexpr bool kIsMarked = false;
template <typename Integer>
inline constexpr bool kIsMarked<Marked<Integer>> = true;

template <typename Piece>
constexpr std::size_t longest_spelling() noexcept {
  if constexpr (kIsMarked<Piece>) {
    return Line::longest_spelling<decltype(Piece::number)>();
  } else {
    return Line::longest_spelling<Piece>();
  }
}

template <typename Piece>
void append_piece(Line& line, const Piece& piece) noexcept {
  if constexpr (kIsMarked<Piece>) {
    piece.place.first = line.size();
    line.append(piece.number);
    piece.place.last = line.size();
  } else {
    line.append(piece);
  }
}

// Joins the pieces into one line and closes it with its line feed. The longest line the
// pieces can make, every number at its widest, must fit: each form is checked here.
template <typename... Pieces>
Line make_line(const Pieces&... pieces) noexcept {
  static_assert((longest_spelling<Pieces>() + ... + 0) + Line::kLineEndLength <= Line::kCapacity,
                "a line of this form could be cut short");
  Line line;
  if constexpr ((kIsMarked<Pieces> || ...)) {
    (append_piece(line, pieces), ...);
    line.end();
  } else {
    // All pieces in one go: the line's size is stored once.
    line.append(pieces..., Line::kLineEnd);
  }
  return line;
}

}  // namespace

Line first_date_prompt() {
  return make_line("Geben Sie das erste Datum TT MM JJJJ ein, bestaetigen Sie jeweils mit ENTER: ");
}

Line second_date_prompt() {
  return make_line(
      "Geben Sie das zweite Datum TT MM JJJJ ein, bestaetigen Sie jeweils mit ENTER: ");
}

Line day_prompt() {
  return make_line("Tag: ");
}

Line month_prompt() {
  return make_line("Monat: ");
}

Line year_prompt() {
  return make_line("Jahr: ");
}

Line blank() {
  return make_line();
}

Line same_month_result(std::int64_t total) {
  return make_line("Es sind Tage= ", total, " vergangen.");
}

Line month_end_rest(std::int64_t total) {
  return make_line("Es sind ", total, " Tage bis zum ersten Monatsende vergangen.");
}

Line month_step(std::int32_t index, std::int32_t length) {
  return make_line("im Monat[", index, "] kommen ", length, " Tage dazu.");
}

Line interim(std::int64_t total) {
  return make_line("Zwischenstand: ", total);
}

Line month_end_total(std::int64_t total) {
  return make_line("Es sind ", total, " Tage bis zum Ende dieses Monats vergangen.");
}

Line first_month_rest(std::int64_t total) {
  return make_line("Es gibt ", total, " Resttage im ersten Monat");
}

Line first_year_rest(std::int64_t total) {
  return make_line("Es gibt ", total, " Resttage im ersten Jahr");
}

Line whole_year(std::int32_t year, std::int64_t total, WholeYearPlaces& places) {
  return make_line("Inklusive ", marked(year, places.year), " sind es ",
                   marked(total, places.total), " Tage.");
}

Line whole_year(std::int32_t year, std::int64_t total) {
  WholeYearPlaces places;
  return whole_year(year, total, places);
}

Line two_year_total(std::int64_t total) {
  return make_line("Es gibt ", total, " Tage");
}

Line summary(const DatePair& dates, std::int64_t total) {
  const Date& first = dates.first;
  const Date& second = dates.second;
  return make_line("Vom ", first.day, ". ", first.month, ". ", first.year, " bis ", second.day,
                   ". ", second.month, ". ", second.year, " sind ", total, " Tage vergangen.");
}

Line output_failure() {
  return make_line("Fehler: Die Ausgabe konnte nicht geschrieben werden.");
}

}  // namespace tage::lines
