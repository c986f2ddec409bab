// The value text: wording from length and format settings, text type, text
// angle, and the records of the plain and the dimension-figure variants.
#include "tool/value_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dim_test_records.h"
#include "interchange/jwc_writer.h"
#include "interchange/jww_model.h"

namespace {

// Shift-JIS bytes of the full-width and Japanese texts used below.
const std::string kMetre = "\x82\x8D";                           // ｍ
const std::string kFw2p5m = "\x82\x51\x81\x44\x82\x54\x82\x8D";  // ２．５ｍ
const std::string kFw2500 = "\x82\x51\x82\x54\x82\x4F\x82\x4F";  // ２５００
const std::string kYaku = "\x96\xF1";                            // 約
const std::string kSankou = "(\x8E\x51\x8D\x6C)";                // (参考)
const std::string kFwSpace = "\x81\x40";                         // 　

enum Rounding { kDown = 0, kUp = 1, kHalfUp = 2 };

struct ValueRow {
  double length;  // drawing units (millimetres)
  int precision;
  int rounding;
  int showZeros;
  int unit;
  bool grouping;
  bool appendUnit;
  bool fullWidth;
  std::string prefix;
  std::string suffix;
  std::string expected;
};

class ComposeDimValueTable : public testing::TestWithParam<ValueRow> {};

TEST_P(ComposeDimValueTable, ComposesTheValueText) {
  const ValueRow& r = GetParam();
  TDimSettings s;
  s.PrecisionIndex = r.precision;
  s.RoundingMode = r.rounding;
  s.ShowZeros = r.showZeros;
  s.UnitChoice = r.unit;
  s.ThousandsComma = r.grouping;
  s.AppendUnit = r.appendUnit;
  s.FullWidth = r.fullWidth;
  s.Prefix = r.prefix;
  s.Suffix = r.suffix;
  EXPECT_EQ(ComposeDimValue(s, r.length), r.expected);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, ComposeDimValueTable,
    testing::Values(
        ValueRow{1234.5678, 3, kHalfUp, 0, 0, false, false, false, "", "",
                 "1234.568"},
        ValueRow{2500, 3, kHalfUp, 0, 0, false, false, false, "", "", "2500"},
        ValueRow{2500, 3, kHalfUp, 1, 0, false, false, false, "", "",
                 "2500.000"},
        ValueRow{2500, 3, kHalfUp, 0, 0, true, false, false, "", "", "2,500"},
        ValueRow{2500, 2, kHalfUp, 0, 1, false, false, false, "", "", "2.5"},
        ValueRow{2500, 2, kHalfUp, 0, 1, false, true, false, "", "",
                 "2.5" + kMetre},
        ValueRow{2500, 2, kHalfUp, 0, 1, false, true, true, "", "", kFw2p5m},
        ValueRow{2500, 0, kHalfUp, 0, 0, false, true, true, "", "",
                 kFw2500 + "mm"},
        ValueRow{1234567.891, 1, kHalfUp, 0, 0, true, false, false, "", "",
                 "1,234,567.9"},
        ValueRow{1234.05, 0, kUp, 0, 0, false, false, false, "", "", "1234"},
        ValueRow{1234.2, 0, kUp, 0, 0, false, false, false, "", "", "1235"},
        ValueRow{1234.9, 0, kDown, 0, 0, false, false, false, "", "", "1234"},
        ValueRow{1234.5, 0, kHalfUp, 0, 0, false, false, false, "", "", "1235"},
        ValueRow{10.05, 2, kHalfUp, 0, 0, false, false, false, "", "", "10.05"},
        ValueRow{10.5, 2, kHalfUp, 0, 0, false, false, false, "", "", "10.5"},
        ValueRow{2500.01, 2, kUp, 0, 1, false, false, false, "", "", "2.5"}));

INSTANTIATE_TEST_SUITE_P(
    ExtraCases, ComposeDimValueTable,
    testing::Values(
        // Prefix and suffix are never converted to full width.
        ValueRow{2500, 0, kHalfUp, 0, 0, false, false, true, kYaku, kSankou,
                 kYaku + kFw2500 + kSankou},
        // Below half a unit of the last digit: drawn as 0.
        ValueRow{0.3, 0, kHalfUp, 0, 0, false, false, false, "", "", "0"},
        ValueRow{0.0004, 3, kHalfUp, 0, 0, false, false, false, "", "", "0"},
        // Only zeros after the point go; digits before it stay.
        ValueRow{100, 2, kHalfUp, 0, 0, false, false, false, "", "", "100"},
        ValueRow{1000.1, 2, kHalfUp, 0, 0, true, false, false, "", "",
                 "1,000.1"},
        ValueRow{100, 0, kHalfUp, 0, 0, false, false, false, "", "", "100"},
        // Zeros kept: the unit text follows the full set of decimals.
        ValueRow{12.5, 2, kHalfUp, 1, 0, false, true, false, "", "", "12.50mm"},
        // Unit text "mm" stays half-width even with full width on; the
        // order is prefix, number, unit, suffix.
        ValueRow{7, 0, kHalfUp, 0, 0, false, true, false, "L=", " typ",
                 "L=7mm typ"},
        ValueRow{1234.5, 1, kHalfUp, 0, 0, true, false, true, "", "",
                 "\x82\x50\x81\x43\x82\x51\x82\x52\x82\x53\x81\x44\x82\x54"},
        ValueRow{3, 0, kHalfUp, 0, 0, false, false, false, kFwSpace + "A", "",
                 kFwSpace + "A3"}));

TEST(TextAngle, NeverUpsideDown) {
  struct Row {
    double axis;
    double theta;
  };
  const Row rows[] = {{0, 0},
                      {90, 90},
                      {90.5, 270.5},
                      {180, 0},
                      {200, 20},
                      {270, 90},
                      {300, 300},
                      {-30, 330},
                      {360, 0},
                      {-360, 0},
                      {45, 45},
                      {135, 315},
                      {90.000000009, 90.000000009},
                      {269.99, 89.99},
                      {90.0000001, 270.0000001}};
  for (const Row& r : rows) {
    EXPECT_NEAR(TextAngle(r.axis), r.theta, 1e-11) << "axis " << r.axis;
  }
}

class ValueTextTypeTest : public testing::Test {
 protected:
  void SetUp() override {
    InitJwwModel(m);
    for (int n = 1; n <= 10; ++n) {
      m.TextTypes[n] = TJwwTextType{n * 1.0, n * 1.5, n * 0.25, n + 1};
    }
    m.InitTextWidth = 2.5;
    m.InitTextHeight = 2.75;
    m.InitTextSpacing = 0.125;
    m.InitTextColour = 6;
  }
  JwwModel m;
};

TEST_F(ValueTextTypeTest, ResolvesChoiceAndHostTextType) {
  struct Row {
    int choice;
    int initTextType;
    TValueTextType expected;
  };
  const Row rows[] = {
      {4, 1, {4, 4.0, 6.0, 1.0, 5}},  // the list's text type 4
      {10, 0, {10, 10.0, 15.0, 2.5, 11}},
      {0, 3, {3, 3.0, 4.5, 0.75, 4}},    // the host's current type
      {0, 0, {0, 2.5, 2.75, 0.125, 6}},  // the host's free sizes
      {0, 12, {1, 1.0, 1.5, 0.25, 2}},   // outside 1..10: type 1
      {0, -2, {1, 1.0, 1.5, 0.25, 2}},
      {11, 5, {5, 5.0, 7.5, 1.25, 6}},  // past the list: as choice 0
  };
  for (const Row& r : rows) {
    m.InitTextType = r.initTextType;
    const TValueTextType t = ResolveValueTextType(r.choice, m);
    EXPECT_EQ(t.Number, r.expected.Number) << "choice " << r.choice;
    EXPECT_EQ(t.Width, r.expected.Width) << "choice " << r.choice;
    EXPECT_EQ(t.Height, r.expected.Height) << "choice " << r.choice;
    EXPECT_EQ(t.Spacing, r.expected.Spacing) << "choice " << r.choice;
    EXPECT_EQ(t.Colour, r.expected.Colour) << "choice " << r.choice;
  }
}

using dimtest::Lines;

class ValueBlockTest : public testing::Test {
 protected:
  void SetUp() override {
    InitJwwModel(m);
    ResetCurrentAttributes(m);
    span.LineEndA = {100, 20};
    span.LineEndB = {150, 20};
    span.Length = 50;
    span.TextPoint = {110, 40};
    s.PrecisionIndex = 3;
    s.RoundingMode = 2;
    s.TextTypeChoice = 2;
  }
  JwwModel m;
  TDimSettings s;
  TDimSpan span;
};

TEST_F(ValueBlockTest, PlainVariantWritesLineThenText) {
  m.TextTypes[2] = TJwwTextType{4, 4, 1, 3};
  const TValueBlock v = PrepareValueBlock(s, span, m);
  EXPECT_EQ(v.Text, "50");
  // Two half-width digits of 2 and half a spacing between them.
  EXPECT_DOUBLE_EQ(v.Length, 4.5);
  WriteValueBlock(m, v);
  const std::vector<std::string> expected = {
      "z3", "100 20 150 20", "cn2", "cc0", "z3", "cs 110 40 10 0 \"", "50"};
  EXPECT_EQ(Lines(m), expected);
}

TEST_F(ValueBlockTest, FigureVariantWritesOneDimensionFigure) {
  s.AsDimFigure = true;
  s.TextTypeChoice = 0;
  m.InitTextType = 0;
  m.InitTextWidth = 2.5;
  m.InitTextHeight = 2.5;
  m.InitTextSpacing = 0;
  m.InitTextColour = 1;
  WriteValueBlock(m, PrepareValueBlock(s, span, m));
  const std::vector<std::string> expected = {
      "cn0 2.5 2.5 0 1", "msg", "100 20 150 20", "cs 110 40 10 0 \"", "50"};
  EXPECT_EQ(Lines(m), expected);
}

TEST_F(ValueBlockTest, TextDirectionFollowsTheTextAngle) {
  struct Row {
    double axis;
    double dirX;
    double dirY;
  };
  // 30 degrees: 10 cos 30 and 10 sin 30 from the extended-precision angle.
  const Row rows[] = {{0, 10, 0},
                      {180, 10, 0},
                      {30, 8.660254037844386, 5.0},
                      {210, 8.660254037844386, 5.0},
                      {120, 5.0, -8.660254037844386}};
  for (const Row& r : rows) {
    m.AxisAngle = r.axis;
    const TValueBlock v = PrepareValueBlock(s, span, m);
    EXPECT_NEAR(v.DirX, r.dirX, 1e-14) << "axis " << r.axis;
    EXPECT_NEAR(v.DirY, r.dirY, 1e-14) << "axis " << r.axis;
  }
  // The vertical text direction keeps the tiny cosine of the extended pi/2.
  m.AxisAngle = 90;
  const TValueBlock up = PrepareValueBlock(s, span, m);
  EXPECT_EQ(up.DirY, 10.0);
  EXPECT_LT(std::abs(up.DirX), 1e-17);
}

}  // namespace
