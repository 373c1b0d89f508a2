#pragma once

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace tage {

// One finished output line, built in place without allocation: literal pieces and numbers
// in plain decimal, closed by a single line feed. The capacity holds the longest line the
// program writes (each line form checks that at compile time); a piece that would not
// fit is cut short (text) or left out (a number) rather than written past the end.
class Line {
 public:
  // An empty line. The characters are left uninitialised, as only the first size()
  // are ever read, so that building a line costs no more than its text.
  Line() noexcept {}  // NOLINT(modernize-use-equals-default): keeps Line{} cheap

  // Copies only the characters written: the rest were never set, and reading them, even
  // to copy them, would use indeterminate values.
  Line(const Line& other) noexcept : size_(other.size_) {
    std::char_traits<char>::copy(chars_.data(), other.chars_.data(), size_);
  }
  Line& operator=(const Line& other) noexcept {
    if (this != &other) {
      size_ = other.size_;
      std::char_traits<char>::copy(chars_.data(), other.chars_.data(), size_);
    }
    return *this;
  }
  ~Line() = default;

  static constexpr std::size_t kCapacity = 256;
  static constexpr char kLineEnd[] = "\n";
  static constexpr std::size_t kLineEndLength = sizeof kLineEnd - 1;

  // The most characters a piece of type Piece can add: a literal's own length, 11 for a
  // 32-bit number ("-2147483648"), 20 for a 64-bit one.
  template <typename Piece>
  static constexpr std::size_t longest_spelling() noexcept {
    if constexpr (std::is_array_v<Piece>) {
      return sizeof(Piece) - 1;  // a char array: without the terminating NUL
    } else {
      static_assert(std::is_same_v<Piece, std::int32_t> || std::is_same_v<Piece, std::int64_t>);
      return std::numeric_limits<Piece>::digits10 + 2;  // every digit and a sign
    }
  }

  // Appends the pieces in order: texts as they stand, 32-bit and 64-bit numbers with a
  // leading "-" for negatives, no padding and no grouping. Nothing else is a piece: a
  // character or a number of another type does not compile, so that ':' cannot turn up
  // as "58".
  template <typename... Pieces>
  Line& append(const Pieces&... pieces) noexcept {
    // The position lives in a local while the pieces go in: a character stored through a
    // char pointer may alias any object, the line's own size too, which would otherwise be
    // stored and loaded again around every character.
    Cursor cursor{chars_.data() + size_, chars_.data() + kCapacity};
    (cursor.put(pieces), ...);
    size_ = static_cast<std::size_t>(cursor.position - chars_.data());
    return *this;
  }

  // Closes the line with its line feed.
  Line& end() noexcept { return append(kLineEnd); }

  std::size_t size() const noexcept { return size_; }
  std::string_view text() const noexcept { return {chars_.data(), size_}; }

  // The characters written so far, for rewriting some of them in place; the size stays.
  std::span<char> written() noexcept { return {chars_.data(), size_}; }

 private:
  struct Cursor {
    char* position;
    char* const limit;

    void put(std::string_view text) noexcept {
      const auto room = static_cast<std::size_t>(limit - position);
      // Two copies, so that the usual one has the piece's own length: for a literal the
      // compiler knows it and copies inline, without a call.
      if (text.size() <= room) [[likely]] {
        std::char_traits<char>::copy(position, text.data(), text.size());
        position += text.size();
      } else {
        std::char_traits<char>::copy(position, text.data(), room);
        position = limit;
      }
    }

    // A literal: its length is known at compile time.
    template <std::size_t N>
    void put(const char (&text)[N]) noexcept {
      put(std::string_view(text, N - 1));
    }

    void put(std::int32_t number) noexcept { put_number(number); }
    void put(std::int64_t number) noexcept { put_number(number); }

    // Any other type, char and bool among them, is no piece.
    template <typename Other>
    void put(const Other&) = delete;

    // The digits go straight into place, two at a time, with no division per digit; a
    // 32-bit value is converted in 32-bit arithmetic, which is cheaper.
    template <typename Integer>
    void put_number(Integer number) noexcept {
      // A single digit, as most days and months are, needs no conversion.
      if (number >= 0 && number <= 9 && position != limit) {
        *position++ = static_cast<char>('0' + number);
        return;
      }
      const std::to_chars_result result = std::to_chars(position, limit, number);
      if (result.ec == std::errc{}) position = result.ptr;
    }
  };

  std::array<char, kCapacity> chars_;
  std::size_t size_ = 0;
};

}  // namespace tage
