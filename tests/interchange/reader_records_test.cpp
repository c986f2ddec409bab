// Recognising records: header values, attributes with their first
// occurrence, picked points, tags, the polyline and dimension state, texts,
// lines and the reduced sl elements.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interchange/jwc_reader.h"
#include "interchange/jww_model.h"

namespace {

struct ReaderTest : testing::Test {
  JwwModel m;
  ReaderTest() { InitJwwModel(m); }
  // Parses `text` line by line (lines separated by LF).
  void Read(const std::string& text) {
    size_t start = 0;
    for (;;) {
      const size_t lf = text.find('\n', start);
      ParseJwcLine(m, std::string_view(text).substr(start, lf - start));
      if (lf == std::string::npos) break;
      start = lf + 1;
    }
  }
};

std::string Repeat(const char* word, int count) {
  std::string s;
  for (int i = 0; i < count; ++i) s += std::string(" ") + word;
  return s;
}

// ---- header records -------------------------------------------------------

struct HeaderCase {
  const char* input;
  double (*get)(const JwwModel&);
  double expected;
};

double Axis(const JwwModel& m) {
  return m.AxisAngle;
}
double Scale0(const JwwModel& m) {
  return m.GroupScale[0];
}
double Scale15(const JwwModel& m) {
  return m.GroupScale[15];
}
double SheetW(const JwwModel& m) {
  return m.SheetWidth;
}
double SheetH(const JwwModel& m) {
  return m.SheetHeight;
}
double Width10(const JwwModel& m) {
  return m.TextTypes[10].Width;
}
double Height1(const JwwModel& m) {
  return m.TextTypes[1].Height;
}
double Spacing5(const JwwModel& m) {
  return m.TextTypes[5].Spacing;
}
double Colour10(const JwwModel& m) {
  return m.TextTypes[10].Colour;
}
double Hn3(const JwwModel& m) {
  return m.HnValues[3];
}
double Bz(const JwwModel& m) {
  return m.BzFlag;
}
double LineCount(const JwwModel& m) {
  return m.Lines.Count();
}

TEST_F(ReaderTest, HeaderRecords) {
  const HeaderCase cases[] = {
      {"hk 30", Axis, 30},
      {"hk", Axis, 0},
      {"hk 12.5 7", Axis, 12.5},
      {"hk 1 2 3", Axis, 1},  // taken by hk, not a line
      {"hk 1e999", Axis, 0},
      {"hk abc", Axis, 0},
      {"HK 30", Axis, 0},
      {"hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15", Scale0, 1.0},
      {"hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16", Scale0, 1},
      {"hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16", Scale15, 16},
      {"hs 500 1e+06 1 1 1 1 1 1 1 1 1 1 1 1 1 9 99", Scale15, 9},
      {"hzs 420 297", SheetW, 420},
      {"hzs 420 297", SheetH, 297},
      {"hzs 420", SheetW, 1189},
      {"hcw 1 2 3 4 5 6 7 8 9 10", Width10, 10},
      {"hcw 1 2 3 4 5 6 7 8 9", Width10, 3.0},
      {"hch 7 2 3 4 5 6 7 8 9 10", Height1, 7},
      {"hcd 1 2 3 4 0.5 6 7 8 9 10", Spacing5, 0.5},
      {"hcc      1      1      2      2      3      3      4      4      5     "
       " 9",
       Colour10, 9},
      {"hcc 1 2 3 4 5 6 7 8 9 1.5", Colour10, 0},  // integers only
      {"hn 1 2 3 4", Hn3, 4},
      {"hn 1 2 3", Hn3, 0},
      {"bz", Bz, 1},
      {"bz 1", Bz, 1},
      {"bzz", Bz, 0},
      // A header key with too few fields goes on down the table.
      {"hs 1 2 3", LineCount, 1},
      {"hcw 1 2 3", LineCount, 1},
  };
  for (const HeaderCase& c : cases) {
    InitJwwModel(m);
    Read(c.input);
    EXPECT_EQ(c.get(m), c.expected) << c.input;
  }
}

// ---- attributes and their first occurrence --------------------------------

struct AttrCase {
  const char* input;
  int32_t JwwModel::*init;
  int32_t JwwModel::*cur;
  int32_t expectedInit;
  int32_t expectedCur;
};

TEST_F(ReaderTest, FirstOccurrenceAndCurrentAttributes) {
  const AttrCase cases[] = {
      {"lgA\nlg3", &JwwModel::InitGroup, &JwwModel::CurGroup, 10, 3},
      {"lgZ\nlgf", &JwwModel::InitGroup, &JwwModel::CurGroup, 0, 15},
      {"lg\nlg12", &JwwModel::InitGroup, &JwwModel::CurGroup, 0, 1},
      {"lg-1", &JwwModel::InitGroup, &JwwModel::CurGroup, 0, 0},
      {"lye\nly3", &JwwModel::InitLayer, &JwwModel::CurLayer, 14, 3},
      {"lyF\nlyg", &JwwModel::InitLayer, &JwwModel::CurLayer, 15, 0},
      {"lc5\nlc7", &JwwModel::InitColour, &JwwModel::CurColour, 5, 7},
      {"lc\nlc12", &JwwModel::InitColour, &JwwModel::CurColour, 0, 12},
      {"lt2\nlt", &JwwModel::InitLineType, &JwwModel::CurLineType, 2, 0},
      {"lt$a", &JwwModel::InitLineType, &JwwModel::CurLineType, 10, 10},
      {"lw3\nlw1", &JwwModel::InitLineWidth, &JwwModel::CurLineWidth, 3, 1},
      {"cn3\ncn5", &JwwModel::InitTextType, &JwwModel::CurTextType, 3, 5},
      {"cn10", &JwwModel::InitTextType, &JwwModel::CurTextType, 10, 10},
      {"pn6", &JwwModel::CurPointColour, &JwwModel::CurPointColour, 6, 6},
      {"cc5", &JwwModel::CurCcValue, &JwwModel::CurCcValue, 5, 5},
      {"cc9", &JwwModel::CurCcValue, &JwwModel::CurCcValue, 0, 0},
      {"cc55", &JwwModel::CurCcValue, &JwwModel::CurCcValue, 5, 5},
      {"cc-1", &JwwModel::CurCcValue, &JwwModel::CurCcValue, 0, 0},
      {"lc10 5", &JwwModel::CurColour, &JwwModel::CurColourExt, 10, 5},
      {"lc9 5", &JwwModel::CurColour, &JwwModel::CurColourExt, 9, 0},
      {"lc10", &JwwModel::CurColour, &JwwModel::CurColourExt, 10, 0},
      {"lg2 7", &JwwModel::CurGroup, &JwwModel::InitLayer, 2, 0},
  };
  for (const AttrCase& c : cases) {
    InitJwwModel(m);
    Read(c.input);
    EXPECT_EQ(m.*c.init, c.expectedInit) << c.input;
    EXPECT_EQ(m.*c.cur, c.expectedCur) << c.input;
  }
}

TEST_F(ReaderTest, AttrFreshClearsOnlyForItsOwnRecord) {
  Read("lg1\nlc4\ncn2");
  const bool expected[9] = {false, true,  false, true, true,
                            false, false, false, false};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(m.AttrFresh[i], expected[i]) << i;
  EXPECT_FALSE(m.LineWidthSeen);
  Read("lw2");
  EXPECT_TRUE(m.LineWidthSeen);
}

TEST_F(ReaderTest, LayerTablesFollowTheCurrentGroupAndLayer) {
  Read("lg3 7\nly2 9\nlgn\x8a\x4b name\nlyn\"wall a\nlgb 4\nlyb\nlynx\nlyn y");
  EXPECT_EQ(m.GroupParam[3], 7);
  EXPECT_EQ(m.LayerParam[3 * 16 + 2], 9);
  EXPECT_EQ(m.GroupName[3], "\x8a\x4b");
  EXPECT_EQ(m.LayerName[3 * 16 + 2], "wall a");
  EXPECT_EQ(m.GroupParam[11], 4);
  EXPECT_EQ(m.LayerName[11 * 16 + 11], "");  // "lyn y": the name is in F1
  EXPECT_EQ(m.InitGroup, 3);
  EXPECT_EQ(m.InitLayer, 2);
}

TEST_F(ReaderTest, OnlyTheFirstTextTypeRecordSetsTheInitialFreeSize) {
  Read("cn0 2.5 2.5 0.5 3\ncn0 4 4 1 2");
  EXPECT_EQ(m.InitTextType, 0);
  EXPECT_EQ(m.InitTextWidth, 2.5);
  EXPECT_EQ(m.InitTextHeight, 2.5);
  EXPECT_EQ(m.InitTextSpacing, 0.5);
  EXPECT_EQ(m.InitTextColour, 3);
  EXPECT_EQ(m.CurTextWidth, 4);
  EXPECT_EQ(m.CurTextHeight, 4);
  EXPECT_EQ(m.CurTextSpacing, 1);
  EXPECT_EQ(m.CurTextColour, 2);

  InitJwwModel(m);
  Read("cn3\ncn0 4 4 1 2");
  EXPECT_EQ(m.InitTextType, 3);
  EXPECT_EQ(m.InitTextWidth, 2.0);
  EXPECT_EQ(m.InitTextHeight, 2.0);
  EXPECT_EQ(m.InitTextSpacing, 0.0);
  EXPECT_EQ(m.InitTextColour, 1);
  EXPECT_EQ(m.CurTextType, 0);
  EXPECT_EQ(m.CurTextWidth, 4);

  InitJwwModel(m);
  Read("cn0 4 4 1");  // too few values: type only
  EXPECT_EQ(m.InitTextType, 0);
  EXPECT_EQ(m.InitTextWidth, 2.0);
  EXPECT_EQ(m.CurTextWidth, 2.0);
}

TEST_F(ReaderTest, FontRecords) {
  // cn"$<ＭＳ ゴシック>: the quote is dropped and keeps the blank in the name.
  const std::string font = kJwwDefaultFont;
  Read("cn\"$" + font);
  EXPECT_EQ(m.InitFont, font);
  EXPECT_EQ(m.CurFont, font);
  EXPECT_EQ(m.CurTextType, 1);  // not a text-type record
  Read("cn$\ncn\"$<a b>");
  EXPECT_EQ(m.InitFont, font);
  EXPECT_EQ(m.CurFont, "<a b>");

  InitJwwModel(m);
  Read("cn$\ncn$<x>\ncn$<y>");
  EXPECT_EQ(m.InitFont, "<x>");  // the first non-empty name
  EXPECT_EQ(m.CurFont, "<y>");
}

TEST_F(ReaderTest, ZFlagsAndHhpTagOnlyTheNextElement) {
  Read("z1\nz3\nz5\nz6\nhhp3ln\n0 0 10 0\n1 1 2 2");
  ASSERT_EQ(m.Lines.Count(), 2);
  EXPECT_EQ(m.Lines[0].Head.ZFlags, 1 | 4 | 16);
  EXPECT_EQ(m.Lines[0].Head.HhpNumber, 3);
  EXPECT_EQ(m.Lines[1].Head.ZFlags, 0);
  EXPECT_EQ(m.Lines[1].Head.HhpNumber, 0);
}

TEST_F(ReaderTest, HhpNumberEndsAtItsMarker) {
  const struct {
    const char* input;
    int32_t expected;
  } cases[] = {
      {"hhp3ln", 3}, {"hhp12ci", 12}, {"hhp7ch", 7}, {"hhp5", 5},    {"hhp", 0},
      {"hhpln", 0},  {"hhp4lnch", 0}, {"hhp4x", 0},  {"hhp$1f", 31},
  };
  for (const auto& c : cases) {
    InitJwwModel(m);
    Read(c.input);
    EXPECT_EQ(m.CurHhpNumber, c.expected) << c.input;
  }
}

// ---- picked points --------------------------------------------------------

TEST_F(ReaderTest, PickedPoints) {
  const struct {
    const char* input;
    int k;  // 0: no point stored
    int32_t kind;
    double x, y;
  } cases[] = {
      {"hp1- 10 20", 1, 1, 10, 20},
      {"hp12ln 1 2", 12, 2, 1, 2},
      {"hp3ci 1 2", 3, 3, 1, 2},
      {"hp4ch 1 2", 4, 4, 1, 2},
      {"hp2   -16512.3573276753 -18964.6813169972", 2, 0, -16512.3573276753,
       -18964.6813169972},
      {"hp99 5 6", 99, 0, 5, 6},
      {"hp5-ln 1 2", 0, 0, 0, 0},  // "ln" wins: the number text is "5-"
      {"hp6ch- 1 2", 6, 4, 1, 2},  // "ch" is tried last
      {"hp7 1", 0, 0, 0, 0},       // too few fields
      {"hp100 1 2", 0, 0, 0, 0},
      {"hp0 1 2", 0, 0, 0, 0},
      {"hp-1 1 2", 0, 0, 0, 0},
      {"hpx 1 2", 0, 0, 0, 0},
      {"hp 1 2", 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    InitJwwModel(m);
    Read(c.input);
    int used = 0;
    for (const TJwwHpPoint& p : m.HpPoints) used += p.Used;
    EXPECT_EQ(m.HpCount, c.k ? 1 : 0) << c.input;
    EXPECT_EQ(used, c.k ? 1 : 0) << c.input;
    if (!c.k) continue;
    const TJwwHpPoint& p = m.HpPoints[c.k];
    EXPECT_EQ(p.Used, 1) << c.input;
    EXPECT_EQ(p.PickKind, c.kind) << c.input;
    EXPECT_EQ(p.X, c.x) << c.input;
    EXPECT_EQ(p.Y, c.y) << c.input;
  }
}

TEST_F(ReaderTest, SecondPointOfTheSameNumberOverwritesAndCounts) {
  Read("hp1- 1 2\nhp1 3 4");
  EXPECT_EQ(m.HpCount, 2);
  EXPECT_EQ(m.HpPoints[1].X, 3);
  EXPECT_EQ(m.HpPoints[1].PickKind, 0);
  EXPECT_EQ(m.Lines.Count(), 0);
}

// ---- resets ---------------------------------------------------------------

TEST_F(ReaderTest, EachRecordResetsItsState) {
  const struct {
    std::string record;
    bool p, d, e;  // resets PolylineMode, DimMode, z flags and hhp tag
  } cases[] = {
      {"hk 30", false, false, false},
      {"hs" + Repeat("2", 16), false, false, false},
      {"bz", false, false, false},
      {"hn 1 2 3 4", false, false, false},
      {"lgn\"a", false, false, false},
      {"lyn\"a", false, false, false},
      {"lg1", true, false, false},
      {"ly1", true, false, false},
      {"lc1", true, false, false},
      {"lt1", true, false, false},
      {"lw1", true, false, false},
      {"cn$x", true, false, false},
      {"cn1", true, false, false},
      {"cc1", true, false, false},
      {"z2", false, false, false},
      {"pn2", true, false, false},
      {"pl", false, true, false},
      {"msg", true, false, false},
      {"#", true, true, false},
      {"hp1 1 2", false, false, false},
      {"hhp7", false, false, false},
      {"ci 1 2 3", true, true, true},
      {"ci 1 2 3 4 5 6 7", true, true, true},
      {"ch 1 2 3 4 t", true, true, true},
      {"cs 1 2 3 4 t", true, true, true},
      {"c2 1 2 3 4 t", true, true, true},
      {"pt 1 2", true, true, true},
      {"pt 1 2 3 4 5", true, true, true},
      {"BL 1 2 n", true, true, true},
      {"sl 1 2 3 4", true, true, true},
      {"sl 1 2 3 4 5 6", true, true, true},
      {"sl 1 2 3 4 5 6 7 8", true, true, true},
      {"sc 1 2 3 4 5 6 7 8", true, true, true},
      {"se 1 2 3 4 5 6 7 8", true, true, true},
      {"so 1 2 3 4 5 6 7 8", true, true, true},
      {"sg 1 2 3 4 5 6 7 8", true, true, true},
      {"1 2 3 4", false, false, true},
      {"ci 1 2 3 4", false, false, false},  // five fields: ignored
      {"ch 1 2 3 4", false, false, false},
      {"unknown", false, false, false},
      {"file=x", false, false, false},
      {"", false, false, false},
  };
  for (const auto& c : cases) {
    InitJwwModel(m);
    Read("pl\nz1\nhhp5\n" + c.record);
    EXPECT_EQ(m.PolylineMode, !c.p) << c.record;
    EXPECT_EQ(m.CurZFlags == 0, c.e) << c.record;
    EXPECT_EQ(m.CurHhpNumber == 0, c.e) << c.record;
    InitJwwModel(m);
    Read("msg\n" + c.record);
    EXPECT_EQ(m.DimMode, !c.d) << c.record;
  }
}

// ---- polylines and dimensions ---------------------------------------------

TEST_F(ReaderTest, PolylineRunsEndAtTheNextAttributeRecord) {
  Read("pl\n0 0 1 0\n1 0 1 1\n1 1 0 1\nlc2\n5 5 6 6\npl\n0 0 2 2\n#\n3 3 4 4");
  ASSERT_EQ(m.Lines.Count(), 6);
  const int32_t expected[] = {1, 1, 1, 0, 2, 0};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(m.Lines[i].PolylineNo, expected[i]);
  EXPECT_EQ(m.PolylineCount, 2);
}

TEST_F(ReaderTest, DimensionTakesThePendingLineAndTheCsText) {
  Read("msg\n0 0 100 0\ncs 50 5 1 0 \"100\n7 7 8 8");
  ASSERT_EQ(m.Dims.Count(), 1);
  EXPECT_EQ(m.Lines.Count(), 1);  // only the line after the dimension
  EXPECT_EQ(m.Texts.Count(), 0);
  const TJwwEntDim& d = m.Dims[0];
  EXPECT_EQ(d.Line.X1, 0);
  EXPECT_EQ(d.Line.X2, 100);
  EXPECT_EQ(d.Line.Y2, 0);
  EXPECT_EQ(d.Line.PolylineNo, 0);
  EXPECT_EQ(d.Text.Text, "100");
  EXPECT_EQ(d.Text.TextKind, 2);
  EXPECT_EQ(d.Text.X, 50);
  EXPECT_EQ(d.Text.Y, 5);
  EXPECT_FALSE(m.DimMode);
  ASSERT_EQ(m.EntOrder.Count(), 2);
  EXPECT_EQ(m.EntOrder[0].Kind, kKindDim);
  EXPECT_EQ(m.EntOrder[1].Kind, kKindLine);
  EXPECT_EQ(m.EntOrder[1].Index, 0);
}

TEST_F(ReaderTest, DimensionWithoutALineTakesTheInitialPendingLine) {
  Read("msg\ncs 1 2 1 0 9");
  ASSERT_EQ(m.Dims.Count(), 1);
  const TJwwEntLine& l = m.Dims[0].Line;
  EXPECT_EQ(l.X1, 0);
  EXPECT_EQ(l.Y1, 0);
  EXPECT_EQ(l.X2, 1);
  EXPECT_EQ(l.Y2, 0);
  EXPECT_EQ(l.Head.Colour, 1);
  EXPECT_EQ(l.Head.LineType, 1);
}

TEST_F(ReaderTest, DimensionHeadersAndOtherTextKeys) {
  Read("lc3\nz2\nmsg\nhhp4\n1 2 3 4\nlc5\nmsg\nch 0 0 1 0 a\ncs 0 0 1 0 b");
  // lc5 closes nothing; msg again; ch is a plain text and closes the
  // dimension, so the cs after it is a text too.
  EXPECT_EQ(m.Dims.Count(), 0);
  EXPECT_EQ(m.Texts.Count(), 2);
  EXPECT_EQ(m.PendingDimLine.Head.Colour, 3);
  EXPECT_EQ(m.PendingDimLine.Head.ZFlags, 2);
  EXPECT_EQ(m.PendingDimLine.Head.HhpNumber, 4);
  EXPECT_EQ(m.PendingDimLine.X2, 3);

  InitJwwModel(m);
  Read("msg\nlc2\n0 0 5 0\nmsg\nz1\nlc6\ncs 0 0 1 0 t");
  // Attribute records end the polyline state only: the dimension stays open.
  ASSERT_EQ(m.Dims.Count(), 1);
  EXPECT_EQ(m.Dims[0].Head.Colour, 6);
  EXPECT_EQ(m.Dims[0].Head.ZFlags, 1);
  EXPECT_EQ(m.Dims[0].Line.X2, 5);
  EXPECT_EQ(m.Dims[0].Line.Head.Colour, 2);
  EXPECT_EQ(m.Lines.Count(), 0);
}

// ---- texts -----------------------------------------------------------------

TEST_F(ReaderTest, TextRecords) {
  const std::string long300(300, 'x');
  const struct {
    std::string input;
    int32_t kind;
    std::string text;
  } cases[] = {
      {"ch 0 0 1 0 \"a b  c", 0, "a b  c"},
      {"ch 0 0 1 0 a b", 0, "a"},
      {"cv 0 0 1 0 t", 1, "t"},
      {"cs 0 0 1 0 t", 2, "t"},
      {"cr 0 0 1 0 t", 3, "t"},
      {"co 0 0 1 0 t", 4, "t"},
      {"cp 0 0 1 0 t", 5, "t"},
      {"ct 0 0 1 0 t", 6, "t"},
      {"ck 0 0 1 0 t", 7, "t"},
      {"cz 0 0 1 0 t", 8, "t"},
      {"c2 0 0 1 0 t", 9, "t"},
      {"ch 0 0 1 0 \"ch=2500", 0, "ch=2500"},
      {"ch 0 0 1 0 a=b c", 0, "a=b c"},
      {"ch 0 0 1 0 \"", 0, ""},
      {"ch 0 0 1 0 \"" + long300, 0, long300.substr(0, 255)},
      {"ch 0 0 1 0 \x97\x6d\x8e\xba-1", 0, "\x97\x6d\x8e\xba-1"},
  };
  for (const auto& c : cases) {
    InitJwwModel(m);
    Read(c.input);
    ASSERT_EQ(m.Texts.Count(), 1) << c.input;
    EXPECT_EQ(m.Texts[0].TextKind, c.kind) << c.input;
    EXPECT_EQ(m.Texts[0].Text, c.text) << c.input;
    EXPECT_EQ(m.Texts[0].Font, kJwwDefaultFont);
  }
  for (const char* tooFew : {"ch 0 0 1 0", "cx 0 0 1 0 t", "CH 0 0 1 0 t"}) {
    InitJwwModel(m);
    Read(tooFew);
    EXPECT_EQ(m.Texts.Count(), 0) << tooFew;
  }
}

TEST_F(ReaderTest, TextSizeComesFromTheTextTypeOrTheFreeSize) {
  Read(
      "hcw 1 2 3 4 5 6 7 8 9 10\nhch 11 12 13 14 15 16 17 18 19 20\n"
      "hcd 0 0 0 0 0 0 0 0 0 0.5\nhcc 1 2 3 4 5 6 7 8 9 6\n"
      "cn10\ncc4\nch 1 2 3 -4 a\n"
      "cn0 2.5 3.5 0.25 7\nch 0 0 1 0 b\n"
      "cn11\nch 0 0 1 0 c\ncn-1\nch 0 0 1 0 d");
  ASSERT_EQ(m.Texts.Count(), 4);
  const TJwwEntText& a = m.Texts[0];
  EXPECT_EQ(a.TextType, 10);
  EXPECT_EQ(a.Width, 10);
  EXPECT_EQ(a.Height, 20);
  EXPECT_EQ(a.Spacing, 0.5);
  EXPECT_EQ(a.Head.Colour, 6);
  EXPECT_EQ(a.CcValue, 4);
  EXPECT_EQ(a.X, 1);
  EXPECT_EQ(a.Y, 2);
  EXPECT_EQ(a.DX, 3);
  EXPECT_EQ(a.DY, -4);
  for (int i = 1; i < 4; ++i) {
    const TJwwEntText& t = m.Texts[i];
    EXPECT_EQ(t.Width, 2.5) << i;
    EXPECT_EQ(t.Height, 3.5) << i;
    EXPECT_EQ(t.Spacing, 0.25) << i;
    EXPECT_EQ(t.Head.Colour, 7) << i;
  }
  EXPECT_EQ(m.Texts[2].TextType, 11);
}

TEST_F(ReaderTest, LongFontIsCutInTextsButKeptAsTheCurrentFont) {
  const std::string font(300, 'f');
  Read("cn$" + font + "\nch 0 0 1 0 t");
  EXPECT_EQ(m.CurFont, font);
  EXPECT_EQ(m.Texts[0].Font, font.substr(0, 255));
}

// ---- other elements ---------------------------------------------------------

TEST_F(ReaderTest, CirclesPointsBlocksAndLines) {
  const std::string name(1000, 'n');
  Read(
      "ci 0 0 5\nci 0 0 5 0\nci 0 0 5 0 90 0 1\n"
      "pn6\npt 1 2\npt 1 2 3\npt 1 2 3 4 5\n"
      "BL 1 2 " +
      name +
      "\n1 2 3 4\n1 2 3 4 \n"
      "lc10 8\nsc 1 2 3 4 5 6 7 8\nse 1 2 3 4 5 6 7 8.5\n"
      "so 1 2 3 4 5 6 7 8\nsg 1 2 3 4 5 6 7 8\nsc 1 2 3 4 5 6 7");
  ASSERT_EQ(m.Circles.Count(), 1);
  EXPECT_EQ(m.Circles[0].R, 5);
  ASSERT_EQ(m.CirclesEx.Count(), 1);
  EXPECT_EQ(m.CirclesEx[0].N5, 90);
  EXPECT_EQ(m.CirclesEx[0].N7, 1);
  ASSERT_EQ(m.Points.Count(), 1);
  EXPECT_EQ(m.Points[0].Head.Colour, 6);
  EXPECT_EQ(m.Points[0].Y, 2);
  ASSERT_EQ(m.PointsEx.Count(), 1);
  EXPECT_EQ(m.PointsEx[0].Head.Colour, 6);
  EXPECT_EQ(m.PointsEx[0].Angle, 4);
  EXPECT_EQ(m.PointsEx[0].PointKind, 5);
  ASSERT_EQ(m.Blocks.Count(), 1);
  EXPECT_EQ(m.Blocks[0].Name, name);
  // "pt 1 2 3" is a line from (0, 1) to (2, 3); "1 2 3 4 " has five fields.
  ASSERT_EQ(m.Lines.Count(), 2);
  EXPECT_EQ(m.Lines[0].X1, 0);
  EXPECT_EQ(m.Lines[0].Y1, 1);
  EXPECT_EQ(m.Lines[0].Y2, 3);
  EXPECT_EQ(m.Lines[1].X1, 1);
  EXPECT_EQ(m.Lines[1].Head.Colour, 1);  // pn sets the point colour only
  ASSERT_EQ(m.Sc.Count(), 1);
  EXPECT_EQ(m.Sc[0].ColourExt, 8);
  EXPECT_EQ(m.Sc[0].N8, 8);
  ASSERT_EQ(m.Se.Count(), 1);
  EXPECT_EQ(m.Se[0].N8, 0);  // an integer field
  ASSERT_EQ(m.So.Count(), 1);
  EXPECT_EQ(m.So[0].N8, 8);
  ASSERT_EQ(m.Sg.Count(), 1);
  EXPECT_EQ(m.Sg[0].Head.Colour, 10);
}

TEST_F(ReaderTest, FileNameIsTakenFromTheSixthByteOfTheFirstField) {
  const struct {
    const char* input;
    const char* expected;
  } cases[] = {
      {"file=C:\\work\\a b.jww", "C:\\work\\a b.jww"},
      {"file=", ""},
      {"xfile=abc", "=abc"},
      {"ch 0 0 1 0 file=x", ""},  // only F1 counts: a text
  };
  for (const auto& c : cases) {
    InitJwwModel(m);
    Read(c.input);
    EXPECT_EQ(m.FileName, c.expected) << c.input;
  }
}

// ---- sl corner reduction ---------------------------------------------------

TEST_F(ReaderTest, SlCornersAreReducedToTheDistinctOnes) {
  const struct {
    const char* input;
    int32_t kind;
    std::vector<double> corners;
  } cases[] = {
      {"sl 1 2 3 4", kKindSl2, {1, 2, 3, 4}},
      {"sl 1 1 1 1", kKindSl2, {1, 1, 1, 1}},  // no test with two corners
      {"sl 0 0 0 0 5 5", kKindSl2, {0, 0, 5, 5}},
      {"sl 0 0 5 5 5 5", kKindSl2, {0, 0, 5, 5}},
      {"sl 0 0 5 5 0 0", kKindSl3, {0, 0, 5, 5, 0, 0}},
      {"sl 0 0 5 0 5 5", kKindSl3, {0, 0, 5, 0, 5, 5}},
      {"sl 0 0 0 0 0 0 5 5", kKindSl2, {0, 0, 5, 5}},
      {"sl 0 0 5 5 5 5 5 5", kKindSl2, {0, 0, 5, 5}},
      {"sl 0 0 0 0 5 5 5 5", kKindSl2, {0, 0, 5, 5}},
      {"sl 0 0 5 0 5 5 0 0", kKindSl3, {0, 0, 5, 0, 5, 5}},
      {"sl 0 0 5 0 5 5 5 0", kKindSl3, {0, 0, 5, 0, 5, 5}},
      {"sl 0 0 5 0 5 5 5 5", kKindSl3, {0, 0, 5, 0, 5, 5}},
      {"sl 0 0 5 0 0 0 5 5", kKindSl3, {0, 0, 5, 0, 5, 5}},
      {"sl 0 0 5 0 5 0 5 5", kKindSl3, {0, 0, 5, 0, 5, 5}},
      {"sl 0 0 0 0 5 0 5 5", kKindSl3, {0, 0, 5, 0, 5, 5}},
      {"sl 0 0 5 0 5 5 0 5", kKindSl4, {0, 0, 5, 0, 5, 5, 0, 5}},
      {"sl 0 0 5 0 5 5 0 5 9", kKindSl4, {0, 0, 5, 0, 5, 5, 0, 5}},
      // The coincidence tolerance is 1e-10 in extended precision: the
      // double nearest 1e-10 lies just above it.
      {"sl 0 0 9.9999999999e-11 -9.9999999999e-11 5 5", kKindSl2, {0, 0, 5, 5}},
      {"sl 0 0 1e-10 0 5 5", kKindSl3, {0, 0, 1e-10, 0, 5, 5}},
      {"sl 7 7 7 7.0000000001 5 5", kKindSl3, {7, 7, 7, 7.0000000001, 5, 5}},
      {"sl 1 2 3 4 5", kKindSl2, {}},  // six fields: ignored
  };
  for (const auto& c : cases) {
    InitJwwModel(m);
    Read(std::string("lc10 3\n") + c.input);
    if (c.corners.empty()) {
      EXPECT_EQ(m.EntOrder.Count(), 0) << c.input;
      continue;
    }
    ASSERT_EQ(m.EntOrder.Count(), 1) << c.input;
    EXPECT_EQ(m.EntOrder[0].Kind, c.kind) << c.input;
    std::vector<double> got;
    int32_t ext = -1;
    if (c.kind == kKindSl2) {
      const TJwwEntSl2& e = m.Sl2[0];
      got = {e.X1, e.Y1, e.X2, e.Y2};
      ext = e.ColourExt;
    } else if (c.kind == kKindSl3) {
      const TJwwEntSl3& e = m.Sl3[0];
      got = {e.X1, e.Y1, e.X2, e.Y2, e.X3, e.Y3};
      ext = e.ColourExt;
    } else {
      const TJwwEntSl4& e = m.Sl4[0];
      got = {e.X1, e.Y1, e.X2, e.Y2, e.X3, e.Y3, e.X4, e.Y4};
      ext = e.ColourExt;
    }
    EXPECT_EQ(got, c.corners) << c.input;
    EXPECT_EQ(ext, 3) << c.input;
  }
}

// ---- element order ---------------------------------------------------------

TEST_F(ReaderTest, EntOrderFollowsTheFileAndCountsEveryList) {
  Read(
      "1 2 3 4\nci 0 0 1\nch 0 0 1 0 t\n5 6 7 8\nsl 0 0 1 1 2 2 3 3\n"
      "msg\n0 0 1 0\ncs 0 0 1 0 d\npt 1 1\nBL 0 0 b\nci 1 2 3 4 5 6 7");
  const int32_t kinds[] = {kKindLine,  kKindCircle, kKindText,
                           kKindLine,  kKindSl4,    kKindDim,
                           kKindPoint, kKindBlk,    kKindCircleEx};
  const int32_t indices[] = {0, 0, 0, 1, 0, 0, 0, 0, 0};
  ASSERT_EQ(m.EntOrder.Count(), 9);
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(m.EntOrder[i].Kind, kinds[i]) << i;
    EXPECT_EQ(m.EntOrder[i].Index, indices[i]) << i;
  }
}

TEST_F(ReaderTest, AnyBytesAreReadWithoutHarm) {
  // Odd bytes, lone lead bytes, huge numbers, keys without values.
  Read(std::string("\x82\n\xff\xfe\n\"\n=\n"
                   "hp\x82\n"
                   "hp1\x81- 1 2\n"
                   "lg\x82\x60\nly\xfd\nlc99999999999\ncc\nhhp\x81\n"
                   "hs") +
       Repeat("1e999", 16) + "\n" +
       "1e999 -1e999 nan inf\nsl nan 0 0 0 0 0 0 0\n" + Repeat("x", 40));
  EXPECT_EQ(m.GroupScale[0], 0);
  EXPECT_EQ(m.CurGroup, 0);
  EXPECT_EQ(m.CurLayer, 0);
  EXPECT_EQ(m.CurColour, 0);
  ASSERT_EQ(m.Lines.Count(), 1);
  EXPECT_EQ(m.Lines[0].X1, 0);
  EXPECT_EQ(m.HpCount, 0);
}

}  // namespace
