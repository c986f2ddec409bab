// The emitters: which records they append, which they leave out as
// repeats, and how they treat out-of-range values and degenerate input.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "interchange/jwc_writer.h"
#include "interchange/jww_model.h"

namespace {

using Lines = std::vector<std::string>;

Lines OutputOf(const JwwModel& m) {
  Lines lines;
  for (int32_t i = 0; i < m.OutputLines.Count(); ++i) {
    lines.push_back(m.OutputLines[i]);
  }
  return lines;
}

// A model as the start-up leaves it: read (here: nothing read), then reset.
struct WriterTest : testing::Test {
  JwwModel m;
  void SetUp() override {
    InitJwwModel(m);
    ResetCurrentAttributes(m);
  }
};

struct Case {
  const char* name;
  std::function<void(JwwModel&)> calls;
  Lines expected;
};

void RunCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    JwwModel m;
    InitJwwModel(m);
    ResetCurrentAttributes(m);
    c.calls(m);
    EXPECT_EQ(OutputOf(m), c.expected);
  }
}

const std::string kDefaultFont = kJwwDefaultFont;

TEST_F(WriterTest, AfterResetEveryAttributeIsWrittenOnceEvenAtItsStartValue) {
  m.LineWidthSeen = true;
  for (int round = 0; round < 2; ++round) {
    EmitLayerGroup(m, 0);
    EmitLayer(m, 0);
    EmitLineColour(m, 1);
    EmitLineType(m, 1);
    EmitLineWidth(m, 0);
    EmitTextType(m, 1, 1, 2.0, 2.0, 0.0);
    EmitCc(m, 0);
    EmitFontName(m, kDefaultFont);
    EmitPointColour(m, 1);
  }
  Lines expected = {"lg0", "ly0", "lc1", "lt1",
                    "lw0", "cn1", "cc0", "cn\"$" + kDefaultFont,
                    "pn1"};
  EXPECT_EQ(OutputOf(m), expected);

  // A second reset forgets what was written.
  ResetCurrentAttributes(m);
  EmitLineColour(m, 1);
  EmitCc(m, 0);
  expected.push_back("lc1");
  expected.push_back("cc0");
  EXPECT_EQ(OutputOf(m), expected);
}

TEST_F(WriterTest, ResetRestoresStartValuesButKeepsReadingState) {
  m.CurGroup = 7;
  m.CurFont = "x";
  m.CurTextWidth = 9;
  m.CurColourExt = 3;
  m.CurZFlags = 4;
  m.CurHhpNumber = 12;
  m.PolylineCount = 2;
  m.PolylineMode = true;
  m.DimMode = true;
  ResetCurrentAttributes(m);
  EXPECT_EQ(m.CurGroup, 0);
  EXPECT_EQ(m.CurFont, kDefaultFont);
  EXPECT_EQ(m.CurTextWidth, 2.0);
  EXPECT_EQ(m.CurColourExt, 0);
  EXPECT_EQ(m.CurZFlags, 4);
  EXPECT_EQ(m.CurHhpNumber, 12);
  EXPECT_EQ(m.PolylineCount, 2);
  EXPECT_TRUE(m.PolylineMode);
  EXPECT_TRUE(m.DimMode);
  for (bool fresh : m.AttrFresh) EXPECT_TRUE(fresh);
}

TEST(WriterAttributes, RepeatsAreLeftOut) {
  RunCases({
      {"layer twice",
       [](JwwModel& m) {
         EmitLayer(m, 5);
         EmitLayer(m, 5);
       },
       {"ly5"}},
      {"same group again does not refresh the layer",
       [](JwwModel& m) {
         EmitLayerGroup(m, 3);
         EmitLayer(m, 5);
         EmitLayerGroup(m, 3);
         EmitLayer(m, 5);
       },
       {"lg3", "ly5"}},
      {"new group rewrites the unchanged layer",
       [](JwwModel& m) {
         EmitLayerGroup(m, 3);
         EmitLayer(m, 5);
         EmitLayerGroup(m, 4);
         EmitLayer(m, 5);
       },
       {"lg3", "ly5", "lg4", "ly5"}},
      {"upper-case hexadecimal",
       [](JwwModel& m) {
         EmitLayerGroup(m, 10);
         EmitLayer(m, 15);
         EmitLayer(m, 11);
       },
       {"lgA", "lyF", "lyB"}},
      {"colour, line type and point colour change",
       [](JwwModel& m) {
         EmitLineColour(m, 3);
         EmitLineColour(m, 3);
         EmitLineColour(m, 12);
         EmitLineType(m, 2);
         EmitLineType(m, 2);
         EmitLineType(m, -1);
         EmitPointColour(m, 5);
         EmitPointColour(m, 5);
         EmitPointColour(m, 6);
       },
       {"lc3", "lc12", "lt2", "lt-1", "pn5", "pn6"}},
      {"cc out of range becomes 0",
       [](JwwModel& m) {
         EmitCc(m, 9);
         EmitCc(m, -1);
         EmitCc(m, 8);
         EmitCc(m, 0);
         EmitCc(m, 8);
       },
       {"cc0", "cc8", "cc0", "cc8"}},
  });
}

