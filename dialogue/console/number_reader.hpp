#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "dialogue/console/byte_source.hpp"

namespace tage {

// Reads whole numbers from a byte source by the program's own rules, which differ from
// any library's extraction:
//
// - Once the input has failed or is exhausted, a read does nothing: the value is kept,
//   nothing is consumed and nothing is waited for.
// - White space (blank, tab, line feed, carriage return, vertical tab, form feed) is
//   skipped, empty lines included. End of input there fails the read and exhausts input.
// - Taken are an optional "+" or "-", then either "0x"/"0X" and all hexadecimal digits
//   after it, or all decimal digits. The first character that does not fit stays unread.
// - Hexadecimal after the prefix, octal when the first digit is 0, decimal otherwise.
//   Octal conversion stops at the first 8 or 9; the digits from there on are taken but add
//   nothing ("018" is 1, "08" is 0).
// - No digit taken (a lone sign, a bare "0x", a letter) fails the read; the value is kept.
// - The value stored is the low 32 bits of the exact value, as a signed number: overflow
//   wraps and never fails. A number of any length is read in constant memory.
// - A number that runs up to the end of input is stored, and the input is exhausted.
//
// Bytes outside ASCII, NUL included, are neither white space nor digits.
//
// Input that starts with a byte-order mark, as files from Windows editors do, is read as
// the characters it encodes: a UTF-8 mark (EF BB BF) is dropped; after a UTF-16 mark
// (FF FE little-endian, FE FF big-endian) each code unit is one character, those outside
// ASCII neither white space nor digits, as their UTF-8 bytes would be. A mark anywhere
// else is data.
//
// The reader never asks the source for more than it has ready, so at a terminal a read
// waits for no more than the line the user typed.
class NumberReader {
 public:
  explicit NumberReader(ByteSource& source) noexcept : source_(source) {}
  // Not copied: the read position points into the reader's own buffer.
  NumberReader(const NumberReader&) = delete;
  NumberReader& operator=(const NumberReader&) = delete;

  // Reads one number into `value` by the rules above.
  void read(std::int32_t& value);

  bool failed() const noexcept { return failed_; }
  bool exhausted() const noexcept { return exhausted_; }

  // The bytes already taken from the source but not yet read; the source holds the rest.
  std::string_view buffered() const noexcept {
    return {next_, static_cast<std::size_t>(end_ - next_)};
  }

 private:
  // Room for whatever one read of the source may hand over: a line at a terminal, a
  // block from a pipe or file.
  static constexpr std::size_t kBufferSize = std::size_t{64} * 1024;
  static constexpr int kEndOfInput = -1;

  // The next byte (0..255) without taking it, or kEndOfInput, which also exhausts input.
  int peek();
  void skip();
  // Takes white space up to the next other byte, or to the end of input.
  void skip_white_space();
  // Takes a sign, once white space has been skipped short of the end; true for "-".
  bool take_sign();
  // Takes the digits of a number; returns whether any counted, and folds them into `value`.
  bool take_digits(std::uint32_t& value);
  // The value of a byte as a digit, or a marker value where the byte is no digit.
  using DigitValue = std::uint32_t (*)(int) noexcept;
  // Takes the digits that `digit_value` knows, folding them into `value` in `base`;
  // returns whether any was taken. A template argument, so that the per-byte call is
  // inlined (bench/run.sh, "10 MB number, ratio").
  template <DigitValue digit_value>
  bool take_and_fold(std::uint32_t& value, std::uint32_t base);
  // Takes bytes while `accept` says so, refilling as needed.
  template <typename Accept>
  void take_while(Accept accept);
  bool refill();

  // How the bytes of the input encode its characters, known once its start is read.
  enum class Encoding : std::uint8_t { unknown, bytes, utf16_little_endian, utf16_big_endian };
  // Reads the next characters into the buffer, returning how many: 0 when none came,
  // which is the end of input where `source_ended_` is set (an odd byte of UTF-16 or a
  // byte-order mark alone is no character, and asks for another read).
  std::size_t read_characters();
  // Reads until the start of input shows whether it is a byte-order mark, and sets the
  // encoding; returns the bytes of data read, moved to the start of the buffer.
  std::size_t read_start();
  // Turns the UTF-16 code units in the first `count` bytes of the buffer into one
  // character each, in place, keeping an odd last byte for the next read; returns the
  // characters.
  std::size_t decode_utf16(std::size_t count) noexcept;

  ByteSource& source_;
  std::array<char, kBufferSize> buffer_;  // only [next_, end_) is ever read
  const char* next_ = buffer_.data();
  const char* end_ = buffer_.data();
  bool failed_ = false;
  bool exhausted_ = false;
  bool source_ended_ = false;  // the source has said the input ended: never asked again
  Encoding encoding_ = Encoding::unknown;
  // The first byte of a UTF-16 code unit whose second byte has not come yet.
  bool has_odd_byte_ = false;
  char odd_byte_ = 0;
};

}  // namespace tage
