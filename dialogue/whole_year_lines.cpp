#include "dialogue/whole_year_lines.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "dialogue/report_lines.hpp"

namespace tage {
namespace {

// The total's last three digits are rewritten from a table of all their spellings, "000"
// to "999": one copy instead of a division per digit (bench/run.sh, "long span, per year
// line").
constexpr std::size_t kLowDigits = 3;
constexpr std::int64_t kLowDigitsRange = 1000;
constexpr std::int64_t kSmallestWithLowDigits = 100;
using LowDigitTable = std::array<std::array<char, kLowDigits>, kLowDigitsRange>;

constexpr LowDigitTable low_digit_spellings() noexcept {
  LowDigitTable table{};
  for (std::size_t value = 0; value < table.size(); ++value) {
    table[value] = {static_cast<char>('0' + value / 100), static_cast<char>('0' + value / 10 % 10),
                    static_cast<char>('0' + value % 10)};
  }
  return table;
}
constexpr LowDigitTable kLowDigitSpellings = low_digit_spellings();
static_assert(kLowDigitSpellings[7][2] == '7' && kLowDigitSpellings[999][0] == '9');

constexpr std::string_view kDigits = "0123456789";

// Adds 1 to the decimal number that `digits` spell, in place; false, with the digits left
// all zeros, where the sum needs one more digit (all were 9, or there are none).
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

}  // namespace

inline bool WholeYearLines::next_year_in_place(std::int32_t year) noexcept {
  // year_.value is a 32-bit year or -1, so adding 1 in 64 bits cannot overflow; a held
  // year of 0 or more has no sign.
  if (year_.value < 0 || year != year_.value + 1) return false;
  char* const chars = line_.written().data();
  if (!increment_digits({chars + year_.first, chars + year_.last})) return false;
  year_.value = year;
  return true;
}

inline bool WholeYearLines::grow_total_in_place(std::int64_t total) noexcept {
  // The tests come before the subtraction, so that it is only made for
  // 100 <= total_.value <= total and cannot overflow; the held total has three digits or
  // more and no sign.
  if (total_.value < kSmallestWithLowDigits || total < total_.value) return false;
  const std::int64_t growth = total - total_.value;
  if (growth >= kLowDigitsRange) return false;
  std::int64_t low = total_low_ + growth;  // 0 to 1998: past 999 the digits above grow by 1
  const bool carry = low >= kLowDigitsRange;
  if (carry) low -= kLowDigitsRange;
  char* const chars = line_.written().data();
  std::char_traits<char>::copy(chars + total_.last - kLowDigits,
                               kLowDigitSpellings[static_cast<std::size_t>(low)].data(),
                               kLowDigits);
  total_.value = total;
  total_low_ = low;
  return !carry || increment_digits({chars + total_.first, chars + total_.last - kLowDigits});
}

const Line& WholeYearLines::next(std::int32_t year, std::int64_t total) {
  if (!next_year_in_place(year) || !grow_total_in_place(total)) [[unlikely]]
    build(year, total);
  return line_;
}

void WholeYearLines::build(std::int32_t year, std::int64_t total) {
  line_ = lines::whole_year(year, total);
  // The form's texts hold no digit: the year is the first run of digits, the total the last.
  const std::string_view text = line_.text();
  const std::size_t year_first = text.find_first_of(kDigits);
  const std::size_t year_last = text.find_first_not_of(kDigits, year_first);
  const std::size_t total_last = text.find_last_of(kDigits) + 1;
  const std::size_t total_first = text.find_last_not_of(kDigits, total_last - 1) + 1;
  year_ = {year_first, year_last, year};
  total_ = {total_first, total_last, total};
  total_low_ = total % kLowDigitsRange;
}

}  // namespace tage
