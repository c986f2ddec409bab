// Shift-JIS walking: blanks, whole-character windows and drawn length.
#include "support/sjis.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Double-byte characters used below.
const std::string kA = "\x82\xA0";          // あ
const std::string kKan = "\x8A\xBF";        // 漢
const std::string kFullBlank = "\x81\x40";  // full-width blank
const std::string kTrail40 = "\x83\x40";    // ァ: trail byte is '@'
const std::string kTrail20 = "\x88\x20";    // trail byte is a blank
const std::string kSo = "\x83\x5C";         // ソ: trail byte is '\'

TEST(IsLeadByte, CoversBothRangesIncludingTheirEnds) {
  for (int b = 0; b < 256; ++b) {
    bool expected = (b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFD);
    EXPECT_EQ(IsLeadByte(static_cast<unsigned char>(b)), expected) << b;
  }
}

struct StripCase {
  std::string text;
  std::string expected;
};

TEST(StripBlanks, DropsBlanksAndControlBytesOnly) {
  const StripCase cases[] = {
      {"", ""},
      {"   ", ""},
      {kFullBlank + " " + kFullBlank, ""},
      {"A" + kFullBlank + "B C", "ABC"},
      {"\tA\r\n\x01"
       "B\x1F",
       "AB"},
      {std::string("A\0B", 3), "AB"},
      {"\x7F", "\x7F"},
      {"\xB1\xA1", "\xB1\xA1"},  // half-width katakana are visible
      {kKan + " " + kA, kKan + kA},
      // A trail byte that looks like a blank or '@' belongs to its lead.
      {kTrail20, kTrail20},
      {kTrail40, kTrail40},
      {"\x81"
       " ",
       "\x81 "},
      {"\x81\x40\x40", "@"},
      {"\x80\x20", "\x80\x20"},
      {"\xFD\x09", "\xFD\x09"},
      // A lead byte as the very last byte is kept as it is.
      {"A\x81", "A\x81"},
      {" \x9F", "\x9F"},
  };
  for (const StripCase& c : cases) {
    EXPECT_EQ(StripBlanks(c.text), c.expected) << c.text;
  }
}

struct CopyCase {
  std::string text;
  int32_t start;
  int32_t maxBytes;
  std::string part;
};

TEST(CopyWholeChars, KeepsOnlyCharactersInsideTheWindow) {
  const std::string three = kA + kKan + kSo;  // 6 bytes
  const CopyCase cases[] = {
      {"", 1, 5, ""},
      {"abc", 0, 2, ""},
      {"abc", -3, 10, ""},
      {"abc", 4, 1, ""},
      {"abc", 1, 0, ""},
      {"abc", 1, -1, ""},
      {"abc", 1, 2, "ab"},
      {"abc", 2, 2, "bc"},
      {"abc", 3, 100, "c"},
      {"abc", 1, INT32_MAX, "abc"},
      {"abc", 3, INT32_MAX, "c"},
      {three, 1, 3, kA},
      {three, 2, 2, ""},
      {three, 2, 3, kKan},
      {three, 2, 5, kKan + kSo},
      {three, 1, 6, three},
      {three, 6, 1, ""},
      {three, 5, 2, kSo},
      {"a" + kA + "b", 1, 2, "a"},
      {"a" + kA + "b", 3, 2, "b"},
      // The trail byte '\' of ソ never starts a character.
      {kSo + "x", 2, 2, "x"},
      // A lead byte cut off by the end of the text is a one-byte character.
      {"ab\x82", 3, 1, "\x82"},
      {"ab\x82", 2, 5, "b\x82"},
      {kA + "\x82", 1, 3, kA + "\x82"},
  };
  for (const CopyCase& c : cases) {
    WholeChars got = CopyWholeChars(c.text, c.start, c.maxBytes);
    EXPECT_EQ(got.Part, c.part)
        << c.text << " " << c.start << " " << c.maxBytes;
    EXPECT_EQ(got.Taken, static_cast<int32_t>(c.part.size())) << c.text;
  }
}

struct LengthCase {
  std::string text;
  double charWidth;
  double spacing;
  double expected;
};

TEST(TextLength, AddsSpacingBetweenCharactersOnly) {
  const LengthCase cases[] = {
      {"", 3, 1, 0},
      {"a", 3, 1, 1.5},
      {"ab", 3, 1, 3.5},
      {kA, 2, 0.5, 2},
      {kA + kKan, 2, 0.5, 4.5},
      {"a" + kA, 2, 1, 1 + 0.5 + 2},
      {kA + "a", 2, 1, 2 + 1 + 1},
      {"\t", 3, 1, 0},
      {"a\tb", 4, 2, 2 + 1 + 1 + 2},
      {"ab\t", 4, 2, 2 + 1 + 2 + 1},
      {kTrail20 + "a", 2, 1, 2 + 1 + 1},
      {"\xB1\xB2", 3, 1, 3.5},
      // A lead byte as the last byte counts as a character of full width.
      {"a\x82", 2, 1, 1 + 0.5 + 2},
  };
  for (const LengthCase& c : cases) {
    EXPECT_DOUBLE_EQ(TextLength(c.text, c.charWidth, c.spacing), c.expected)
        << c.text;
  }
}

TEST(SjisWalk, NeverReadsPastTheEnd) {
  // Every one- and two-byte text, as a view into a buffer whose next byte
  // would change the outcome if it were read.
  for (int a = 0; a < 256; ++a) {
    for (int b = -1; b < 256; ++b) {
      char buffer[3] = {static_cast<char>(a), static_cast<char>(b), '\x40'};
      std::string_view text(buffer, b < 0 ? 1 : 2);
      std::string stripped = StripBlanks(text);
      EXPECT_LE(stripped.size(), text.size());
      WholeChars whole = CopyWholeChars(text, 1, 8);
      EXPECT_EQ(whole.Part, std::string(text));
      EXPECT_GE(TextLength(text, 2, 1), 0);
    }
  }
}

}  // namespace
