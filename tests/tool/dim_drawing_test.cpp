// The dimension's geometry: extension lines and their omission, the
// underline and the leader, the order of all records, and the guard against
// coordinates that overflow.
#include "tool/dim_drawing.h"

#include <gtest/gtest.h>

namespace {

TEST(SameAxisAngle, ComparesModulo360) {
  struct Row {
    double axis, saved;
    bool same;
  };
  const Row rows[] = {
      {0, 0, true},
      {360, 0, true},
      {-360, 0, true},
      {720, 0, true},
      {30, 390, true},
      {30, 0, false},
      {0, 30, false},
      {30.00000000001, 30, true},
      {30.000000001, 30, false},
      {359.99999999995, 0, true},
      {180, -180, true},
      {90, -270, true},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(SameAxisAngle(r.axis, r.saved), r.same)
        << r.axis << " vs " << r.saved;
  }
}

TEST(ExtensionLine, RunsFromTheGapToPastTheDimensionLine) {
  struct Row {
    double axis;
    TDimPoint z, level;
    TDimPoint start, finish;
  };
  const Row rows[] = {
      // Level above the point: gap and overshoot on the positive side.
      {0, {150, 0}, {0, 20}, {150, 2}, {150, 23}},
      // Level below: both turn to the negative side.
      {0, {150, 0}, {0, -20}, {150, -2}, {150, -23}},
      // Level exactly level with the point counts as the positive side.
      {0, {150, 5}, {0, 5}, {150, 7}, {150, 8}},
      // Axis 90: the dimension line is vertical at x = -20.
      {90, {0, 0}, {-20, 50}, {-2, 0}, {-23, 0}},
      {90, {0, 0}, {20, 50}, {2, 0}, {23, 0}},
      // Axis 360 behaves as 0.
      {360, {150, 0}, {0, 20}, {150, 2}, {150, 23}},
  };
  for (const Row& r : rows) {
    TDimPoint start, finish;
    ExtensionLine(r.z, r.level, r.axis, 2, 3, start, finish);
    SCOPED_TRACE(testing::Message() << "axis " << r.axis << " level ("
                                    << r.level.X << ", " << r.level.Y << ")");
    EXPECT_NEAR(start.X, r.start.X, 1e-12);
    EXPECT_NEAR(start.Y, r.start.Y, 1e-12);
    EXPECT_NEAR(finish.X, r.finish.X, 1e-12);
    EXPECT_NEAR(finish.Y, r.finish.Y, 1e-12);
  }
}

class PlanDimensionTest : public testing::Test {
 protected:
  void SetUp() override {
    InitJwwModel(m);
    s.StartKind = 0;
    s.EndKind = 0;
    s.EndScale = 1;
    s.ArrowLength = 3;
    s.ArrowAngle = 15;
    s.TextTypeChoice = 1;  // width 3, spacing 0: the text "50" is 3 long
    s.PrecisionIndex = 3;
    s.RoundingMode = 2;
    span.DrawScale = 1;
    span.EndA = {100, 0};
    span.EndB = {150, 0};
    span.LevelPoint = {0, 20};
    span.LineEndA = {100, 20};
    span.LineEndB = {150, 20};
    span.Length = 50;
    span.TextPoint = {110, 40};
    span.Side = TDimSide::Right;
    span.ValueGap = 0.5;
    span.PointGap = 2;
    span.Overshoot = 2;
  }
  JwwModel m;
  TDimSettings s;
  TDimSpan span;
};

TEST_F(PlanDimensionTest, LeavesOutTheOldEndsExtensionLineOnlyAtTheSameAngle) {
  struct Row {
    TDimSide side;
    double axis, saved;
    bool drawA, drawB;
  };
  const Row rows[] = {
      {TDimSide::Right, 0, 0, false, true},
      {TDimSide::Left, 0, 0, true, false},
      {TDimSide::Right, 30, 0, true, true},
      {TDimSide::Left, 0, 30, true, true},
      {TDimSide::Right, 360, 0, false, true},
      {TDimSide::Left, -360, 0, true, false},
  };
  for (const Row& r : rows) {
    span.Side = r.side;
    m.AxisAngle = r.axis;
    const TDimDrawing d = PlanDimension(s, span, m, r.saved);
    EXPECT_EQ(d.DrawExtensionA, r.drawA) << r.axis << " vs " << r.saved;
    EXPECT_EQ(d.DrawExtensionB, r.drawB) << r.axis << " vs " << r.saved;
  }
}

TEST_F(PlanDimensionTest, UnderlineAndLeader) {
  struct Row {
    const char* name;
    TDimPoint text;
    double gap;
    double drawScale;
    TDimPoint t0, t1, leaderEnd;
  };
  // M = (125, 20); the text "50" is 3 paper mm long.
  const Row rows[] = {
      {"wholly before M",
       {110, 40},
       0.5,
       1,
       {109.5, 39.5},
       {113.5, 39.5},
       {113.5, 39.5}},
      {"ends exactly at M",
       {121.5, 40},
       0.5,
       1,
       {121, 39.5},
       {125, 39.5},
       {125, 39.5}},
      {"reaches just past M",
       {121.75, 40},
       0.5,
       1,
       {121.25, 39.5},
       {125.25, 39.5},
       {121.25, 39.5}},
      {"wholly past M",
       {130, 40},
       0.5,
       1,
       {129.5, 39.5},
       {133.5, 39.5},
       {129.5, 39.5}},
      {"gap 0: on the baseline",
       {110, 40},
       0,
       1,
       {110, 40},
       {113, 40},
       {113, 40}},
      {"negative gap: above, shorter",
       {110, 40},
       -0.5,
       1,
       {110.5, 40.5},
       {112.5, 40.5},
       {112.5, 40.5}},
      {"text length times DrawScale",
       {0, 40},
       25,
       50,
       {-25, 15},
       {175, 15},
       {-25, 15}},
  };
  for (const Row& r : rows) {
    span.TextPoint = r.text;
    span.ValueGap = r.gap;
    span.DrawScale = r.drawScale;
    const TDimDrawing d = PlanDimension(s, span, m, 0);
    SCOPED_TRACE(r.name);
    EXPECT_EQ(d.Middle.X, 125);
    EXPECT_EQ(d.Middle.Y, 20);
    EXPECT_EQ(d.Underline0.X, r.t0.X);
    EXPECT_EQ(d.Underline0.Y, r.t0.Y);
    EXPECT_EQ(d.Underline1.X, r.t1.X);
    EXPECT_EQ(d.Underline1.Y, r.t1.Y);
    EXPECT_EQ(d.LeaderEnd.X, r.leaderEnd.X);
    EXPECT_EQ(d.LeaderEnd.Y, r.leaderEnd.Y);
  }
}

TEST_F(PlanDimensionTest, UnderlineFollowsAVerticalText) {
  // Axis 90: the text runs up; the underline lies g to the right of it and
  // starts g below the text point.
  m.AxisAngle = 90;
  span.LineEndA = {20, 100};
  span.LineEndB = {20, 150};
  span.TextPoint = {40, 110};
  const TDimDrawing d = PlanDimension(s, span, m, 90);
  EXPECT_NEAR(d.Underline0.X, 40.5, 1e-12);
  EXPECT_NEAR(d.Underline0.Y, 109.5, 1e-12);
  EXPECT_NEAR(d.Underline1.X, 40.5, 1e-12);
  EXPECT_NEAR(d.Underline1.Y, 113.5, 1e-12);
  // Along the text direction the underline ends before M = (20, 125).
  EXPECT_EQ(d.LeaderEnd.Y, d.Underline1.Y);
}

TEST_F(PlanDimensionTest, OverflowingPointsAreNotFinite) {
  EXPECT_TRUE(AllFinite(PlanDimension(s, span, m, 0)));
  span.DrawScale = 1e305;
  span.EndA = {1e307, 0};
  span.EndB = {1.5e307, 0};
  span.LevelPoint = {0, 2e306};
  span.LineEndA = {1e307, 2e306};
  span.LineEndB = {1.5e307, 2e306};
  span.TextPoint = {1.797e308, 0};  // the underline runs past the largest
  span.ValueGap = 5e304;
  span.PointGap = 0;
  span.Overshoot = 0;
  span.Length = 5e306;
  EXPECT_FALSE(AllFinite(PlanDimension(s, span, m, 0)));
}

}  // namespace
