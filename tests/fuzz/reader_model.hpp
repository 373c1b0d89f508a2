#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tage::model {

// One read of a number, written as plainly as possible and apart from the reader itself,
// so that the two can be compared on any input: the characters are first cut out of the
// text by index, then converted digit by digit in 64 bits, reduced modulo 2^32 at every step.
struct Read {
  std::int32_t value;
  std::size_t consumed;
  bool failed;
  bool exhausted;
};

inline bool white(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
inline bool decimal(char c) {
  return c >= '0' && c <= '9';
}
inline bool hexadecimal(char c) {
  return decimal(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
inline std::uint64_t digit_value(char c) {
  if (decimal(c)) return static_cast<std::uint64_t>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<std::uint64_t>(c - 'a' + 10);
  return static_cast<std::uint64_t>(c - 'A' + 10);
}

// The characters that `input` encodes, and how many bytes of byte-order mark it starts
// with: after a UTF-8 mark the bytes that follow; after a UTF-16 mark each whole code unit
// as one character, ASCII as itself and anything else as a byte outside ASCII; otherwise
// the bytes themselves.
struct Decoded {
  std::string characters;
  std::size_t mark;
  bool utf16;
};
inline Decoded decode(std::string_view input) {
  if (input.substr(0, 3) == "\xEF\xBB\xBF") return {std::string(input.substr(3)), 3, false};
  const bool little_endian = input.substr(0, 2) == "\xFF\xFE";
  if (!little_endian && input.substr(0, 2) != "\xFE\xFF") return {std::string(input), 0, false};
  std::string characters;
  for (std::size_t i = 2; i + 1 < input.size(); i += 2) {
    const unsigned first = static_cast<unsigned char>(input[i]);
    const unsigned second = static_cast<unsigned char>(input[i + 1]);
    const unsigned unit = little_endian ? second * 256 + first : first * 256 + second;
    characters += unit < 128 ? static_cast<char>(unit) : '\x80';
  }
  return {characters, 2, true};
}

// Reads from `text` at `start` into a value that was `before`.
inline Read read(std::string_view text, std::size_t start, std::int32_t before) {
  constexpr std::uint64_t kModulus = 4294967296;
  const std::size_t n = text.size();
  std::size_t i = start;
  while (i < n && white(text[i])) ++i;
  if (i == n) return {before, i - start, true, true};

  bool negative = false;
  if (text[i] == '+' || text[i] == '-') {
    negative = text[i] == '-';
    ++i;
  }
  std::string digits;
  std::uint64_t base = 10;
  if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    i += 2;
    base = 16;
    while (i < n && hexadecimal(text[i])) digits += text[i++];
  } else {
    while (i < n && decimal(text[i])) digits += text[i++];
    if (!digits.empty() && digits[0] == '0') base = 8;
  }
  const bool exhausted = i == n;
  if (digits.empty()) return {before, i - start, true, exhausted};

  std::uint64_t value = 0;
  for (const char c : digits) {
    const std::uint64_t digit = digit_value(c);
    if (digit >= base) break;  // only an 8 or 9 in an octal number
    value = (value * base + digit) % kModulus;
  }
  if (negative) value = (kModulus - value) % kModulus;
  const auto as_signed = value >= kModulus / 2 ? static_cast<std::int64_t>(value) - 4294967296
                                               : static_cast<std::int64_t>(value);
  return {static_cast<std::int32_t>(as_signed), i - start, false, exhausted};
}

}  // namespace tage::model
