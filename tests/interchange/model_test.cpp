// The drawing model: initial values, list growth in blocks of 1000, the
// element order and the release of storage.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "interchange/jwc_reader.h"
#include "interchange/jww_model.h"

namespace {

// Fills every part of the model with non-initial values.
void Dirty(JwwModel& m) {
  m.FileName = "f";
  m.AxisAngle = 5;
  m.GroupScale.fill(7);
  m.SheetWidth = m.SheetHeight = 1;
  m.TextTypes[3].Width = 9;
  m.BzFlag = true;
  m.HnValues[2] = 4;
  m.InitGroup = m.InitLayer = 3;
  m.InitColour = m.InitLineType = m.InitLineWidth = m.InitTextType = 9;
  m.InitTextWidth = m.InitTextHeight = m.InitTextSpacing = 9;
  m.InitTextColour = 9;
  m.InitFont = "x";
  m.LineWidthSeen = true;
  m.AttrFresh.fill(false);
  m.CurHhpNumber = m.CurGroup = m.CurLayer = m.CurColour = 3;
  m.CurLineType = m.CurLineWidth = m.CurTextType = m.CurTextColour = 3;
  m.CurTextWidth = m.CurTextHeight = m.CurTextSpacing = 3;
  m.CurCcValue = m.CurZFlags = m.PolylineCount = m.CurPointColour = 3;
  m.CurColourExt = 3;
  m.CurFont = "y";
  m.PolylineMode = m.DimMode = true;
  m.PendingDimLine.X1 = 8;
  m.HpCount = 2;
  for (int i = 0; i < 1500; ++i) m.Lines.Append().X1 = i;
  m.Texts.Append().Text = "t";
  m.EntOrder.Append();
  m.OutputLines.Append() = "hq";
}

TEST(ModelTest, InitGivesEveryFieldItsInitialValueWhateverCameBefore) {
  JwwModel m;
  InitJwwModel(m);
  ParseJwcLine(m, "hp1 1 2");
  ParseJwcLine(m, "lg3 4");
  ParseJwcLine(m, "lyn\"n");
  Dirty(m);
  InitJwwModel(m);

  EXPECT_EQ(m.FileName, "");
  EXPECT_EQ(m.AxisAngle, 0);
  for (double s : m.GroupScale) EXPECT_EQ(s, 1.0);
  EXPECT_EQ(m.SheetWidth, 1189.0);
  EXPECT_EQ(m.SheetHeight, 841.0);
  for (int t = 1; t <= 10; ++t) {
    EXPECT_EQ(m.TextTypes[t].Width, 3.0);
    EXPECT_EQ(m.TextTypes[t].Height, 3.0);
    EXPECT_EQ(m.TextTypes[t].Spacing, 0.0);
    EXPECT_EQ(m.TextTypes[t].Colour, 2);
  }
  EXPECT_FALSE(m.BzFlag);
  for (double h : m.HnValues) EXPECT_EQ(h, 0);

  ASSERT_EQ(m.GroupParam.size(), 16u);
  ASSERT_EQ(m.GroupName.size(), 16u);
  ASSERT_EQ(m.LayerParam.size(), 256u);
  ASSERT_EQ(m.LayerName.size(), 256u);
  EXPECT_EQ(m.GroupParam[3], 0);
  EXPECT_EQ(m.LayerName[3 * 16], "");

  const struct {
    int32_t value, expected;
    const char* name;
  } ints[] = {
      {m.InitGroup, 0, "InitGroup"},
      {m.InitLayer, 0, "InitLayer"},
      {m.InitColour, 1, "InitColour"},
      {m.InitLineType, 1, "InitLineType"},
      {m.InitLineWidth, 0, "InitLineWidth"},
      {m.InitTextType, 1, "InitTextType"},
      {m.InitTextColour, 1, "InitTextColour"},
      {m.CurHhpNumber, 0, "CurHhpNumber"},
      {m.CurGroup, 0, "CurGroup"},
      {m.CurLayer, 0, "CurLayer"},
      {m.CurColour, 1, "CurColour"},
      {m.CurLineType, 1, "CurLineType"},
      {m.CurLineWidth, 0, "CurLineWidth"},
      {m.CurTextType, 1, "CurTextType"},
      {m.CurTextColour, 1, "CurTextColour"},
      {m.CurCcValue, 0, "CurCcValue"},
      {m.CurZFlags, 0, "CurZFlags"},
      {m.PolylineCount, 0, "PolylineCount"},
      {m.CurPointColour, 1, "CurPointColour"},
      {m.CurColourExt, 0, "CurColourExt"},
      {m.HpCount, 0, "HpCount"},
  };
  for (const auto& c : ints) EXPECT_EQ(c.value, c.expected) << c.name;
  EXPECT_EQ(m.InitTextWidth, 2.0);
  EXPECT_EQ(m.InitTextHeight, 2.0);
  EXPECT_EQ(m.InitTextSpacing, 0.0);
  EXPECT_EQ(m.CurTextWidth, 2.0);
  EXPECT_EQ(m.CurTextHeight, 2.0);
  EXPECT_EQ(m.CurTextSpacing, 0.0);
  EXPECT_EQ(m.InitFont, "");
  EXPECT_EQ(m.CurFont, kJwwDefaultFont);
  EXPECT_EQ(m.CurFont, "<\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e>");
  EXPECT_FALSE(m.LineWidthSeen);
  EXPECT_FALSE(m.PolylineMode);
  EXPECT_FALSE(m.DimMode);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(m.AttrFresh[i], i <= 5) << i;

  const TJwwEntLine& p = m.PendingDimLine;
  EXPECT_EQ(p.Head.HhpNumber, 0);
  EXPECT_EQ(p.Head.Group, 0);
  EXPECT_EQ(p.Head.Layer, 0);
  EXPECT_EQ(p.Head.Colour, 1);
  EXPECT_EQ(p.Head.LineType, 1);
  EXPECT_EQ(p.Head.LineWidth, 0);
  EXPECT_EQ(p.Head.ZFlags, 0);
  EXPECT_EQ(p.PolylineNo, 0);
  EXPECT_EQ(p.X1, 0);
  EXPECT_EQ(p.Y1, 0);
  EXPECT_EQ(p.X2, 1);
  EXPECT_EQ(p.Y2, 0);

  ASSERT_EQ(m.HpPoints.size(), 100u);
  for (const TJwwHpPoint& h : m.HpPoints) {
    EXPECT_EQ(h.Used, 0);
    EXPECT_EQ(h.X, 0);
    EXPECT_EQ(h.PickKind, 0);
  }
  EXPECT_EQ(m.Lines.Count(), 0);
  EXPECT_EQ(m.Lines.Capacity(), 0u);
  EXPECT_EQ(m.Texts.Count(), 0);
  EXPECT_EQ(m.EntOrder.Count(), 0);
  EXPECT_EQ(m.EntOrder.Capacity(), 0u);
  EXPECT_EQ(m.OutputLines.Count(), 0);
  EXPECT_EQ(m.OutputLines.Capacity(), 0u);
}

TEST(ModelTest, ListsGrowAndShrinkInBlocksOf1000AndKeepTheirRecords) {
  const struct {
    int count;
    size_t capacity;
    size_t halvedCapacity;  // after truncating to half the count
  } cases[] = {{0, 0, 0},          {1, 1000, 0},       {999, 1000, 1000},
               {1000, 1000, 1000}, {1001, 2000, 1000}, {2000, 2000, 1000},
               {2001, 3000, 1000}};
  for (const auto& c : cases) {
    JwwList<TJwwEntCircle> list;
    for (int i = 0; i < c.count; ++i) {
      TJwwEntCircle& r = list.Append();
      EXPECT_EQ(r.R, 0);  // new records start zeroed
      r.R = i;
    }
    EXPECT_EQ(list.Count(), c.count);
    EXPECT_EQ(list.Capacity(), c.capacity) << c.count;
    for (int i = 0; i < c.count; ++i) ASSERT_EQ(list[i].R, i);

    list.Truncate(c.count / 2);
    EXPECT_EQ(list.Capacity(), c.halvedCapacity) << c.count;
    EXPECT_EQ(list.Append().R, 0);  // zeroed again
    EXPECT_EQ(list.Count(), c.count / 2 + 1);
  }
}

TEST(ModelTest, RecordsKeepTheirPlaceWhileTheListGrows) {
  JwwList<TJwwEntText> list;
  TJwwEntText& first = list.Append();
  first.Text = "first";
  for (int i = 1; i < 2500; ++i) list.Append().Text = std::to_string(i);
  EXPECT_EQ(&first, &list[0]);
  EXPECT_EQ(first.Text, "first");
  EXPECT_EQ(list[1999].Text, "1999");
}

TEST(ModelTest, ReadingKeepsEntOrderInStepWithTheLists) {
  JwwModel m;
  InitJwwModel(m);
  std::vector<std::pair<int32_t, double>> expected;  // kind, first number
  for (int i = 0; i < 1001; ++i) {
    const std::string n = std::to_string(i);
    ParseJwcLine(m, n + " 0 0 0");
    expected.emplace_back(kKindLine, i);
    if (i % 2 == 0) {
      ParseJwcLine(m, "ci " + n + " 0 1");
      expected.emplace_back(kKindCircle, i);
    }
  }
  EXPECT_EQ(m.Lines.Count(), 1001);
  EXPECT_EQ(m.Lines.Capacity(), 2000u);
  EXPECT_EQ(m.Circles.Count(), 501);
  EXPECT_EQ(m.Lines[0].X1, 0);
  EXPECT_EQ(m.Lines[999].X1, 999);
  EXPECT_EQ(m.Lines[1000].X1, 1000);
  const int32_t sum = m.Lines.Count() + m.Circles.Count() +
                      m.CirclesEx.Count() + m.Texts.Count() + m.Points.Count() +
                      m.PointsEx.Count() + m.Dims.Count() + m.Blocks.Count() +
                      m.Sl2.Count() + m.Sl3.Count() + m.Sl4.Count() +
                      m.Sc.Count() + m.Se.Count() + m.So.Count() + m.Sg.Count();
  ASSERT_EQ(m.EntOrder.Count(), sum);
  for (int32_t i = 0; i < m.EntOrder.Count(); ++i) {
    const TJwwEntRef& r = m.EntOrder[i];
    ASSERT_EQ(r.Kind, expected[i].first) << i;
    const double x =
        r.Kind == kKindLine ? m.Lines[r.Index].X1 : m.Circles[r.Index].X;
    EXPECT_EQ(x, expected[i].second) << i;
  }
}

TEST(ModelTest, FreeReleasesStorageAndKeepsCounts) {
  JwwModel m;
  InitJwwModel(m);
  Dirty(m);
  FreeJwwModel(m);
  EXPECT_TRUE(m.GroupParam.empty());
  EXPECT_TRUE(m.GroupName.empty());
  EXPECT_TRUE(m.LayerParam.empty());
  EXPECT_TRUE(m.LayerName.empty());
  EXPECT_TRUE(m.HpPoints.empty());
  EXPECT_EQ(m.Lines.Count(), 1500);
  EXPECT_EQ(m.Lines.Capacity(), 0u);
  EXPECT_EQ(m.Texts.Capacity(), 0u);
  EXPECT_EQ(m.EntOrder.Count(), 1);
  EXPECT_EQ(m.OutputLines.Count(), 1);
  EXPECT_EQ(m.OutputLines.Capacity(), 0u);
  InitJwwModel(m);  // the next run starts clean
  EXPECT_EQ(m.Lines.Count(), 0);
  EXPECT_EQ(m.HpPoints.size(), 100u);
}

TEST(ModelTest, FillEntHeadCopiesTheCurrentAttributesInOrder) {
  JwwModel m;
  InitJwwModel(m);
  m.CurHhpNumber = 1;
  m.CurGroup = 2;
  m.CurLayer = 3;
  m.CurColour = 4;
  m.CurLineType = 5;
  m.CurLineWidth = 6;
  m.CurZFlags = 7;
  m.CurPointColour = 8;
  TJwwEntHead h;
  FillEntHead(m, h);
  const int32_t got[] = {h.HhpNumber, h.Group,     h.Layer, h.Colour,
                         h.LineType,  h.LineWidth, h.ZFlags};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(got[i], i + 1) << i;
  AddEntRef(m, kKindSg, 41);
  ASSERT_EQ(m.EntOrder.Count(), 1);
  EXPECT_EQ(m.EntOrder[0].Kind, kKindSg);
  EXPECT_EQ(m.EntOrder[0].Index, 41);
}

}  // namespace