TEST(WriterAttributes, LineWidthOnlyWhenTheHostKnowsIt) {
  RunCases({
      {"no lw record from the host",
       [](JwwModel& m) {
         EmitLineWidth(m, 0);
         EmitLineWidth(m, 5);
         EmitLineWidth(m, 40000);
       },
       {}},
      {"with one: out of range becomes 0",
       [](JwwModel& m) {
         m.LineWidthSeen = true;
         EmitLineWidth(m, 40000);
         EmitLineWidth(m, -1);
         EmitLineWidth(m, 0);
         EmitLineWidth(m, 30000);
         EmitLineWidth(m, 30001);
         EmitLineWidth(m, 1);
         EmitLineWidth(m, 1);
       },
       {"lw0", "lw30000", "lw0", "lw1"}},
  });
}

TEST(WriterAttributes, FontNames) {
  RunCases({
      {"empty name, empty host font: bare record once",
       [](JwwModel& m) {
         EmitFontName(m, "");
         EmitFontName(m, "");
       },
       {"cn\"$"}},
      {"<> and empty mean the host's font",
       [](JwwModel& m) {
         m.InitFont = "<X Y>";
         EmitFontName(m, "<>");
         EmitFontName(m, "");
         EmitFontName(m, "<X Y>");
         EmitFontName(m, "<Z>");
         EmitFontName(m, "<>");
       },
       {"cn\"$<X Y>", "cn\"$<Z>", "cn\"$<X Y>"}},
      {"names compare byte for byte",
       [](JwwModel& m) {
         EmitFontName(m, "<a>");
         EmitFontName(m, "<A>");
         EmitFontName(m, "<A> ");
         EmitFontName(m, "<A> ");
       },
       {"cn\"$<a>", "cn\"$<A>", "cn\"$<A> "}},
  });
}

TEST(WriterAttributes, TextTypes) {
  RunCases({
      {"numbered type once",
       [](JwwModel& m) {
         EmitTextType(m, 3, 1, 9, 9, 9);
         EmitTextType(m, 3, 5, 1, 1, 1);
       },
       {"cn3"}},
      {"free size: any change of size or colour rewrites it",
       [](JwwModel& m) {
         EmitTextType(m, 0, 1, 2.5, 2.5, 0);
         EmitTextType(m, 0, 1, 2.5, 2.5, 0);
         EmitTextType(m, 0, 1, 2.6, 2.5, 0);
         EmitTextType(m, 0, 1, 2.6, 2.7, 0);
         EmitTextType(m, 0, 1, 2.6, 2.7, 0.25);
         EmitTextType(m, 0, 4, 2.6, 2.7, 0.25);
       },
       {"cn0 2.5 2.5 0 1", "cn0 2.6 2.5 0 1", "cn0 2.6 2.7 0 1",
        "cn0 2.6 2.7 0.25 1", "cn0 2.6 2.7 0.25 4"}},
      {"free size at the start values after a numbered type",
       [](JwwModel& m) {
         EmitTextType(m, 1, 1, 2, 2, 0);
         EmitTextType(m, 0, 1, 2, 2, 0);
         EmitTextType(m, 1, 1, 2, 2, 0);
       },
       {"cn1", "cn0 2 2 0 1", "cn1"}},
      {"out of range: the host's free size",
       [](JwwModel& m) {
         m.InitTextType = 0;
         m.InitTextWidth = 3.5;
         m.InitTextHeight = 4;
         m.InitTextSpacing = 0.5;
         m.InitTextColour = 7;
         EmitTextType(m, 12, 1, 1, 1, 1);
         EmitTextType(m, -1, 2, 2, 2, 2);
       },
       {"cn0 3.5 4 0.5 7"}},
      {"out of range: the host's numbered type, unchecked",
       [](JwwModel& m) {
         m.InitTextType = 5;
         EmitTextType(m, 11, 1, 1, 1, 1);
         EmitTextType(m, 5, 1, 1, 1, 1);
         m.InitTextType = 77;
         EmitTextType(m, -2, 1, 1, 1, 1);
       },
       {"cn5", "cn77"}},
      {"0 and 10 are in range",
       [](JwwModel& m) {
         m.InitTextType = 4;
         EmitTextType(m, 10, 1, 1, 1, 1);
         EmitTextType(m, 0, 3, 1, 1, 1);
       },
       {"cn10", "cn0 1 1 1 3"}},
  });
}

