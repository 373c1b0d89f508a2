#include "dialogue/report_lines.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tage::lines {
namespace {

constexpr std::string_view kFirstDatePrompt =
    "Geben Sie das erste Datum TT MM JJJJ ein, bestaetigen Sie jeweils mit ENTER: ";
constexpr std::string_view kSecondDatePrompt =
    "Geben Sie das zweite Datum TT MM JJJJ ein, bestaetigen Sie jeweils mit ENTER: ";
constexpr std::string_view kDayPrompt = "Tag: ";
constexpr std::string_view kMonthPrompt = "Monat: ";
constexpr std::string_view kYearPrompt = "Jahr: ";

constexpr std::string_view kSameMonthBefore = "Es sind Tage= ";
constexpr std::string_view kPassed = " vergangen.";
constexpr std::string_view kItIs = "Es sind ";
constexpr std::string_view kToFirstMonthEnd = " Tage bis zum ersten Monatsende vergangen.";
constexpr std::string_view kStepBefore = "im Monat[";
constexpr std::string_view kStepBetween = "] kommen ";
constexpr std::string_view kStepAfter = " Tage dazu.";
constexpr std::string_view kInterim = "Zwischenstand: ";
constexpr std::string_view kToThisMonthEnd = " Tage bis zum Ende dieses Monats vergangen.";
constexpr std::string_view kThereAre = "Es gibt ";
constexpr std::string_view kRestOfFirstMonth = " Resttage im ersten Monat";
constexpr std::string_view kRestOfFirstYear = " Resttage im ersten Jahr";
constexpr std::string_view kIncluding = "Inklusive ";
constexpr std::string_view kItMakes = " sind es ";
constexpr std::string_view kDaysFullStop = " Tage.";
constexpr std::string_view kDays = " Tage";
constexpr std::string_view kFrom = "Vom ";
constexpr std::string_view kDateJoin = ". ";
constexpr std::string_view kTo = " bis ";
constexpr std::string_view kAre = " sind ";
constexpr std::string_view kDaysPassed = " Tage vergangen.";
constexpr std::string_view kLineEnd = "\n";
constexpr std::string_view kOutputFailure = "Fehler: Die Ausgabe konnte nicht geschrieben werden.";

// Whole-year lines rewrite the last three digits of a number in place, from a table of
// all three-digit spellings "000" to "999".
constexpr std::size_t kLowDigits = 3;
constexpr std::int64_t kLowDigitsRange = 1000;
constexpr std::int64_t kSmallestInPlace = kLowDigitsRange / 10;  // the smallest with 3 digits
using ThreeDigitTable = std::array<std::array<char, kLowDigits>, kLowDigitsRange>;

constexpr ThreeDigitTable three_digit_spellings() noexcept {
  ThreeDigitTable table{};
  for (std::size_t value = 0; value < table.size(); ++value) {
    table[value] = {static_cast<char>('0' + value / 100), static_cast<char>('0' + value / 10 % 10),
                    static_cast<char>('0' + value % 10)};
  }
  return table;
}

constexpr ThreeDigitTable kThreeDigits = three_digit_spellings();

// Adds 1 to the decimal number `digits` spells, in place; false, with the digits left
// all zeros, where the sum needs one more digit (all were 9).
constexpr bool increment_digits(std::span<char> digits) noexcept {
  for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
    if (*digit != '9') {
      ++*digit;
      return true;
    }
    *digit = '0';
  }
  return false;
}

// Appends `value` to `line` and says where its digits stand.
WholeYearLines::DigitField append_field(Line& line, std::int64_t value) noexcept {
  const std::size_t first = line.size();
  line << value;
  return {first, line.size(), value, value % kLowDigitsRange};
}

// Joins the pieces into one line, built in place, and closes it with its line feed.
template <typename... Pieces>
Line make_line(const Pieces&... pieces) {
  Line line;
  line.append(pieces..., kLineEnd);
  return line;
}

