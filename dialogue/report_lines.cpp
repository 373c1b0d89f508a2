#include "dialogue/report_lines.hpp"

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

// Joins the pieces into one line, built in place, and closes it with its line feed.
template <typename... Pieces>
Line make_line(const Pieces&... pieces) {
  Line line;
  (static_cast<void>(line << pieces), ...);
  line.end();
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
  return make_line(kIncluding, year, kItMakes, total, kDaysFullStop);
}

Line two_year_total(std::int64_t total) {
  return make_line(kThereAre, total, kDays);
}

Line summary(const DatePair& dates, std::int64_t total) {
  const Date& first = dates.first;
  const Date& second = dates.second;
  return make_line(kFrom, first.day, kDateJoin, first.month, kDateJoin, first.year, kTo, second.day,
                   kDateJoin, second.month, kDateJoin, second.year, kAre, total, kDaysPassed);
}

}  // namespace tage::lines
