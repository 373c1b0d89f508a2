#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tage {

// One finished output line, built in place without allocation: literal pieces and numbers
// in plain decimal, closed by a single line feed. The capacity holds the longest line the
// program writes (see the static_assert beside the line forms); an append that would not
// fit is cut short rather than written past the end.
class Line {
 public:
  // An empty line. The characters are left uninitialised, as only the first size()
  // are ever read, so that building a line costs no more than its text.
  constexpr Line() noexcept {}  // NOLINT(modernize-use-equals-default): keeps Line{} cheap

  static constexpr std::size_t kCapacity = 256;
  // Characters of the longest 64-bit number: "-9223372036854775808".
  static constexpr std::size_t kMaxNumberLength = 20;

  constexpr Line& operator<<(std::string_view text) noexcept {
    const std::size_t count = std::min(text.size(), kCapacity - size_);
    std::char_traits<char>::copy(chars_.data() + size_, text.data(), count);
    size_ += count;
    return *this;
  }

  // Any 64-bit value, with a leading "-" for negatives, no padding and no grouping.
  constexpr Line& operator<<(std::int64_t number) noexcept {
    std::array<char, kMaxNumberLength> digits;
    char* const last = digits.data() + digits.size();
    char* first = last;
    // The magnitude in unsigned arithmetic, so that the most negative value has one too.
    std::uint64_t magnitude =
        number < 0 ? 0U - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
    do {
      *--first = static_cast<char>('0' + magnitude % 10U);
      magnitude /= 10U;
    } while (magnitude != 0);
    if (number < 0) *--first = '-';
    return *this << std::string_view(first, static_cast<std::size_t>(last - first));
  }

  constexpr Line& operator<<(std::int32_t number) noexcept {
    return *this << static_cast<std::int64_t>(number);
  }

  // Closes the line with its line feed.
  constexpr Line& end() noexcept { return *this << std::string_view("\n"); }

  constexpr std::string_view text() const noexcept { return {chars_.data(), size_}; }

 private:
  std::array<char, kCapacity> chars_;
  std::size_t size_ = 0;
};

}  // namespace tage