// The longest line: a summary with six 11-character numbers ("-2147483648"), a total of
// the longest 64-bit length and the line feed.
constexpr std::size_t kMaxEnteredNumberLength = 11;
constexpr std::size_t kEnteredNumbers = 6;
constexpr std::size_t kDateJoins = 4;
constexpr std::size_t kLongestSummary =
    kFrom.size() + kTo.size() + kAre.size() + kDaysPassed.size() + kDateJoins * kDateJoin.size() +
    kEnteredNumbers * kMaxEnteredNumberLength + Line::kMaxNumberLength + 1;
static_assert(kLongestSummary <= Line::kCapacity);
static_assert(kSecondDatePrompt.size() + 1 <= Line::kCapacity);
static_assert(kOutputFailure.size() + 1 <= Line::kCapacity);

}  // namespace

Line first_date_prompt() {
  return make_line(kFirstDatePrompt);
}
Line second_date_prompt() {
  return make_line(kSecondDatePrompt);
}
Line day_prompt() {
  return make_line(kDayPrompt);
}
Line month_prompt() {
  return make_line(kMonthPrompt);
}
Line year_prompt() {
  return make_line(kYearPrompt);
}
Line blank() {
  return make_line();
}

Line same_month_result(std::int64_t total) {
  return make_line(kSameMonthBefore, total, kPassed);
}

Line month_end_rest(std::int64_t total) {
  return make_line(kItIs, total, kToFirstMonthEnd);
}

Line month_step(int index, std::int32_t length) {
  return make_line(kStepBefore, static_cast<std::int32_t>(index), kStepBetween, length, kStepAfter);
}

Line interim(std::int64_t total) {
  return make_line(kInterim, total);
}

Line month_end_total(std::int64_t total) {
  return make_line(kItIs, total, kToThisMonthEnd);
}

Line first_month_rest(std::int64_t total) {
  return make_line(kThereAre, total, kRestOfFirstMonth);
}

Line first_year_rest(std::int64_t total) {
  return make_line(kThereAre, total, kRestOfFirstYear);
}

Line whole_year(std::int32_t year, std::int64_t total) {
  // Built by the same code as the lines of a walk, so that the form is written once.
  return WholeYearLines().next(year, total);
}

Line two_year_total(std::int64_t total) {
  return make_line(kThereAre, total, kDays);
}

const Line& WholeYearLines::next(std::int32_t year, std::int64_t total) {
  if (!respell(year_, year) || !respell(total_, total)) [[unlikely]]
    build(year, total);
  return line_;
}

bool WholeYearLines::respell(DigitField& field, std::int64_t value) noexcept {
  // A held value of at least 100 has three digits and no sign. The tests come before the
  // subtraction, so that it is only made for 100 <= field.value <= value and cannot
  // overflow for any 64-bit value.
  if (field.value < kSmallestInPlace || value < field.value) return false;
  const std::int64_t step = value - field.value;
  if (step >= kLowDigitsRange) return false;
  // low + step in [0, 1997]: past 999 the part above the last three digits grows by 1.
  std::int64_t low = field.low + step;
  const bool carry = low >= kLowDigitsRange;
  if (carry) low -= kLowDigitsRange;
  const std::span<char> chars = line_.written();
  std::char_traits<char>::copy(&chars[field.last - kLowDigits],
                               kThreeDigits[static_cast<std::size_t>(low)].data(), kLowDigits);
  field.value = value;
  field.low = low;
  const std::span<char> above_low_digits(chars.data() + field.first,
                                         chars.data() + field.last - kLowDigits);
  return !carry || increment_digits(above_low_digits);
}

void WholeYearLines::build(std::int32_t year, std::int64_t total) {
  line_.clear();
  line_ << kIncluding;
  year_ = append_field(line_, year);
  line_ << kItMakes;
  total_ = append_field(line_, total);
  line_ << kDaysFullStop;
  line_.end();
}

Line summary(const DatePair& dates, std::int64_t total) {
  const Date& first = dates.first;
  const Date& second = dates.second;
  return make_line(kFrom, first.day, kDateJoin, first.month, kDateJoin, first.year, kTo, second.day,
                   kDateJoin, second.month, kDateJoin, second.year, kAre, total, kDaysPassed);
}

Line output_failure() {
  return make_line(kOutputFailure);
}

}  // namespace tage::lines