TEST(WriterDrawing, ZFlags) {
  struct {
    int32_t flags;
    Lines expected;
  } cases[] = {
      {0, {}},
      {4, {"z3"}},
      {24, {"z5"}},
      {8, {"z4"}},
      {15, {"z1", "z2", "z3", "z4"}},
      {31, {"z1", "z2", "z3", "z5"}},
      {32, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.flags);
    JwwModel m;
    InitJwwModel(m);
    EmitZFlags(m, c.flags);
    EXPECT_EQ(OutputOf(m), c.expected);
  }
}

TEST(WriterDrawing, SegmentsAndPoints) {
  RunCases({
      {"segment",
       [](JwwModel& m) { EmitSegment(m, 0, -1.5, 1200, 1e-5); },
       {"0 -1.5 1200 1E-5"}},
      {"ends closer than 1e-8 in both coordinates",
       [](JwwModel& m) {
         EmitSegment(m, 0, 0, 0, 0);
         EmitSegment(m, 5, 5, 5 + 9e-9, 5 - 9e-9);
         EmitSegment(m, 1, 2, 1.00000001, 2);  // the double lies below 1e-8
       },
       {}},
      {"one coordinate far enough apart",
       [](JwwModel& m) {
         EmitSegment(m, 0, 0, 1e-8, 0);
         EmitSegment(m, 3, 3, 3, 3.1);
       },
       {"0 0 1E-8 0", "3 3 3 3.1"}},
      {"marker kind out of range, zero scale",
       [](JwwModel& m) { EmitPoint(m, 12, 0, 0, 0, 90); },
       {"pt 0 0 1 90 -3"}},
      {"marker kinds at the ends of the range",
       [](JwwModel& m) {
         EmitPoint(m, -7, 1, 2, 2, 0);
         EmitPoint(m, 11, 1, 2, -2, 45.5);
         EmitPoint(m, -8, 1, 2, 1, 0);
       },
       {"pt 1 2 2 0 -7", "pt 1 2 -2 45.5 11", "pt 1 2 1 0 -3"}},
      {"scale at 1e-8 and below",
       [](JwwModel& m) {
         EmitPoint(m, 1, 0, 0, -9e-9, 0);
         EmitPoint(m, 1, 0, 0, 1e-8, 0);
       },
       // The double nearest 1e-8 lies just above it and is kept.
       {"pt 0 0 1 0 1", "pt 0 0 1E-8 0 1"}},
  });
}

TEST(WriterDrawing, TextKeysAndTwoEntries) {
  const char* keys[] = {"ch", "cv", "cs", "cr", "co", "cp",
                        "ct", "ck", "cz", "c2", "ch"};
  for (int32_t kind = 0; kind <= 10; ++kind) {
    JwwModel m;
    InitJwwModel(m);
    EmitText(m, kind, "A", 1, 2, 3, 4);
    EXPECT_EQ(OutputOf(m),
              (Lines{std::string(keys[kind]) + " 1 2 3 4 \"", "A"}))
        << kind;
  }
  JwwModel m;
  InitJwwModel(m);
  EmitText(m, -1, "A", 0, 0, 1, 0);
  EXPECT_EQ(OutputOf(m)[0], "ch 0 0 1 0 \"");
}

