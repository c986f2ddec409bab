// The field splitter: separators, quotes, equals signs, Shift-JIS pairs,
// dropped bytes and the 32 field slots.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "interchange/jwc_fields.h"
#include "test_support.h"

namespace {

using Fields = std::vector<std::string>;

Fields SplitAll(const std::string& line) {
  JwcFields f;
  f.Split(line);
  Fields out;
  for (int i = 1; i <= f.Count(); ++i) out.emplace_back(f.F(i));
  return out;
}

struct SplitCase {
  const char* name;
  std::string line;
  Fields expected;
};

// Strings with embedded NUL bytes need an explicit length.
std::string Bytes(const char* s, size_t n) {
  return std::string(s, n);
}

const SplitCase kSplitCases[] = {
    {"four numbers", "1 2 3 4", {"1", "2", "3", "4"}},
    {"trailing blank counts an empty field",
     "1 2 3 4 ",
     {"1", "2", "3", "4", ""}},
    {"leading and repeated blanks and tabs", "  a \t\t b\t", {"a", "b", ""}},
    {"empty line", "", {""}},
    {"blanks only", "   \t ", {""}},
    {"quote keeps the rest with its blanks",
     "ch 0 0 1 0 \"a b  c",
     {"ch", "0", "0", "1", "0", "a b  c"}},
    {"without a quote only words",
     "ch 0 0 1 0 a b",
     {"ch", "0", "0", "1", "0", "a", "b"}},
    {"quote inside the key", "cn\"$<x y>", {"cn$<x y>"}},
    {"second quote is kept", "x \"q\"r s", {"x", "q\"r s"}},
    {"quote alone opens an empty field", "a \"", {"a", ""}},
    {"equals sign is kept and stops separating",
     "file=C:\\w\\a b.jww",
     {"file=C:\\w\\a b.jww"}},
    {"equals sign after a blank", "ch 1 a=b c", {"ch", "1", "a=b c"}},
    {"equals sign after a quote is plain", "\"a=b c", {"a=b c"}},
    {"tab is dropped once not separating", "\"a\tb c", {"ab c"}},
    {"control bytes are dropped",
     "a\x01"
     "b\x1f c\r",
     {"ab", "c"}},
    {"bytes 0xFE and 0xFF are dropped",
     "a\xfe\xff"
     "b",
     {"ab"}},
    {"0xA0 and half-width katakana are single bytes",
     "\xa0 \xb6\xb3",
     {"\xa0", "\xb6\xb3"}},
    {"full-width blank is no separator",
     "a\x81\x40"
     "b c",
     {"a\x81\x40"
      "b",
      "c"}},
    {"trail byte that looks like a blank", "\x81\x20x y", {"\x81\x20x", "y"}},
    {"trail byte that looks like a quote", "\x81\" a", {"\x81\"", "a"}},
    {"trail byte that looks like an equals sign", "\x81= a", {"\x81=", "a"}},
    {"0x80 and 0xFD are lead bytes", "\x80 \xfd\tz", {"\x80 \xfd\tz"}},
    {"0x9F and 0xE0 are lead bytes", "\x9f \xe0 ", {"\x9f \xe0 "}},
    {"trail byte that is a control byte",
     Bytes("\x82\x00 b", 4),
     {Bytes("\x82\x00", 2), "b"}},
    {"lead byte at the end is dropped", "ab \x82", {"ab", ""}},
    {"lead byte at the end of a quoted text", "\"ab\x82", {"ab"}},
    {"pair at the end is kept", "ab\x82\xa0", {"ab\x82\xa0"}},
};

class SplitTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, GivesFields) {
  EXPECT_EQ(SplitAll(GetParam().line), GetParam().expected);
}

TEST_P(SplitTest, GivesTheSameFieldsInPlace) {
  std::string line = GetParam().line;
  JwcFields f;
  f.SplitInPlace(line.data(), line.size());
  Fields got;
  for (int i = 1; i <= f.Count(); ++i) got.emplace_back(f.F(i));
  EXPECT_EQ(got, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Lines, SplitTest, testing::ValuesIn(kSplitCases),
                         NameFromRow());

std::string Numbered(int count, const char* tail = "") {
  std::string line;
  for (int i = 1; i <= count; ++i) {
    if (i > 1) line += ' ';
    line += std::to_string(i);
  }
  return line + tail;
}

TEST(SplitSlots, KeepsThe32ndFieldAndIgnoresTheRest) {
  struct {
    std::string line;
    int count;
    std::string last;
  } cases[] = {
      {Numbered(31, " "), 32, ""},
      {Numbered(32), 32, "32"},
      {Numbered(32, " "), 32, "32"},
      {Numbered(33), 32, "32"},
      {Numbered(40, " \"a b"), 32, "32"},
      {Numbered(31, " \"x y z"), 32, "x y z"},
  };
  for (const auto& c : cases) {
    JwcFields f;
    f.Split(c.line);
    EXPECT_EQ(f.Count(), c.count) << c.line;
    EXPECT_EQ(f.F(32), c.last) << c.line;
    EXPECT_EQ(f.F(1), "1") << c.line;
    EXPECT_EQ(f.F(33), "") << c.line;
  }
}

TEST(SplitReuse, LaterShorterLinesDoNotSeeEarlierFields) {
  JwcFields f;
  f.Split("a b c d e f");
  f.Split("x");
  EXPECT_EQ(f.Count(), 1);
  EXPECT_EQ(f.F(1), "x");
  EXPECT_EQ(f.F(2), "");
  EXPECT_FALSE(f.Blank());
  f.Split(" ");
  EXPECT_TRUE(f.Blank());
  f.Split(std::string(3000, 'q') + " r");
  EXPECT_EQ(f.F(1).size(), 3000u);
  EXPECT_EQ(f.F(2), "r");
  f.Trim(100);
  EXPECT_EQ(f.Count(), 0);
  f.Split("s t");
  EXPECT_EQ(f.F(2), "t");
}

// Random bytes: the fields always fit the slots and the line, and no field
// holds a byte that the splitter drops outside a pair.
TEST(SplitRandom, StaysWithinSlotsAndLine) {
  std::mt19937 rng(482);
  const char alphabet[] = {' ',    '\t',   '"',    '=',    'a',    '1',
                           '\r',   '\x1a', '\x81', '\x9f', '\xe0', '\xfd',
                           '\xfe', '\xff', '\xa0', '\x40'};
  JwcFields f;
  for (int round = 0; round < 3000; ++round) {
    std::string line(rng() % 120, ' ');
    for (char& c : line) c = alphabet[rng() % sizeof(alphabet)];
    f.Split(line);
    ASSERT_GE(f.Count(), 1);
    ASSERT_LE(f.Count(), JwcFields::kMaxFields);
    size_t total = 0;
    for (int i = 1; i <= f.Count(); ++i) {
      total += f.F(i).size();
      if (i < f.Count()) {
        ASSERT_FALSE(f.F(i).empty()) << line;
      }
    }
    ASSERT_LE(total, line.size());

    // Splitting over the line's own bytes gives the same fields.
    std::string copy = line;
    JwcFields inPlace;
    inPlace.SplitInPlace(copy.data(), copy.size());
    ASSERT_EQ(inPlace.Count(), f.Count()) << line;
    for (int i = 1; i <= f.Count(); ++i) {
      ASSERT_EQ(inPlace.F(i), f.F(i)) << line;
    }
  }
}

}  // namespace
