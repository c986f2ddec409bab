// Reading and checking the dialog, and building the new dimension's
// geometry from the stored chain and the picked points.
#include "tool/dim_input.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>

#include "dim_test_form.h"
#include "tool/dim_points.h"
#include "tool/headless_port.h"
#include "tool/texts.h"

namespace {

// ---------------------------------------------------------------------------
// The checks, their order and their boundaries.

struct CheckRow {
  const char* name;
  std::function<void(TForm1&)> change;
  std::optional<ControlId> focus;  // none: accepted
};

// A form with its controls' initial values and a text type chosen, as
// FormShow leaves it.
struct SettingsBench {
  SettingsBench() : port(""), form(port) {
    form.ComboBox3.Items.assign(11, "item");
    form.ComboBox3.ItemIndex = 0;
  }
  HeadlessPort port;
  TForm1 form;
};

class ReadDimSettingsTest : public testing::Test, public SettingsBench {};

TEST_F(ReadDimSettingsTest, FocusesTheFirstBadControlSilently) {
  const CheckRow rows[] = {
      {"defaults", [](TForm1&) {}, std::nullopt},
      {"Edit7 1000", [](TForm1& f) { f.Edit7.Text = "1000"; }, std::nullopt},
      {"Edit7 1000.01", [](TForm1& f) { f.Edit7.Text = "1000.01"; },
       ControlId::Edit7},
      {"Edit7 0", [](TForm1& f) { f.Edit7.Text = "0"; }, ControlId::Edit7},
      {"Edit7 -3", [](TForm1& f) { f.Edit7.Text = "-3"; }, ControlId::Edit7},
      {"Edit8 179.9", [](TForm1& f) { f.Edit8.Text = "179.9"; }, std::nullopt},
      {"Edit8 180", [](TForm1& f) { f.Edit8.Text = "180"; }, ControlId::Edit8},
      {"Edit8 0", [](TForm1& f) { f.Edit8.Text = "0"; }, ControlId::Edit8},
      {"Edit1 abc", [](TForm1& f) { f.Edit1.Text = "abc"; }, ControlId::Edit1},
      {"Edit1 0", [](TForm1& f) { f.Edit1.Text = "0"; }, ControlId::Edit1},
      {"Edit1 0.001", [](TForm1& f) { f.Edit1.Text = "0.001"; }, std::nullopt},
      {"Edit5 abc", [](TForm1& f) { f.Edit5.Text = "abc"; }, std::nullopt},
      {"Edit5 -0.1", [](TForm1& f) { f.Edit5.Text = "-0.1"; },
       ControlId::Edit5},
      {"Edit6 -1", [](TForm1& f) { f.Edit6.Text = "-1"; }, ControlId::Edit6},
      {"Edit6 empty", [](TForm1& f) { f.Edit6.Text = ""; }, std::nullopt},
      {"Edit9 -1", [](TForm1& f) { f.Edit9.Text = "-1"; }, ControlId::Edit9},
      {"Edit4 -1", [](TForm1& f) { f.Edit4.Text = "-1"; }, std::nullopt},
      {"ComboBox1 none", [](TForm1& f) { f.ComboBox1.ItemIndex = -1; },
       ControlId::ComboBox1},
      {"ComboBox2 none", [](TForm1& f) { f.ComboBox2.ItemIndex = -1; },
       ControlId::ComboBox2},
      {"ComboBox3 none", [](TForm1& f) { f.ComboBox3.ItemIndex = -1; },
       ControlId::ComboBox3},
      {"ComboBox4 none", [](TForm1& f) { f.ComboBox4.ItemIndex = -1; },
       ControlId::ComboBox4},
      {"ComboBox5 none", [](TForm1& f) { f.ComboBox5.ItemIndex = -1; },
       ControlId::ComboBox5},
      {"RadioGroup1 none", [](TForm1& f) { f.RadioGroup1.ItemIndex = -1; },
       ControlId::RadioGroup1},
      {"RadioGroup2 none", [](TForm1& f) { f.RadioGroup2.ItemIndex = -1; },
       ControlId::RadioGroup2},
      // Two bad controls: only the first in the checking order is focused.
      {"ComboBox1 and Edit1",
       [](TForm1& f) {
         f.ComboBox1.ItemIndex = -1;
         f.Edit1.Text = "abc";
       },
       ControlId::ComboBox1},
      {"Edit1 before Edit7",
       [](TForm1& f) {
         f.Edit7.Text = "0";
         f.Edit1.Text = "0";
       },
       ControlId::Edit1},
      {"Edit8 before ComboBox3",
       [](TForm1& f) {
         f.ComboBox3.ItemIndex = -1;
         f.Edit8.Text = "200";
       },
       ControlId::Edit8},
      {"ComboBox3 before Edit9",
       [](TForm1& f) {
         f.Edit9.Text = "-2";
         f.ComboBox3.ItemIndex = -1;
       },
       ControlId::ComboBox3},
      {"RadioGroup2 before Edit5",
       [](TForm1& f) {
         f.Edit5.Text = "-2";
         f.RadioGroup2.ItemIndex = -1;
       },
       ControlId::RadioGroup2},
      {"Edit5 before Edit6 before Edit9",
       [](TForm1& f) {
         f.Edit9.Text = "-2";
         f.Edit6.Text = "-2";
         f.Edit5.Text = "-2";
       },
       ControlId::Edit5},
  };
  for (const CheckRow& r : rows) {
    SettingsBench b;
    r.change(b.form);
    TDimSettings s;
    const std::optional<ControlId> bad = ReadDimSettings(b.form, s);
    EXPECT_EQ(bad.has_value(), r.focus.has_value()) << r.name;
    if (r.focus && bad) {
      EXPECT_EQ(*bad, *r.focus) << r.name << ": focused " << ControlName(*bad);
    }
  }
}

TEST_F(ReadDimSettingsTest, ReadsEveryControl) {
  form.ComboBox1.ItemIndex = 11;
  form.ComboBox2.ItemIndex = 7;
  form.Edit1.Text = "2.5";
  form.Edit7.Text = "4";
  form.Edit8.Text = "30";
  form.ComboBox3.ItemIndex = 4;
  form.ComboBox4.ItemIndex = 1;
  form.ComboBox5.ItemIndex = 0;
  form.RadioGroup1.ItemIndex = 1;
  form.RadioGroup2.ItemIndex = 1;
  form.CheckBox1.Checked = true;
  form.CheckBox3.Checked = true;
  form.Edit4.Text = "-1";
  form.Edit5.Text = "abc";
  form.Edit6.Text = "3";
  form.Edit9.Text = "1.5";
  TDimSettings s;
  ASSERT_FALSE(ReadDimSettings(form, s));
  EXPECT_EQ(s.StartKind, 11);
  EXPECT_EQ(s.EndKind, 7);
  EXPECT_EQ(s.EndScale, 2.5);
  EXPECT_EQ(s.ArrowLength, 4);
  EXPECT_EQ(s.ArrowAngle, 30);
  EXPECT_EQ(s.TextTypeChoice, 4);
  EXPECT_EQ(s.PrecisionIndex, 1);
  EXPECT_EQ(s.RoundingMode, 0);
  EXPECT_EQ(s.ShowZeros, 1);
  EXPECT_EQ(s.UnitChoice, 1);
  EXPECT_TRUE(s.ThousandsComma);
  EXPECT_FALSE(s.AppendUnit);
  EXPECT_TRUE(s.FullWidth);
  EXPECT_FALSE(s.AsDimFigure);
  EXPECT_EQ(s.ValueGap, -1);
  EXPECT_EQ(s.PointGap, 0);
  EXPECT_EQ(s.Overshoot, 3);
  EXPECT_EQ(s.ReverseOverhang, 1.5);
}

TEST_F(ReadDimSettingsTest, BlankPrefixAndSuffixBecomeEmpty) {
  struct Row {
    std::string typed;
    std::string kept;
  };
  const Row rows[] = {
      {"\x81\x40 ", ""},         // one full-width and one half-width blank
      {"  ", ""},                // half-width blanks
      {"\t", ""},                // a control character
      {"", ""},                  // nothing
      {" A", " A"},              // visible content: kept as typed
      {"A ", "A "},              //
      {"\x96\xF1", "\x96\xF1"},  // a Japanese character
      {"\x81\x40"
       "A",
       "\x81\x40"
       "A"},
  };
  for (const Row& r : rows) {
    form.Edit2.Text = r.typed;
    form.Edit3.Text = r.typed;
    TDimSettings s;
    ASSERT_FALSE(ReadDimSettings(form, s));
    EXPECT_EQ(s.Prefix, r.kept) << "[" << r.typed << "]";
    EXPECT_EQ(s.Suffix, r.kept) << "[" << r.typed << "]";
  }
}

// ---------------------------------------------------------------------------
// The chain, the side test and the new dimension's geometry.

// The stored chain from (0, 0) to (100, 0) with level point (0, 20), saved at
// the current scale 1, picked points 1 and 2, and the distances of the
// dialog's initial values.
struct SpanBench {
  SpanBench() {
    InitJwwModel(m);
    settings.ValueGap = 0.5;
    settings.PointGap = 2;
    settings.Overshoot = 2;
    settings.ReverseOverhang = 2;
    SetChain(0, 0, 100, 0, 0, 20);
    Pick(150, 0, 110, 40);
  }