TEST(WriterDrawing, TextsWithoutContentOrDirection) {
  RunCases({
      {"blanks only",
       [](JwwModel& m) {
         EmitText(m, 2, "", 0, 0, 1, 0);
         EmitText(m, 2, "   ", 0, 0, 1, 0);
         EmitText(m, 2, "\x81\x40\x81\x40", 0, 0, 1, 0);
         EmitText(m, 2, " \x81\x40\t ", 0, 0, 1, 0);
       },
       {}},
      {"inner and outer blanks are kept",
       [](JwwModel& m) { EmitText(m, 2, " A\x81\x40 B ", 0, 0, 1, 0); },
       {"cs 0 0 1 0 \"", " A\x81\x40 B "}},
      {"a double quote inside is written as it is",
       [](JwwModel& m) { EmitText(m, 2, "\"x\"", 0, 0, 0, -1); },
       {"cs 0 0 0 -1 \"", "\"x\""}},
      {"no direction",
       [](JwwModel& m) {
         EmitText(m, 2, "A", 0, 0, 0, 0);
         EmitText(m, 2, "A", 0, 0, 1e-9, -1e-9);
       },
       {}},
      {"direction of exactly the double 1e-8 counts",
       [](JwwModel& m) { EmitText(m, 2, "A", 0, 0, 1e-8, 0); },
       {"cs 0 0 1E-8 0 \"", "A"}},
  });
}

TEST(WriterDrawing, Dimensions) {
  RunCases({
      {"blank text becomes the length",
       [](JwwModel& m) { EmitDimension(m, " ", 0, 0, 3, 4, 1, 2, 1, 0); },
       {"msg", "0 0 3 4", "cs 1 2 1 0 \"", "5"}},
      {"length rounded half up at the eighth place",
       [](JwwModel& m) {
         EmitDimension(m, "", 0, 0, 0.123456785, 0, 0, 0, 1, 0);
         EmitDimension(m, "", 0, 0, 1.000000005, 0, 0, 0, 1, 0);
         EmitDimension(m, "", 1, 1, 1, 1.5, 0, 0, 1, 0);
       },
       {"msg", "0 0 0.123456785 0", "cs 0 0 1 0 \"", "0.12345678", "msg",
        "0 0 1.000000005 0", "cs 0 0 1 0 \"", "1", "msg", "1 1 1 1.5",
        "cs 0 0 1 0 \"", "0.5"}},
      {"text with content is used as it is",
       [](JwwModel& m) {
         EmitDimension(m, " 1,000 ", -1, 0, 999, 0, 5, 6, 0, 1);
       },
       {"msg", "-1 0 999 0", "cs 5 6 0 1 \"", " 1,000 "}},
      {"degenerate line or direction",
       [](JwwModel& m) {
         EmitDimension(m, "A", 0, 0, 9e-9, 0, 0, 0, 1, 0);
         EmitDimension(m, "A", 0, 0, 5, 0, 0, 0, 0, 1e-8 / 2);
       },
       {}},
  });
}

TEST(WriterDrawing, LinesAreCutTo255Bytes) {
  const std::string b255(255, 'b');
  JwwModel m;
  InitJwwModel(m);
  AddOutputLine(m, std::string(300, 'a'));
  AddOutputLine(m, b255);
  AddOutputLine(m, "");
  EmitText(m, 2, b255 + "cut", 0, 0, 1, 0);
  // A cut may split a double-byte character; nothing repairs it.
  AddOutputLine(m, std::string(254, 'c') + "\x82\xA0");
  Lines expected = {
      std::string(255, 'a'), b255, "",
      "cs 0 0 1 0 \"",       b255, std::string(254, 'c') + "\x82"};
  EXPECT_EQ(OutputOf(m), expected);
}

TEST(WriterDrawing, ListGrowsInBlocksOfAThousand) {
  JwwModel m;
  InitJwwModel(m);
  for (int i = 0; i < 1001; ++i) AddOutputLine(m, std::to_string(i));
  EXPECT_EQ(m.OutputLines.Count(), 1001);
  EXPECT_EQ(m.OutputLines.Capacity(), 2000u);
  EXPECT_EQ(m.OutputLines[0], "0");
  EXPECT_EQ(m.OutputLines[1000], "1000");
}

}  // namespace
