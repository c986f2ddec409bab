// The line-end scan against a plain byte-by-byte search, with LF, CR and
// Ctrl-Z at every position of several sixteen-byte blocks and in random
// text, so that both the block loop and the tail loop are checked.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "interchange/jwc_line_scan.h"

namespace {

struct Scan {
  size_t stop;   // offset of the LF or Ctrl-Z, or the size
  long firstCr;  // offset of the first CR before it, or -1
};

Scan ReferenceScan(const std::string& text) {
  Scan s{text.size(), -1};
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || text[i] == 0x1A) {
      s.stop = i;
      break;
    }
    if (text[i] == '\r' && s.firstCr < 0) s.firstCr = static_cast<long>(i);
  }
  return s;
}

Scan Actual(std::string text) {
  char* begin = &text[0];
  char* firstCr = nullptr;
  char* stop = FindLineEnd(begin, begin + text.size(), &firstCr);
  return Scan{static_cast<size_t>(stop - begin),
              firstCr == nullptr ? -1 : static_cast<long>(firstCr - begin)};
}

void ExpectSame(const std::string& text) {
  const Scan want = ReferenceScan(text);
  const Scan got = Actual(text);
  EXPECT_EQ(got.stop, want.stop) << testing::PrintToString(text);
  EXPECT_EQ(got.firstCr, want.firstCr) << testing::PrintToString(text);
}

TEST(LineScan, EveryPositionOfEveryByteItLooksFor) {
  // Lengths that end inside, at and after block boundaries; one or two of
  // the three bytes planted anywhere, in ordinary and in high bytes.
  const char special[] = {'\n', '\r', 0x1A};
  for (const char filler : {'a', static_cast<char>(0x8A)}) {
    for (size_t length = 0; length <= 50; ++length) {
      ExpectSame(std::string(length, filler));
      for (size_t i = 0; i < length; ++i) {
        for (const char a : special) {
          std::string text(length, filler);
          text[i] = a;
          ExpectSame(text);
          for (size_t j = i + 1; j < length; ++j) {
            for (const char b : special) {
              std::string two = text;
              two[j] = b;
              ExpectSame(two);
            }
          }
        }
      }
    }
  }
}

TEST(LineScan, RandomTextWithManyCrs) {
  std::mt19937 random(482);
  const char alphabet[] = {'1', ' ', '\r', '\r', '\n', 0x1A, '\x81', '\0'};
  for (int round = 0; round < 20000; ++round) {
    std::string text(random() % 80, '0');
    for (char& c : text) {
      // Mostly digits, so that the bytes looked for are sparse.
      c = random() % 8 == 0 ? alphabet[random() % 8] : '5';
    }
    ExpectSame(text);
  }
}

TEST(LineScan, KeepsAFirstCrFoundEarlier) {
  std::string earlier = "x\r";
  std::string text = "ab\rcd\n";
  char* found = &earlier[1];
  char* firstCr = found;
  char* stop = FindLineEnd(&text[0], &text[0] + text.size(), &firstCr);
  EXPECT_EQ(stop, &text[5]);
  EXPECT_EQ(firstCr, found);
}

}  // namespace
