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

// One finished output line, a plain value without allocation: literal pieces and numbers
// in plain decimal, closed by a single line feed. A line is built whole by Line::of, which
// proves at compile time that the longest line its pieces can make fits, so nothing is
// ever cut or left out at run time.
class Line {
 public:
  static constexpr std::size_t kCapacity = 256;
  static constexpr char kLineEnd[] = "\n";
  static constexpr std::size_t kLineEndLength = sizeof kLineEnd - 1;

  // The line made of `pieces` in order and a line feed: texts as they stand, 32-bit and
  // 64-bit numbers with a leading "-" for negatives, no padding and no grouping. Nothing
  // else is a piece: a character or a number of another type does not compile, so that
  // ':' cannot turn up as "58".
  template <typename... Pieces>
  static Line of(const Pieces&... pieces) noexcept {
    static_assert((longest_spelling<Pieces>() + ... + 0) + kLineEndLength <= kCapacity,
                  "a line of this form could be longer than a Line holds");
    Line line;
    Cursor cursor{line.chars_.data(), line.chars_.data()};
    (cursor.put(pieces), ...);
    cursor.put(kLineEnd);
    line.size_ = static_cast<std::size_t>(cursor.position - cursor.start);
    return line;
  }

  std::size_t size() const noexcept { return size_; }
  std::string_view text() const noexcept { return {chars_.data(), size_}; }

  // The characters written, for rewriting some of them in place; the size stays.
  std::span<char> written() noexcept { return {chars_.data(), size_}; }

 private:
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

  // Writes pieces one after another; Line::of has proved that they fit.
  struct Cursor {
    char* const start;
    char* position;

    // A literal, without its terminating NUL.
    template <std::size_t N>
    void put(const char (&text)[N]) noexcept {
      std::char_traits<char>::copy(position, text, N - 1);
      position += N - 1;
    }

    void put(std::int32_t number) noexcept { put_number(number); }
    void put(std::int64_t number) noexcept { put_number(number); }

    // Any other type, char and bool among them, is no piece.
    template <typename Other>
    void put(const Other&) = delete;

    template <typename Integer>
    void put_number(Integer number) noexcept {
      // The room is there (see Line::of), so the conversion cannot fail.
      position = std::to_chars(position, start + kCapacity, number).ptr;
    }
  };

  std::array<char, kCapacity> chars_{};
  std::size_t size_ = 0;
};

}  // namespace tage
