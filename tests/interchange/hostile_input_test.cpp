// The reader on odd and hostile host files, read from disk: empty files,
// missing or odd line ends, NUL and Ctrl-Z bytes, a lead byte cut off by the
// end of a line or of the file, a hundred thousand fields, a million picked
// points, numbers out of range or not numbers at all, huge and tiny values.
// Each case states what the model must hold afterwards.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>
#include <string>

#include "interchange/jwc_reader.h"
#include "interchange/jww_model.h"
#include "test_support.h"

namespace {

struct HostileCase {
  const char* name;
  std::function<std::string()> bytes;
  std::function<void(const JwwModel&)> check;
};

std::string Repeat(const std::string& s, int n) {
  std::string out;
  out.reserve(s.size() * static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

std::string Numbered(const char* key, int count) {
  std::string s = key;
  for (int i = 1; i <= count; ++i) s += " " + std::to_string(i);
  return s;
}

void ExpectPoint(const JwwModel& m, int k, double x, double y) {
  EXPECT_EQ(m.HpPoints[k].Used, 1) << "hp" << k;
  EXPECT_EQ(m.HpPoints[k].X, x) << "hp" << k;
  EXPECT_EQ(m.HpPoints[k].Y, y) << "hp" << k;
  EXPECT_FALSE(std::signbit(m.HpPoints[k].X)) << "hp" << k << " -0";
  EXPECT_FALSE(std::signbit(m.HpPoints[k].Y) && y == 0) << "hp" << k << " -0";
}

const HostileCase kCases[] = {
    {"empty file", [] { return std::string(); },
     [](const JwwModel& m) {
       EXPECT_EQ(m.HpCount, 0);
       EXPECT_EQ(m.EntOrder.Count(), 0);
       EXPECT_EQ(m.InitTextType, 1);
     }},
    {"no line end after the last line", [] { return "hk 30\r\nhp1 1 2"; },
     [](const JwwModel& m) {
       EXPECT_EQ(m.AxisAngle, 30);
       ExpectPoint(m, 1, 1, 2);
     }},
    // A CR alone ends nothing: the whole file is one line "hk 30hp1 1 2",
    // whose second field is no number.
    {"CR line ends only", [] { return "hk 30\rhp1 1 2\r"; },
     [](const JwwModel& m) {
       EXPECT_EQ(m.AxisAngle, 0);
       EXPECT_EQ(m.HpCount, 0);
     }},
    {"NUL bytes are dropped",
     [] {
       return std::string(
           "h\0k 3\0"
           "0\nhp1\0 1 2\n",
           17);
     },
     [](const JwwModel& m) {
       EXPECT_EQ(m.AxisAngle, 30);
       ExpectPoint(m, 1, 1, 2);
     }},
    {"Ctrl-Z ends the file",
     [] {
       return "hk 3\x1A"
              "0\r\nhp1 1 2\r\n";
     },
     [](const JwwModel& m) {
       EXPECT_EQ(m.AxisAngle, 3);
       EXPECT_EQ(m.HpCount, 0);
     }},
    {"lead byte at the end of a line",
     [] { return "ch 0 0 1 0 \"ab\x82\r\nhk 5\r\n"; },
     [](const JwwModel& m) {
       ASSERT_EQ(m.Texts.Count(), 1);
       EXPECT_EQ(m.Texts[0].Text, "ab");
       EXPECT_EQ(m.AxisAngle, 5);  // the line break was not taken as a trail
     }},
    {"lead byte as the last byte of the file",
     [] { return "hk 5\r\nch 0 0 1 0 \"ab\x82"; },
     [](const JwwModel& m) {
       ASSERT_EQ(m.Texts.Count(), 1);
       EXPECT_EQ(m.Texts[0].Text, "ab");
     }},
    {"a header record of 100 000 fields",
     [] { return Numbered("hs", 100000) + "\r\nhk 7\r\n"; },
     [](const JwwModel& m) {
       for (int i = 0; i < 16; ++i) EXPECT_EQ(m.GroupScale[i], i + 1);
       EXPECT_EQ(m.AxisAngle, 7);
     }},
    {"a line of 100 000 numbers is no plain line",
     [] { return Numbered("0", 99999) + "\r\n"; },
     [](const JwwModel& m) { EXPECT_EQ(m.EntOrder.Count(), 0); }},
    {"a million picked points",
     [] { return Repeat("hp1 1 2\r\n", 999999) + "hp1 3 4\r\n"; },
     [](const JwwModel& m) {
       EXPECT_EQ(m.HpCount, 1000000);
       ExpectPoint(m, 1, 3, 4);
     }},
    // Texts that are no valid number read as 0, never as an infinity, a
    // NaN or a negative zero.
    {"numbers out of range or malformed",
     [] {
       return "hp1 1e999 -0\r\nhp2 nan inf\r\nhp3 0x $\r\nhp4 --5 -1e999\r\n"
              "hp5 1e-999 -1e-400\r\nlc--5\r\nlt$\r\nlw0x\r\n";
     },
     [](const JwwModel& m) {
       for (int k = 1; k <= 5; ++k) ExpectPoint(m, k, 0, 0);
       EXPECT_EQ(m.CurColour, 0);
       EXPECT_EQ(m.CurLineType, 0);
       EXPECT_EQ(m.CurLineWidth, 0);
     }},
    {"hexadecimal integers", [] { return "lc$F\r\nlt0x1f\r\nlwX10\r\n"; },
     [](const JwwModel& m) {
       EXPECT_EQ(m.CurColour, 15);
       EXPECT_EQ(m.CurLineType, 31);
       EXPECT_EQ(m.CurLineWidth, 16);
     }},
    {"huge and tiny coordinates",
     [] {
       return "hp1 1e300 -1e300\r\nhp2 1e-300 -1e-300\r\n"
              "1e300 1e-300 -1e300 -1e-300\r\n"
              "hp3 1.7976931348623157e308 4.9e-324\r\n";
     },
     [](const JwwModel& m) {
       ExpectPoint(m, 1, 1e300, -1e300);
       ExpectPoint(m, 2, 1e-300, -1e-300);
       ExpectPoint(m, 3, 1.7976931348623157e308, 4.9e-324);
       ASSERT_EQ(m.Lines.Count(), 1);
       EXPECT_EQ(m.Lines[0].X1, 1e300);
       EXPECT_EQ(m.Lines[0].Y2, -1e-300);
     }},
    {"scales of 1e-300 and 1e300",
     [] { return "hs 1e-300 1e300 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\n"; },
     [](const JwwModel& m) {
       EXPECT_EQ(m.GroupScale[0], 1e-300);
       EXPECT_EQ(m.GroupScale[1], 1e300);
     }},
};

// Failure messages name the case instead of dumping its bytes.
void PrintTo(const HostileCase& c, std::ostream* os) {
  *os << c.name;
}

class HostileInput : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileInput, ReadsToTheStatedModel) {
  const HostileCase& c = GetParam();
  ScratchDir dir;
  ASSERT_TRUE(WriteFileBytes(dir.File("JWC_TEMP.TXT"), c.bytes()));
  JwwModel m;
  InitJwwModel(m);
  EXPECT_TRUE(ReadJwcTemp(m, dir.File("JWC_TEMP.TXT")));
  c.check(m);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileInput, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<HostileCase>& p) {
                           std::string name;
                           for (const char* s = p.param.name; *s; ++s) {
                             const char ch = *s;
                             const bool keep = (ch >= 'a' && ch <= 'z') ||
                                               (ch >= 'A' && ch <= 'Z') ||
                                               (ch >= '0' && ch <= '9');
                             name += keep ? ch : '_';
                           }
                           return name;
                         });

}  // namespace
