#include "dialogue/whole_year_lines.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "dialogue/report_lines.hpp"

namespace tage {
namespace {

// The last three digits of a number are rewritten in place, from a table of all
// three-digit spellings "000" to "999".
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
static_assert(kThreeDigits[7][2] == '7' && kThreeDigits[999][0] == '9');

// Adds 1 to the decimal number `digits` spells, in place; false, with the digits left
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
  const std::int64_t step = value - field.value;  // 0 to 999 past the next test
  if (step >= kLowDigitsRange) return false;
  std::int64_t low = field.low + step;  // 0 to 1998: past 999 the digits above grow by 1
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
  lines::WholeYearPlaces places;
  line_ = lines::whole_year(year, total, places);
  year_ = {places.year.first, places.year.last, year, year % kLowDigitsRange};
  total_ = {places.total.first, places.total.last, total, total % kLowDigitsRange};
}

}  // namespace tage
