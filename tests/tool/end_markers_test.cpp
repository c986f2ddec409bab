// End markers: footprints, the reversal decision, marker angles, overhang,
// line-arrow wings and point markers.
#include "tool/end_markers.h"

#include <gtest/gtest.h>

#include "dim_test_records.h"
#include "interchange/jwc_writer.h"
#include "support/geometry.h"

namespace {

using dimtest::ExpectRecords;
using dimtest::Lines;
using dimtest::Record;

TDimSettings Markers(int start, int finish, double endScale) {
  TDimSettings s;
  s.StartKind = start;
  s.EndKind = finish;
  s.EndScale = endScale;
  s.ArrowLength = 3;
  s.ArrowAngle = 15;
  return s;
}

TDimSpan Line(double length, double drawScale) {
  TDimSpan span;
  span.DrawScale = drawScale;
  span.LineEndA = {0, 20};
  span.LineEndB = {length, 20};
  span.Length = length;
  return span;
}

TEST(MarkerFootprint, PerKindInDrawingUnits) {
  struct Row {
    int kind;
    double endScale;
    double drawScale;
    double footprint;
  };
  const Row rows[] = {
      {0, 1, 1, 2.897777478867205},  // 3 x cos 15
      {0, 2, 1, 2.897777478867205},  // line arrows ignore the end scale
      {0, 1, 50, 144.88887394336025},
      {1, 1, 100, 750},
      {6, 1, 1, 7.5},
      {9, 1, 1, 7.5},
      {11, 1, 1, 7.5},
      {2, 1, 1, 1.25},
      {3, 1, 1, 1.25},
      {4, 1, 1, 1.25},
      {5, 1, 1, 1.25},
      {7, 1, 100, 125},
      {7, 2, 100, 250},
      {1, 2, 1, 15},
      {8, 1, 1, 1.7677669529663689},
      {10, 1, 1, 1.7677669529663689},
      {12, 1, 1, 0},
  };
  for (const Row& r : rows) {
    TDimSettings s = Markers(r.kind, r.kind, r.endScale);
    EXPECT_NEAR(static_cast<double>(MarkerFootprint(r.kind, s, r.drawScale)),
                r.footprint, 1e-13)
        << "kind " << r.kind;
  }
}

TEST(PlanEndMarkers, ReversedOnlyWhenFootprintsExceedTheLine) {
  struct Row {
    int start;
    int finish;
    double endScale;
    double drawScale;
    double length;
    bool reversed;
  };
  const Row rows[] = {
      {0, 0, 1, 1, 5.79, true},         {0, 0, 1, 1, 5.8, false},
      {0, 0, 2, 1, 5.79, true},         {0, 0, 2, 1, 5.8, false},
      {1, 7, 1, 100, 874, true},        {1, 7, 1, 100, 875, false},
      {1, 7, 2, 100, 1749, true},       {1, 7, 2, 100, 1750, false},
      {11, 7, 1, 100, 874, true},       {11, 7, 1, 100, 875, false},
      {0, 7, 1, 1, 4.14, true},         {0, 7, 1, 1, 4.15, false},
      {7, 0, 1, 1, 4.14, true},         {8, 10, 1, 1, 3.5355, true},
      {8, 10, 1, 1, 3.5356, false},     {2, 2, 1, 1, 2.5, false},
      {2, 2, 1, 1, 2.4999999999, true},
  };
  for (const Row& r : rows) {
    const TMarkerPlan plan = PlanEndMarkers(
        Markers(r.start, r.finish, r.endScale), Line(r.length, r.drawScale));
    EXPECT_EQ(plan.Reversed, r.reversed)
        << r.start << "/" << r.finish << " length " << r.length;
  }
}

TEST(PlanEndMarkers, AnglesPointOutwardUnlessReversed) {
  struct Row {
    TDimPoint a, b;
    double start, finish;
  };
  const Row rows[] = {
      {{0, 20}, {100, 20}, 180, 0},  // along +x, room for two arrows
      {{0, 20}, {5, 20}, 0, 180},    // too short: reversed
      {{0, 0}, {0, 100}, 270, 90},   // along +y
      {{0, 0}, {0, 5}, 90, 270},     // along +y, reversed
      {{10, 10}, {110, 110}, 225, 45},
      // Reversed, finish direction 180.0000000049: the sum 360.0000000049 is
      // rounded to a double before 360 comes off.
      {{0, 0}, {-1, -8.55e-11}, 180.0000000049, 4.90001639263937e-9},
  };
  for (const Row& r : rows) {
    TDimSpan span;
    span.LineEndA = r.a;
    span.LineEndB = r.b;
    span.Length = Distance(r.a.X, r.a.Y, r.b.X, r.b.Y);
    const TMarkerPlan plan = PlanEndMarkers(Markers(0, 0, 1), span);
    EXPECT_DOUBLE_EQ(plan.StartAngle, r.start);
    EXPECT_DOUBLE_EQ(plan.FinishAngle, r.finish);
  }
}

class EndMarkerRecords : public testing::Test {
 protected:
  void SetUp() override {
    InitJwwModel(m);
    ResetCurrentAttributes(m);
  }
  void Draw(const TDimSettings& s, const TDimSpan& span) {
    const TMarkerPlan plan = PlanEndMarkers(s, span);
    WriteEndMarkers(m,
                    ShapeEndMarker(span.LineEndA, plan.StartAngle, s.StartKind,
                                   plan.Reversed, s, span),
                    ShapeEndMarker(span.LineEndB, plan.FinishAngle, s.EndKind,
                                   plan.Reversed, s, span));
  }
  JwwModel m;
};

TEST_F(EndMarkerRecords, LineArrowsNotReversed) {
  TDimSpan span = Line(50, 1);
  span.LineEndA = {100, 20};
  span.LineEndB = {150, 20};
  span.ReverseOverhang = 2;  // only reversed markers get an overhang
  Draw(Markers(0, 0, 1), span);
  const double t = 1e-12;
  ExpectRecords(Lines(m), {{"z3"},
                           {"100 20 102.897777478867 20.7764571353075", t},
                           {"z3"},
                           {"100 20 102.897777478867 19.2235428646925", t},
                           {"z3"},
                           {"z3"},
                           {"150 20 147.102222521133 19.2235428646925", t},
                           {"z3"},
                           {"150 20 147.102222521133 20.7764571353075", t}});
}

TEST_F(EndMarkerRecords, ReversedLineArrowsTrailOutwardWithOverhang) {
  TDimSpan span = Line(5, 1);
  span.LineEndA = {0, 0};
  span.LineEndB = {5, 0};
  span.ReverseOverhang = 2;
  Draw(Markers(0, 0, 1), span);
  const double t = 1e-12;
  ExpectRecords(Lines(m), {{"z3"},
                           {"0 0 -2 0", t},
                           {"z3"},
                           {"0 0 -2.89777747886721 -0.776457135307562", t},
                           {"z3"},
                           {"0 0 -2.89777747886721 0.776457135307562", t},
                           {"z3"},
                           {"z3"},
                           {"5 0 7 0", t},
                           {"z3"},
                           {"5 0 7.89777747886721 0.776457135307562", t},
                           {"z3"},
                           {"5 0 7.89777747886721 -0.776457135307562", t}});
}

TEST_F(EndMarkerRecords, PointMarkersCarryCodeScaleAndAngle) {
  struct Row {
    int start, finish;
    double endScale, drawScale, length, overhangMm;
    std::vector<Record> expected;
  };
  const double t = 1e-9;
  const std::vector<Row> rows = {
      // Not reversed: no overhang even when one is set.
      {1,
       11,
       1,
       1,
       100,
       2,
       {{"z3"}, {"pt 0 20 1 180 1"}, {"z3"}, {"z3"}, {"pt 100 20 1 0 11"}}},
      // The end scale is written with point markers.
      {7,
       5,
       2,
       1,
       100,
       0,
       {{"z3"}, {"pt 0 20 2 180 7"}, {"z3"}, {"z3"}, {"pt 100 20 2 0 5"}}},
      // Reversed at DrawScale 50: a 100-unit overhang outward at each end.
      {7,
       11,
       1,
       50,
       100,
       2,
       {{"z3"},
        {"0 20 -100 20", t},
        {"z3"},
        {"pt 0 20 1 0 7"},
        {"z3"},
        {"z3"},
        {"100 20 200 20", t},
        {"z3"},
        {"pt 100 20 1 180 11"}}},
      // Reversed without overhang.
      {7,
       11,
       1,
       50,
       100,
       0,
       {{"z3"}, {"pt 0 20 1 0 7"}, {"z3"}, {"z3"}, {"pt 100 20 1 180 11"}}},
  };
  for (const Row& r : rows) {
    InitJwwModel(m);
    ResetCurrentAttributes(m);
    TDimSpan span = Line(r.length, r.drawScale);
    span.ReverseOverhang = r.overhangMm * r.drawScale;
    Draw(Markers(r.start, r.finish, r.endScale), span);
    SCOPED_TRACE(testing::Message() << r.start << "/" << r.finish);
    ExpectRecords(Lines(m), r.expected);
  }
}

TEST_F(EndMarkerRecords, MixedKindsAreReversedTogether) {
  // Arrow 2.8978 + dot 1.25 exceed a line of 4: both ends reversed, the
  // arrow's wings trail outward and the dot turns inward.
  TDimSpan span = Line(4, 1);
  span.LineEndA = {0, 0};
  span.LineEndB = {4, 0};
  Draw(Markers(0, 7, 1), span);
  const double t = 1e-12;
  ExpectRecords(Lines(m), {{"z3"},
                           {"0 0 -2.89777747886721 -0.776457135307562", t},
                           {"z3"},
                           {"0 0 -2.89777747886721 0.776457135307562", t},
                           {"z3"},
                           {"z3"},
                           {"pt 4 0 1 180 7"}});
}

}  // namespace
