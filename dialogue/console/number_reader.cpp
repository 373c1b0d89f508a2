#include "dialogue/console/number_reader.hpp"

#include <algorithm>
#include <array>
#include <string>

namespace tage {
namespace {

constexpr std::uint32_t kDecimalBase = 10;
constexpr std::uint32_t kOctalBase = 8;
constexpr std::uint32_t kHexBase = 16;
constexpr std::uint32_t kNotADigit = 99;

// Explicit comparisons, never <cctype>: the set is fixed and independent of any locale,
// and a byte above 127 must classify as nothing.
constexpr bool is_white_space(int byte) noexcept {
  return byte == ' ' || byte == '\t' || byte == '\n' || byte == '\r' || byte == '\v' ||
         byte == '\f';
}

constexpr bool is_decimal_digit(int byte) noexcept {
  return byte >= '0' && byte <= '9';
}

// The value of a digit in each base, or kNotADigit.
constexpr std::uint32_t decimal_digit_value(int byte) noexcept {
  return is_decimal_digit(byte) ? static_cast<std::uint32_t>(byte - '0') : kNotADigit;
}

constexpr std::uint32_t octal_digit_value(int byte) noexcept {
  return byte >= '0' && byte <= '7' ? static_cast<std::uint32_t>(byte - '0') : kNotADigit;
}

constexpr std::uint32_t hex_digit_value(int byte) noexcept {
  if (is_decimal_digit(byte)) return decimal_digit_value(byte);
  if (byte >= 'a' && byte <= 'f') return static_cast<std::uint32_t>(byte - 'a' + 10);
  if (byte >= 'A' && byte <= 'F') return static_cast<std::uint32_t>(byte - 'A' + 10);
  return kNotADigit;
}

constexpr int as_byte(char c) noexcept {
  return static_cast<unsigned char>(c);
}

// Unsigned arithmetic wraps modulo 2^32, which keeps exactly the low 32 bits of the
// exact value however many digits come.
constexpr std::uint32_t fold(std::uint32_t value, std::uint32_t base, std::uint32_t digit) {
  return value * base + digit;
}

}  // namespace

void NumberReader::read(std::int32_t& value) {
  if (failed_ || exhausted_) return;
  skip_white_space();
  if (exhausted_) {
    failed_ = true;
    return;
  }
  const bool negative = take_sign();
  std::uint32_t magnitude = 0;
  if (!take_digits(magnitude)) {
    failed_ = true;
    return;
  }
  // Conversion to a signed type is modular since C++20: the low 32 bits as a signed number.
  value = static_cast<std::int32_t>(negative ? 0U - magnitude : magnitude);
}

void NumberReader::skip_white_space() {
  take_while([](int byte) { return is_white_space(byte); });
}

bool NumberReader::take_sign() {
  // Called after white space that did not reach the end: the next byte is buffered.
  const int byte = as_byte(*next_);
  if (byte != '+' && byte != '-') return false;
  skip();
  return byte == '-';
}

bool NumberReader::take_digits(std::uint32_t& value) {
  if (peek() != '0') return take_and_fold<decimal_digit_value>(value, kDecimalBase);
  // A leading 0: the start of "0x", or of an octal number whose first digit it is.
  skip();
  const int after_zero = peek();
  if (after_zero == 'x' || after_zero == 'X') {
    skip();
    return take_and_fold<hex_digit_value>(value, kHexBase);
  }
  // Octal up to the first 8 or 9; the decimal digits from there on are taken unconverted.
  take_and_fold<octal_digit_value>(value, kOctalBase);
  take_while(is_decimal_digit);
  return true;
}

template <NumberReader::DigitValue digit_value>
bool NumberReader::take_and_fold(std::uint32_t& value, std::uint32_t base) {
  // Folded in a local and stored once at the end, not through the reference at every digit
  // (bench/run.sh, "10 MB number, ratio").
  std::uint32_t folded = value;
  bool any = false;
  take_while([&](int byte) {
    const std::uint32_t digit = digit_value(byte);
    if (digit == kNotADigit) return false;
    folded = fold(folded, base, digit);
    any = true;
    return true;
  });
  value = folded;
  return any;
}

template <typename Accept>
void NumberReader::take_while(Accept accept) {
  while (next_ != end_ || refill()) {
    const char* position = next_;
    const char* const end = end_;
    while (position != end && accept(as_byte(*position))) ++position;
    next_ = position;
    if (next_ != end_) return;
  }
}

int NumberReader::peek() {
  if (next_ == end_ && !refill()) return kEndOfInput;
  return as_byte(*next_);
}

void NumberReader::skip() {
  ++next_;
}

bool NumberReader::refill() {
  // Once the end has been seen it stays: asking again would wait at a terminal.
  while (!exhausted_) {
    const std::size_t count = read_characters();
    next_ = buffer_.data();
    end_ = next_ + count;
    if (count != 0) return true;
    exhausted_ = source_ended_;
  }
  return false;
}

std::size_t NumberReader::read_characters() {
  if (source_ended_) return 0;
  std::size_t count = 0;
  if (encoding_ == Encoding::unknown) {
    count = read_start();
  } else {
    // A code unit cut in two by the last read starts this one.
    const std::size_t carried = has_odd_byte_ ? 1 : 0;
    if (has_odd_byte_) buffer_[0] = odd_byte_;
    has_odd_byte_ = false;
    const std::size_t got = source_.read_some(buffer_.data() + carried, buffer_.size() - carried);
    // At the end, half a code unit is no character.
    source_ended_ = got == 0;
    if (source_ended_) return 0;
    count = carried + got;
  }
  return encoding_ == Encoding::bytes ? count : decode_utf16(count);
}

namespace {

constexpr std::array<unsigned char, 3> kUtf8Mark{0xEF, 0xBB, 0xBF};
constexpr std::array<unsigned char, 2> kUtf16LittleEndianMark{0xFF, 0xFE};
constexpr std::array<unsigned char, 2> kUtf16BigEndianMark{0xFE, 0xFF};

// Whether the `count` bytes at `bytes` begin with `mark`, or, where `whole` is false,
// are the beginning of it.
template <std::size_t N>
bool matches(const char* bytes, std::size_t count, const std::array<unsigned char, N>& mark,
             bool whole) noexcept {
  if (whole ? count < N : count >= N) return false;
  for (std::size_t i = 0; i < std::min(count, N); ++i) {
    if (as_byte(bytes[i]) != mark[i]) return false;
  }
  return true;
}

// A character for a UTF-16 code unit: the same byte in ASCII, else one that is neither
// white space nor a digit nor a sign, as every byte of a UTF-8 character outside ASCII.
constexpr char character_of(unsigned code_unit) noexcept {
  constexpr unsigned kAsciiEnd = 0x80;
  constexpr char kOutsideAscii = static_cast<char>(0x80);
  return code_unit < kAsciiEnd ? static_cast<char>(code_unit) : kOutsideAscii;
}

}  // namespace

std::size_t NumberReader::read_start() {
  char* const start = buffer_.data();
  std::size_t count = 0;
  // A mark may arrive a byte at a time: read on while what came could still be one.
  do {
    const std::size_t got = source_.read_some(start + count, buffer_.size() - count);
    source_ended_ = got == 0;
    count += got;
  } while (!source_ended_ && (matches(start, count, kUtf8Mark, false) ||
                              matches(start, count, kUtf16LittleEndianMark, false) ||
                              matches(start, count, kUtf16BigEndianMark, false)));
  std::size_t mark = 0;
  encoding_ = Encoding::bytes;
  if (matches(start, count, kUtf8Mark, true)) {
    mark = kUtf8Mark.size();
  } else if (matches(start, count, kUtf16LittleEndianMark, true)) {
    mark = kUtf16LittleEndianMark.size();
    encoding_ = Encoding::utf16_little_endian;
  } else if (matches(start, count, kUtf16BigEndianMark, true)) {
    mark = kUtf16BigEndianMark.size();
    encoding_ = Encoding::utf16_big_endian;
  }
  std::char_traits<char>::move(start, start + mark, count - mark);
  return count - mark;
}

std::size_t NumberReader::decode_utf16(std::size_t count) noexcept {
  constexpr unsigned kByteShift = 8;
  const bool little_endian = encoding_ == Encoding::utf16_little_endian;
  const std::size_t characters = count / 2;
  // Character i comes from bytes 2i and 2i + 1, so writing it never overwrites a byte
  // still to be read.
  for (std::size_t i = 0; i < characters; ++i) {
    const auto first = static_cast<unsigned>(as_byte(buffer_[2 * i]));
    const auto second = static_cast<unsigned>(as_byte(buffer_[2 * i + 1]));
    const unsigned code_unit =
        little_endian ? second << kByteShift | first : first << kByteShift | second;
    buffer_[i] = character_of(code_unit);
  }
  has_odd_byte_ = count % 2 != 0;
  if (has_odd_byte_) odd_byte_ = buffer_[count - 1];
  return characters;
}

}  // namespace tage
