#include "dialogue/console/number_reader.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "support/memory_io.hpp"

namespace tage {
namespace {

using namespace std::string_literals;

constexpr std::int32_t kUntouched = 77;

// What the next read would see: the reader's buffered bytes, then the source's rest.
std::string rest_of(const NumberReader& reader, const MemorySource& source) {
  return std::string(reader.buffered()) + std::string(source.rest());
}

struct ReadCase {
  const char* what;
  std::string input;
  std::int32_t value;  // kUntouched where the read must keep the value
  std::string rest;    // what the next read would see
  bool failed;
  bool exhausted;
};

// One read from the start of `input` by every rule: white space, sign, bases, the octal
// cut-off, wrap-around, failure and the end of input.
const std::vector<ReadCase> kReadCases = {
    {"decimal", "42\n", 42, "\n", false, false},
    {"all six white-space characters", " \t\r\n\v\f 7 ", 7, " ", false, false},
    {"empty lines", "\n\n\n9\n", 9, "\n", false, false},
    {"plus sign", "+5x", 5, "x", false, false},
    {"minus sign, letters stay", "-12abc", -12, "abc", false, false},
    {"number up to the end of input", "12", 12, "", false, true},
    {"hexadecimal", "0x1F ", 31, " ", false, false},
    {"hexadecimal capital X", "0X1f", 31, "", false, true},
    {"negative hexadecimal", "-0x10;", -16, ";", false, false},
    {"hexadecimal stops at g", "0xABg", 171, "g", false, false},
    // The bytes right beside each digit range end a number: '/' and ':' beside 0 to 9,
    // '@' and 'G' beside A to F, '`' and 'g' beside a to f.
    {"slash after decimal digits", "12/", 12, "/", false, false},
    {"colon after decimal digits", "12:", 12, ":", false, false},
    {"colon after octal digits", "017:", 15, ":", false, false},
    {"at sign after hexadecimal digits", "0x1@", 1, "@", false, false},
    {"G after hexadecimal digits", "0x1G", 1, "G", false, false},
    {"backquote after hexadecimal digits", "0x1`", 1, "`", false, false},
    {"colon after hexadecimal digits", "0x9:", 9, ":", false, false},
    {"lower-case hexadecimal a", "0xa\n", 10, "\n", false, false},
    {"lower-case f", "0xf0", 240, "", false, true},
    {"slash after 0x", "0x/", kUntouched, "/", true, false},
    {"bare 0x at end", "0x", kUntouched, "", true, true},
    {"bare 0x before a letter", "0xg", kUntouched, "g", true, false},
    {"octal 07", "07\n", 7, "\n", false, false},
    {"octal 010", "010\n", 8, "\n", false, false},
    {"08 takes the 8", "08\n", 0, "\n", false, false},
    {"09 at end", "09", 0, "", false, true},
    {"018 stops converting at 8", "018 ", 1, " ", false, false},
    {"0129 stops converting at 9", "0129", 10, "", false, true},
    {"digits after the cut-off are taken", "01899x", 1, "x", false, false},
    {"lone zero", "0\n", 0, "\n", false, false},
    {"negative octal", "-017", -15, "", false, true},
    {"0 then a letter other than x", "0y", 0, "y", false, false},
    {"largest int", "2147483647", 2147483647, "", false, true},
    {"wraps past the largest int", "2147483648", -2147483647 - 1, "", false, true},
    {"2^32 wraps to 0", "4294967296 ", 0, " ", false, false},
    {"2^32 - 1 is -1", "4294967295 ", -1, " ", false, false},
    {"below the smallest int", "-2147483649 ", 2147483647, " ", false, false},
    {"twenty nines", "99999999999999999999 ", 1661992959, " ", false, false},
    {"hexadecimal wraps", "0x100000001 ", 1, " ", false, false},
    {"octal wraps", "037777777777 ", -1, " ", false, false},
    {"empty input", "", kUntouched, "", true, true},
    {"only white space", " \n\t\n", kUntouched, "", true, true},
    {"a letter", "abc", kUntouched, "abc", true, false},
    {"lone plus at end", "+", kUntouched, "", true, true},
    {"minus before a line end", "-\n5", kUntouched, "\n5", true, false},
    {"two signs", "+-5", kUntouched, "-5", true, false},
    {"sign then blank", "- 5", kUntouched, " 5", true, false},
    {"UTF-8 letter", "\xc3\xa4", kUntouched, "\xc3\xa4", true, false},
    {"NUL byte",
     std::string("\0"
                 "5",
                 2),
     kUntouched,
     std::string("\0"
                 "5",
                 2),
     true, false},
    {"no-break space is not white space", "\xa0 5", kUntouched, "\xa0 5", true, false},
    {"byte above 127 ends a number", "5\xe2\x80", 5, "\xe2\x80", false, false},
    {"Arabic-Indic digit", "\xd9\xa3", kUntouched, "\xd9\xa3", true, false},
    {"600 zeros after a 1 leave the last digit", "1" + std::string(600, '0') + "5 ", 5, " ", false,
     false},
    {"long hexadecimal", "0x" + std::string(40000, '0') + "1f\n", 31, "\n", false, false},
    {"long octal", std::string(40000, '0') + "42\n", 34, "\n", false, false},
    {"long decimal across many refills", "1" + std::string(40000, '0') + "7", 7, "", false, true},
    // Input from Windows editors: a byte-order mark at the start. What follows a UTF-16
    // mark is read one code unit per character, a character outside ASCII as 0x80.
    {"UTF-8 byte-order mark",
     "\xEF\xBB\xBF"
     "42\r\n",
     42, "\r\n", false, false},
    {"UTF-16 little-endian",
     "\xFF\xFE"
     "4\0"
     "2\0"
     "\r\0"s,
     42, "\r", false, false},
    {"UTF-16 big-endian",
     "\xFE\xFF"
     "\0"
     "-"
     "\0"
     "7\0"
     " "s,
     -7, " ", false, false},
    {"UTF-16 character outside ASCII",
     "\xFF\xFE"
     "1\0"
     "\xE4\0"s,
     1, "\x80", false, false},
    // A high byte that is not 0 makes a character outside ASCII, whatever the low byte.
    {"UTF-16 little-endian, high byte over a digit",
     "\xFF\xFE"
     "1\x01"s,
     kUntouched, "\x80", true, false},
    {"UTF-16 big-endian, high byte over a digit",
     "\xFE\xFF"
     "\x01"
     "1"s,
     kUntouched, "\x80", true, false},
    {"UTF-16 half a character at the end",
     "\xFF\xFE"
     "5\0"
     "7"s,
     5, "", false, true},
    {"UTF-16 mark alone", "\xFE\xFF", kUntouched, "", true, true},
    {"byte-order mark after the start", "7\xEF\xBB\xBF", 7, "\xEF\xBB\xBF", false, false},
    {"beginning of a mark alone", "\xEF\xBB", kUntouched, "\xEF\xBB", true, false},
};

void PrintTo(const ReadCase& c, std::ostream* os) {
  *os << c.what;
}

class ReadOnce : public testing::TestWithParam<ReadCase> {};

// Reads once from a source that hands out at most `piece` bytes per call.
void expect_one_read(const ReadCase& c, std::size_t piece) {
  MemorySource source(c.input, piece);
  NumberReader reader(source);
  std::int32_t value = kUntouched;
  reader.read(value);
  EXPECT_EQ(value, c.value);
  EXPECT_EQ(rest_of(reader, source), c.rest);
  EXPECT_EQ(reader.failed(), c.failed);
  EXPECT_EQ(reader.exhausted(), c.exhausted);
}

TEST_P(ReadOnce, FromAWholeBuffer) {
  expect_one_read(GetParam(), std::numeric_limits<std::size_t>::max());
}

// Every look-ahead of the reader (the "x" after a "0", the byte after a sign) crosses a
// refill here.
TEST_P(ReadOnce, OneByteAtATime) {
  expect_one_read(GetParam(), 1);
}

INSTANTIATE_TEST_SUITE_P(Rules, ReadOnce, testing::ValuesIn(kReadCases));

// Reads `count` numbers from `input` into values that start at kUntouched.
std::vector<std::int32_t> read_all(const std::string& input, std::size_t count) {
  MemorySource source(input);
  NumberReader reader(source);
  std::vector<std::int32_t> values(count, kUntouched);
  for (std::int32_t& value : values) reader.read(value);
  return values;
}

TEST(ReadSequence, NumbersOnOneLineFeedTheFollowingReads) {
  EXPECT_EQ(read_all("15 3 2020\n", 3), (std::vector<std::int32_t>{15, 3, 2020}));
}

// Also after a failed read that took a sign or a prefix: a read that went on would find
// the digits behind them.
TEST(ReadSequence, AFailureSilencesEveryLaterRead) {
  const std::vector<std::int32_t> none(3, kUntouched);
  EXPECT_EQ(read_all("12abc 5 6", 3), (std::vector<std::int32_t>{12, kUntouched, kUntouched}));
  EXPECT_EQ(read_all("- 5 3 2020", 3), none);
  EXPECT_EQ(read_all("0x 5 3", 3), none);
  EXPECT_EQ(read_all("+x5 3 4", 3), none);
}

TEST(ReadSequence, ANumberAtTheEndOfInputIsStoredAndTheNextReadDoesNothing) {
  MemorySource source("3 4");
  NumberReader reader(source);
  std::int32_t first = kUntouched;
  std::int32_t second = kUntouched;
  std::int32_t third = kUntouched;
  reader.read(first);
  reader.read(second);
  EXPECT_TRUE(reader.exhausted());
  EXPECT_FALSE(reader.failed());
  reader.read(third);
  EXPECT_EQ(first, 3);
  EXPECT_EQ(second, 4);
  EXPECT_EQ(third, kUntouched);
}

TEST(ReadSequence, CarriageReturnLineEndsAreWhiteSpace) {
  EXPECT_EQ(read_all("3\r\n3\r\n2020\r\n", 3), (std::vector<std::int32_t>{3, 3, 2020}));
}

// A source that hands out one line per call and counts the calls, as a terminal does;
// reads must not ask for a line before they need it.
class LineByLineSource final : public ByteSource {
 public:
  explicit LineByLineSource(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  std::size_t read_some(char* into, std::size_t capacity) override {
    ++requests;
    if (next_ == lines_.size()) return 0;
    const std::string& line = lines_[next_++];
    return line.copy(into, std::min(capacity, line.size()));
  }
  int requests = 0;

 private:
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
};

TEST(ReadSequence, AReadWaitsForNoMoreThanTheLineItNeeds) {
  LineByLineSource source({"15 3 2020\n", "\n", "7\n"});
  NumberReader reader(source);
  std::int32_t value = 0;
  for (int i = 0; i < 3; ++i) reader.read(value);
  EXPECT_EQ(source.requests, 1);
  reader.read(value);  // skips the rest of the first line and the empty second one
  EXPECT_EQ(value, 7);
  EXPECT_EQ(source.requests, 3);
}

TEST(ReadSequence, TheEndOfInputIsNotAskedForTwice) {
  LineByLineSource source({"-"});
  NumberReader reader(source);
  std::int32_t value = kUntouched;
  reader.read(value);
  reader.read(value);
  EXPECT_TRUE(reader.failed());
  EXPECT_EQ(source.requests, 2);  // the line, then the end once
}

}  // namespace
}  // namespace tage
