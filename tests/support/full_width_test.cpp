// Full-width conversion of the value text.
#include "support/full_width.h"

#include <gtest/gtest.h>

#include <string>

#include "support/sjis.h"

namespace {

struct WidthCase {
  std::string text;
  std::string expected;
};

TEST(MapToFullWidth, ConvertsHalfWidthAndHiragana) {
  const WidthCase cases[] = {
      {"", ""},
      // The characters of a value text.
      {"0123456789",
       "\x82\x4F\x82\x50\x82\x51\x82\x52\x82\x53"
       "\x82\x54\x82\x55\x82\x56\x82\x57\x82\x58"},
      {"1,234.5", "\x82\x50\x81\x43\x82\x51\x82\x52\x82\x53\x81\x44\x82\x54"},
      {"-", "\x81\x7C"},
      {" ", "\x81\x40"},
      {"Az", "\x82\x60\x82\x9A"},
      {"\"'~", "\xFA\x57\xFA\x56\x81\x60"},
      {"\\", "\\"},  // the yen sign of code page 932 stays
      {"[]{}|", "\x81\x6D\x81\x6E\x81\x6F\x81\x70\x81\x62"},
      {"^_`@", "\x81\x4F\x81\x51\x81\x4D\x81\x97"},
      // Controls, DEL and bytes without a full-width form stay.
      {"\t\r\n\x7F\xA0\xFE\xFF", "\t\r\n\x7F\xA0\xFE\xFF"},
      // Half-width katakana, with marks combined where one character
      // exists: ｶﾞ ﾊﾟ ｳﾞ, but ﾜﾞ and ｱﾞ stay two characters.
      {"\xB6", "\x83\x4A"},
      {"\xB6\xDE", "\x83\x4B"},
      {"\xCA\xDF", "\x83\x70"},
      {"\xCA\xDE", "\x83\x6F"},
      {"\xB3\xDE", "\x83\x94"},
      {"\xDC\xDE", "\x83\x8F\x81\x4A"},
      {"\xB1\xDE", "\x83\x41\x81\x4A"},
      {"\xB6\xDF", "\x83\x4A\x81\x4B"},
      {"\xDE\xDF", "\x81\x4A\x81\x4B"},
      {"\xA1\xA2\xA3\xA4\xA5\xB0",
       "\x81\x42\x81\x75\x81\x76\x81\x41\x81\x45"
       "\x81\x5B"},
      {"\xA6\xDD", "\x83\x92\x83\x93"},
      // Hiragana to katakana, across the gap at 0x837F: ぁ み む ん.
      {"\x82\x9F", "\x83\x40"},
      {"\x82\xDD", "\x83\x7E"},
      {"\x82\xDE", "\x83\x80"},
      {"\x82\xF1", "\x83\x93"},
      {"\x81\x54\x81\x55", "\x81\x52\x81\x53"},
      {"\x81\x52\x81\x53", "\x81\x52\x81\x53"},
      // Other double-byte characters stay, even with an ASCII trail byte.
      {"\x83\x41\x8A\xBF\x81\x40", "\x83\x41\x8A\xBF\x81\x40"},
      {"\x83\x5C"
       "1",
       "\x83\x5C\x82\x50"},
      {"\x88\x20", "\x88\x20"},
      {"\x80\x41", "\x80\x41"},
      // A lead byte at the very end stays as it is.
      {"1\x82", "\x82\x50\x82"},
      // The result ends at the first zero byte.
      {std::string("12\0"
                   "34",
                   5),
       "\x82\x50\x82\x51"},
      {std::string("\0"
                   "1",
                   2),
       ""},
  };
  for (const WidthCase& c : cases) {
    EXPECT_EQ(MapToFullWidth(c.text), c.expected) << c.text;
  }
}

TEST(ToFullWidth, ConvertsLongTextsInWholeSlices) {
  EXPECT_EQ(ToFullWidth(""), "");
  EXPECT_EQ(ToFullWidth("1,234.5"), MapToFullWidth("1,234.5"));

  // 300 digits: three slices, all converted.
  std::string digits(300, '7');
  std::string wide;
  for (int i = 0; i < 300; ++i) wide += "\x82\x56";
  EXPECT_EQ(ToFullWidth(digits), wide);

  // A double-byte character across byte 126 goes whole into the next slice.
  std::string text = std::string(125, 'a') + "\x82\xA0" + "b";
  std::string expected;
  for (int i = 0; i < 125; ++i) expected += "\x82\x81";
  expected += "\x83\x41\x82\x82";
  EXPECT_EQ(ToFullWidth(text), expected);

  // A voiced mark that starts a new slice is not combined, as with the
  // platform mapping on its 126-byte slices.
  std::string kana = std::string(125, 'a') + "\xB6\xDE";
  std::string kanaExpected;
  for (int i = 0; i < 125; ++i) kanaExpected += "\x82\x81";
  kanaExpected += "\x83\x4A\x81\x4A";
  EXPECT_EQ(ToFullWidth(kana), kanaExpected);

  // A zero byte ends only its own slice.
  std::string zero = std::string(10, '1') + '\0' + std::string(200, '2');
  std::string zeroExpected;
  for (int i = 0; i < 10; ++i) zeroExpected += "\x82\x50";
  for (int i = 0; i < 200 - 115; ++i) zeroExpected += "\x82\x51";
  EXPECT_EQ(ToFullWidth(zero), zeroExpected);
}

TEST(ToFullWidth, EveryTwoByteTextIsHandled) {
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; ++b) {
      char buffer[2] = {static_cast<char>(a), static_cast<char>(b)};
      std::string out = ToFullWidth(std::string_view(buffer, 2));
      EXPECT_LE(out.size(), 4u);
    }
  }
}

}  // namespace