  void SetChain(double x1, double y1, double x2, double y2, double x3,
                double y3) {
    stored = TDimChain{{x1, y1}, {x2, y2}, {x3, y3}};
  }

  void Pick(double x1, double y1, double x2, double y2) {
    dimtest::PickPoints(m, x1, y1, x2, y2);
  }

  const TDimSpanPlan& Build() {
    plan = BuildDimSpan(settings, m, stored, savedScale);
    return plan;
  }

  JwwModel m;
  TDimSettings settings;
  TDimChain stored;
  double savedScale = 1;
  TDimSpanPlan plan;
  const TDimSpan& span = plan.Span;
};

// A refusal that shows `message` and closes the dialog or leaves it open.
void ExpectMessage(const std::optional<TDimRefusal>& refusal,
                   const char* message, bool closes) {
  ASSERT_TRUE(refusal.has_value());
  EXPECT_FALSE(refusal->Focus.has_value());
  EXPECT_STREQ(refusal->Message, message);
  EXPECT_EQ(refusal->CloseDialog, closes);
}

// Drawn: neither refused before the save nor after it.
bool Drawn(const TDimSpanPlan& plan) {
  return !plan.Refusal && plan.Drawable;
}

class BuildDimSpanTest : public testing::Test, public SpanBench {};
TEST_F(BuildDimSpanTest, SideTestAlongTheAxisWithTolerance) {
  struct Row {
    double axis;
    double chain[4];  // first end, second end (stored order)
    TDimPoint p1;
    std::optional<TDimSide> side;  // none: inside
  };
  const Row rows[] = {
      {0, {0, 0, 100, 0}, {150, 0}, TDimSide::Right},
      {0, {0, 0, 100, 0}, {-50, 0}, TDimSide::Left},
      {0, {0, 0, 100, 0}, {50, 0}, std::nullopt},
      {0, {0, 0, 100, 0}, {100, 0}, std::nullopt},    // at the end
      {0, {0, 0, 100, 0}, {0, 0}, std::nullopt},      // at the first end
      {0, {0, 0, 100, 0}, {100, 500}, std::nullopt},  // far across the axis
      {0, {0, 0, 100, 0}, {-9e-11, -300}, std::nullopt},
      // The double nearest 1e-10 lies just above the extended 1e-10.
      {0, {0, 0, 100, 0}, {-1e-10, 0}, TDimSide::Left},
      {0, {-100, 0, 0, 0}, {1e-10, 0}, TDimSide::Right},
      {0, {-100, 0, 0, 0}, {9e-11, 0}, std::nullopt},
      // Stored the other way round: ordered before the test.
      {0, {100, 0, 0, 0}, {150, 0}, TDimSide::Right},
      {0, {100, 0, 0, 0}, {-50, 0}, TDimSide::Left},
      {0, {100, 0, 0, 0}, {50, 0}, std::nullopt},
      // Axis 90: before the chain means lower y, whatever x is.
      {90, {0, 0, 0, 100}, {0, -50}, TDimSide::Left},
      {90, {0, 0, 0, 100}, {500, -10}, TDimSide::Left},
      {90, {0, 0, 0, 100}, {-50, 50}, std::nullopt},
      {90, {0, 0, 0, 100}, {-50, 150}, TDimSide::Right},
      {90, {0, 100, 0, 0}, {0, 150}, TDimSide::Right},
      // On the sheet's x the point lies beyond, along the axis it does not.
      {90, {0, 0, 0, 100}, {300, 50}, std::nullopt},
  };
  for (const Row& r : rows) {
    SpanBench b;
    b.m.AxisAngle = r.axis;
    b.SetChain(r.chain[0], r.chain[1], r.chain[2], r.chain[3], 0, 20);
    b.Pick(r.p1.X, r.p1.Y, 10, 40);
    const TDimSpanPlan& plan = b.Build();
    SCOPED_TRACE(testing::Message() << "axis " << r.axis << " p1 (" << r.p1.X
                                    << ", " << r.p1.Y << ")");
    if (r.side) {
      EXPECT_TRUE(Drawn(plan));
      EXPECT_EQ(plan.Span.Side, *r.side);
    } else {
      ExpectMessage(plan.Refusal, texts::kMsgInsideChain, true);
    }
  }
}

TEST_F(BuildDimSpanTest, ExtendsTheStoredChainOnEitherSide) {
  struct Row {
    double chain[4];
    TDimPoint p1;
    TDimSide side;
    TDimPoint endA, endB;
    double stored[6];
  };
  const Row rows[] = {
      {{0, 0, 100, 0},
       {150, 5},
       TDimSide::Right,
       {100, 0},
       {150, 5},
       {0, 0, 150, 5, 0, 20}},
      {{0, 0, 100, 0},
       {-50, -5},
       TDimSide::Left,
       {-50, -5},
       {0, 0},
       {-50, -5, 100, 0, 0, 20}},
      {{100, 0, 0, 0},
       {150, 5},
       TDimSide::Right,
       {100, 0},
       {150, 5},
       {0, 0, 150, 5, 0, 20}},
      {{100, 0, 0, 0},
       {-50, -5},
       TDimSide::Left,
       {-50, -5},
       {0, 0},
       {-50, -5, 100, 0, 0, 20}},
  };
  for (const Row& r : rows) {
    SetChain(r.chain[0], r.chain[1], r.chain[2], r.chain[3], 0, 20);
    Pick(r.p1.X, r.p1.Y, 110, 40);
    ASSERT_TRUE(Drawn(Build()));
    EXPECT_EQ(span.Side, r.side);
    EXPECT_EQ(span.EndA.X, r.endA.X);
    EXPECT_EQ(span.EndA.Y, r.endA.Y);
    EXPECT_EQ(span.EndB.X, r.endB.X);
    EXPECT_EQ(span.EndB.Y, r.endB.Y);
    const TDimChain& c = plan.Chain;
    const double extended[6] = {c.First.X, c.First.Y, c.Last.X,
                                c.Last.Y,  c.Level.X, c.Level.Y};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(extended[i], r.stored[i]) << i;
    // The dimension line runs through the level point, at the feet.
    EXPECT_EQ(span.LineEndA.X, r.endA.X);
    EXPECT_EQ(span.LineEndA.Y, 20);
    EXPECT_EQ(span.LineEndB.X, r.endB.X);
    EXPECT_EQ(span.LineEndB.Y, 20);
    EXPECT_EQ(span.Length, 50);
    EXPECT_EQ(span.TextPoint.X, 110);
    EXPECT_EQ(span.TextPoint.Y, 40);
  }
}

TEST_F(BuildDimSpanTest, ChainSavedAtAnotherScaleKeepsItsPlaceOnPaper) {
  // Saved at scale 100, continued in layer group 3 of scale 50: halved.
  savedScale = 100;
  m.InitGroup = 3;
  m.GroupScale[3] = 50;
  SetChain(200, 0, 0, 0, 0, 40);
  Pick(150, 0, 110, 40);
  settings.ValueGap = 0.5;
  settings.PointGap = 2;
  settings.Overshoot = 3;
  settings.ReverseOverhang = 0.25;
  ASSERT_TRUE(Drawn(Build()));
  EXPECT_EQ(span.DrawScale, 50);
  EXPECT_EQ(span.Side, TDimSide::Right);
  EXPECT_EQ(span.EndA.X, 100);
  EXPECT_EQ(span.LevelPoint.Y, 20);
  EXPECT_EQ(span.LineEndA.Y, 20);
  EXPECT_EQ(plan.Chain.First.X, 0);
  EXPECT_EQ(plan.Chain.Last.X, 150);
  EXPECT_EQ(plan.Chain.Level.Y, 20);
  EXPECT_EQ(span.ValueGap, 25);
  EXPECT_EQ(span.PointGap, 100);
  EXPECT_EQ(span.Overshoot, 150);
  EXPECT_EQ(span.ReverseOverhang, 12.5);
}

TEST_F(BuildDimSpanTest, DimensionLineFollowsTheAxis) {
  m.AxisAngle = 90;
  SetChain(0, 0, 0, 100, 20, 0);
  Pick(3, 150, 110, 40);
  ASSERT_TRUE(Drawn(Build()));
  EXPECT_EQ(span.Side, TDimSide::Right);
  EXPECT_NEAR(span.LineEndA.X, 20, 1e-12);
  EXPECT_NEAR(span.LineEndA.Y, 100, 1e-12);
  EXPECT_NEAR(span.LineEndB.X, 20, 1e-12);
  EXPECT_NEAR(span.LineEndB.Y, 150, 1e-12);
  EXPECT_NEAR(span.Length, 50, 1e-12);
}

TEST_F(BuildDimSpanTest, ZeroLengthIsRefusedAfterTheChainIsExtended) {
  // Point 1 lies beyond the chain's end by more than 1e-10 in the frame about
  // the first end, but its foot is closer than 1e-10 to the old end's.
  m.AxisAngle = 30;
  SetChain(0, 0, 86602.540378443868, 49999.999999999993, 0, 20);
  Pick(86602.540378443824, 50000.000000000262, 110, 40);
  Build();
  EXPECT_FALSE(plan.Refusal.has_value());
  EXPECT_FALSE(plan.Drawable);
  EXPECT_LT(std::fabs(span.Length), 1e-10);
  EXPECT_EQ(plan.Chain.Last.X, 86602.540378443824);
}

TEST_F(BuildDimSpanTest, WithoutPickedPointsTheDialogCloses) {
  for (int missing : {1, 2}) {
    SpanBench b;
    b.m.HpPoints[missing].Used = 0;
    ExpectMessage(b.Build().Refusal, texts::kMsgNoPickedPoint, true);
  }
}

TEST_F(BuildDimSpanTest, OverflowingChainIsRefusedBeforeTheChainIsExtended) {
  struct Row {
    const char* name;
    double savedScale;
    double drawScale;
    double chainEnd;
  };
  const Row rows[] = {
      {"tiny saved scale", 1e-300, 1e300, 1e10},
      {"huge current scale", 1, 1e300, 1e10},
      {"zero saved scale", 0, 1, 100},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    SpanBench b;
    b.savedScale = r.savedScale;
    b.m.GroupScale[0] = r.drawScale;
    b.SetChain(0, 0, r.chainEnd, 0, 0, 20);
    b.Pick(1e300, 0, 110, 40);
    ExpectMessage(b.Build().Refusal, texts::kMsgZeroLength, false);
  }
}

TEST_F(BuildDimSpanTest, OverflowingGeometryIsRefusedLikeZeroLength) {
  struct Row {
    const char* name;
    double axis;
    TDimPoint p1;
    double valueGap;
    double drawScale;
  };
  const Row rows[] = {
      // The foot of point 1 lies past the largest double.
      {"huge point 1", 45, {1.7e308, 1.7e308}, 0.5, 1},
      // The value gap in drawing units overflows.
      {"huge gap", 0, {150, 0}, 1e300, 1e10},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    SpanBench b;
    b.savedScale = r.drawScale;
    b.m.GroupScale[0] = r.drawScale;
    b.m.AxisAngle = r.axis;
    b.settings.ValueGap = r.valueGap;
    b.Pick(r.p1.X, r.p1.Y, 110, 40);
    b.Build();
    EXPECT_FALSE(b.plan.Refusal.has_value());
    EXPECT_FALSE(b.plan.Drawable);
    // The chain to be saved holds no infinity.
    EXPECT_TRUE(Finite(b.plan.Chain.First) && Finite(b.plan.Chain.Last) &&
                Finite(b.plan.Chain.Level));
  }
}

}  // namespace
