// The field splitter against a plain byte-by-byte statement of the rules, on
// long lines where ordinary runs and special bytes fall at every position of
// an eight-byte word.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "interchange/jwc_fields.h"

namespace {

using Fields = std::vector<std::string>;

bool IsLead(unsigned char b) {
  return (b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFD);
}

// The rules, one byte at a time, into fresh strings.
Fields Reference(const std::string& line) {
  Fields fields(1);
  bool separating = true;
  for (size_t i = 0; i < line.size(); ++i) {
    const auto b = static_cast<unsigned char>(line[i]);
    if (IsLead(b)) {
      if (i + 1 == line.size()) break;
      fields.back() += line[i];
      fields.back() += line[++i];
    } else if (separating && b == '"') {
      separating = false;
    } else if (separating && b == '=') {
      fields.back() += '=';
      separating = false;
    } else if (separating && (b == ' ' || b == '\t')) {
      if (!fields.back().empty()) {
        if (fields.size() == JwcFields::kMaxFields) return fields;
        fields.emplace_back();
      }
    } else if (b >= 0x20 && b <= 0xFD) {
      fields.back() += line[i];
    }
  }
  return fields;
}

Fields Got(const JwcFields& f) {
  Fields out;
  for (int i = 1; i <= f.Count(); ++i) out.emplace_back(f.F(i));
  return out;
}

void ExpectReference(const std::string& line) {
  JwcFields copied;
  copied.Split(line);
  EXPECT_EQ(Got(copied), Reference(line)) << "line \"" << line << "\"";
  std::string own = line;
  JwcFields inPlace;
  inPlace.SplitInPlace(own.data(), own.size());
  EXPECT_EQ(Got(inPlace), Reference(line)) << "line \"" << line << "\"";
}

TEST(SplitReference, HostLines) {
  const char* const lines[] = {
      " -19450.9253585984 -16769.65 -7637.99347004778 -18186.6031464853\r",
      "ci -3656.34336825142 -3257.26145046476 699.999989690007 285.029296875",
      "cs -7104.11973389354 1827.73825260745 -3.2783543701953e-005 "
      "749.999999999999 \"1,820",
      "ch 1 2 3 4 \"\x8e\xba\x93\xe0 \x88\xea\x8a\x4b  x\"y",
      "cn\"$<\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e>",
      "hcc      6      6      6      6      6      6      6      6      6  6",
      "file=C:\\work\\drawings with blanks\\plan.jww",
      "BL 1 2 \"\x95\x94\x95\x69-12 trailing",
      "12345678901234567890123456789012345678901234567890\x01tail",
      "abcdefgh\"ijklmnop qrstuvwx\tyz",
  };
  for (const char* line : lines) ExpectReference(line);
}

// One special byte in a long ordinary run, at every offset; then two.
TEST(SplitReference, SpecialBytesAtEveryOffset) {
  const char specials[] = {' ',    '\t',   '"',    '=',    '\r',   '\x00',
                           '\x1f', '\x20', '\x21', '\x7f', '\x80', '\x81',
                           '\x9f', '\xa0', '\xdf', '\xe0', '\xfd', '\xfe',
                           '\xff', '<',    '>',    '!',    '#'};
  for (const char s : specials) {
    for (size_t at = 0; at < 24; ++at) {
      std::string line(24, 'x');
      line[at] = s;
      ExpectReference(line);
      for (size_t second = at + 1; second < 24; second += 3) {
        std::string two = line;
        two[second] = specials[(at + second) % sizeof specials];
        ExpectReference(two);
      }
    }
  }
}

TEST(SplitReference, RandomLongLines) {
  std::mt19937 rng(5);
  const char rare[] = {' ',    '\t',   '"',    '=',    '\r',   '\x01',
                       '\x81', '\x9f', '\xe0', '\xfd', '\xfe', '\xff',
                       '\xa0', '\xb6', '\x7f', '\x80'};
  for (int round = 0; round < 20000; ++round) {
    std::string line(rng() % 200, 'a');
    for (char& c : line) {
      // Mostly ordinary bytes, so that runs of eight and more are common.
      c = rng() % 8 == 0 ? rare[rng() % sizeof rare]
                         : static_cast<char>('-' + rng() % 60);
    }
    ExpectReference(line);
    if (HasFailure()) break;
  }
}

}  // namespace
