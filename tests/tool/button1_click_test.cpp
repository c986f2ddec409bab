// The OK button from press to files: what the host finds in JWC_TEMP.TXT and
// what t207.dat holds after each outcome.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "dim_test_form.h"
#include "dim_test_records.h"
#include "tool/texts.h"

namespace {

using dimtest::DimBench;
using dimtest::DimFormTest;
using dimtest::ExpectRecords;
using dimtest::Record;

// The font record: cn"$ and the host's font.
const std::string kFontRecord = std::string("cn\"$") + kJwwDefaultFont;

std::vector<std::string> Output(const DimBench& b) {
  return DimBench::FileLines(b.JwcPath());
}

using Button1ClickTest = DimFormTest;

std::vector<Record> Attributes() {
  return {{"lg0"}, {"ly0"}, {"lc1"}, {"pn1"}, {"lt1"}, {kFontRecord}};
}

std::vector<Record> Join(std::vector<Record> a, const std::vector<Record>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The wings of the example are known to four decimals.
const double kWing = 1e-4;

TEST_F(Button1ClickTest, WorkedExampleRecordForRecord) {
  form.Button1Click();
  ExpectRecords(Output(*this),
                Join(Attributes(), {{"z3"},
                                    {"150 2 150 22"},  // extension at EndB
                                    {"z3"},
                                    {"100 20 150 20"},  // dimension line
                                    {"cn1"},
                                    {"cc0"},
                                    {"z3"},
                                    {"cs 110 40 10 0 \"50"},
                                    {"z3"},
                                    {"125 20 113.5 39.5"},  // leader to T1
                                    {"z3"},
                                    {"109.5 39.5 113.5 39.5"},  // underline
                                    {"z3"},
                                    {"100 20 102.8978 20.7765", kWing},
                                    {"z3"},
                                    {"100 20 102.8978 19.2235", kWing},
                                    {"z3"},
                                    {"z3"},
                                    {"150 20 147.1022 19.2235", kWing},
                                    {"z3"},
                                    {"150 20 147.1022 20.7765", kWing}}));
  // The host's text type was used for the value, so restoring it writes
  // nothing; the settings file holds the chain up to point 1.
  const std::vector<std::string> settings = FileLines(SettingsPath());
  ASSERT_EQ(settings.size(), 31u);
  EXPECT_EQ(settings[0], "321");
  EXPECT_EQ(settings[1], "654");
  EXPECT_EQ(std::vector<std::string>(settings.begin() + 22, settings.end()),
            (std::vector<std::string>{"0", "1", "0", "0", "0", "150", "0", "0",
                                      "20"}));
  EXPECT_EQ(form.WindowLeft, 321);
  EXPECT_EQ(form.WindowTop, 654);
  EXPECT_TRUE(form.Closed());
  const std::vector<std::string> statuses = {texts::kStatusBuilding,
                                             texts::kStatusWriting};
  EXPECT_EQ(port.Statuses, statuses);
  EXPECT_EQ(form.LabelA1.Caption, texts::kStatusWriting);
  EXPECT_EQ(port.CloseCount, 1);
  EXPECT_TRUE(port.Confirmations.empty());
}

TEST_F(Button1ClickTest, RecordOrderOfEachVariant) {
  struct Row {
    const char* name;
    std::function<void(DimBench&)> setUp;
    std::vector<Record> expected;
  };
  const std::vector<Row> rows = {
      {"to the left: only the new point's extension line, at EndA",
       [](DimBench& t) { t.Pick(-50, 0, -28, 40); },
       Join(Attributes(), {{"z3"},
                           {"-50 2 -50 22"},
                           {"z3"},
                           {"-50 20 0 20"},
                           {"cn1"},
                           {"cc0"},
                           {"z3"},
                           {"cs -28 40 10 0 \"50"},
                           {"z3"},
                           {"-25 20 -28.5 39.5"},  // underline passes M: T0
                           {"z3"},
                           {"-28.5 39.5 -24.5 39.5"},
                           {"z3"},
                           {"-50 20 -47.1022 20.7765", kWing},
                           {"z3"},
                           {"-50 20 -47.1022 19.2235", kWing},
                           {"z3"},
                           {"z3"},
                           {"0 20 -2.8978 19.2235", kWing},
                           {"z3"},
                           {"0 20 -2.8978 20.7765", kWing}})},
      {"another text type: the host's is put back at the end",
       [](DimBench& t) { t.form.ComboBox3.ItemIndex = 2; },
       Join(Attributes(), {{"z3"},
                           {"150 2 150 22"},
                           {"z3"},
                           {"100 20 150 20"},
                           {"cn2"},
                           {"cc0"},
                           {"z3"},
                           {"cs 110 40 10 0 \"50"},
                           {"z3"},
                           {"125 20 113.5 39.5"},
                           {"z3"},
                           {"109.5 39.5 113.5 39.5"},
                           {"z3"},
                           {"100 20 102.8978 20.7765", kWing},
                           {"z3"},
                           {"100 20 102.8978 19.2235", kWing},
                           {"z3"},
                           {"z3"},
                           {"150 20 147.1022 19.2235", kWing},
                           {"z3"},
                           {"150 20 147.1022 20.7765", kWing},
                           {"cn1"}})},
      {"dimension figure, point markers, axis changed since the last run",
       [](DimBench& t) {
         t.form.SavedAxisAngle = 30;
         t.form.CheckBox4.Checked = true;
         t.form.ComboBox1.ItemIndex = 7;
         t.form.ComboBox2.ItemIndex = 11;
       },
       Join(Attributes(), {{"z3"},
                           {"100 2 100 22"},
                           {"z3"},
                           {"150 2 150 22"},
                           {"cn1"},
                           {"msg"},
                           {"100 20 150 20"},
                           {"cs 110 40 10 0 \"50"},
                           {"z3"},
                           {"125 20 113.5 39.5"},
                           {"z3"},
                           {"109.5 39.5 113.5 39.5"},
                           {"z3"},
                           {"pt 100 20 1 180 7"},
                           {"z3"},
                           {"z3"},
                           {"pt 150 20 1 0 11"}})},
      {"short line: reversed arrows with a 2 mm overhang",
       [](DimBench& t) { t.Pick(105, 0, 110, 40); },
       Join(Attributes(), {{"z3"},
                           {"105 2 105 22"},
                           {"z3"},
                           {"100 20 105 20"},
                           {"cn1"},
                           {"cc0"},
                           {"z3"},
                           {"cs 110 40 10 0 \"5"},
                           {"z3"},
                           {"102.5 20 109.5 39.5"},  // underline past M: T0
                           {"z3"},
                           {"109.5 39.5 112 39.5"},  // "5" is 1.5 long
                           {"z3"},
                           {"100 20 98 20", 1e-12},
                           {"z3"},
                           {"100 20 97.1022 19.2235", kWing},
                           {"z3"},
                           {"100 20 97.1022 20.7765", kWing},
                           {"z3"},
                           {"z3"},
                           {"105 20 107 20", 1e-12},
                           {"z3"},
                           {"105 20 107.8978 20.7765", kWing},
                           {"z3"},
                           {"105 20 107.8978 19.2235", kWing}})},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    DimBench t;
    r.setUp(t);
    t.form.Button1Click();
    ExpectRecords(Output(t), r.expected);
    EXPECT_TRUE(t.form.Closed());
  }
}

TEST_F(Button1ClickTest, OutcomesOfRefusals) {
  struct Row {
    const char* name;
    std::function<void(DimBench&)> setUp;
    std::optional<std::string> message;  // none: a control is focused
    bool closed;
    bool settingsSaved;
  };
  const std::vector<Row> rows = {
      {"bad input", [](DimBench& t) { t.form.Edit8.Text = "180"; },
       std::nullopt, false, false},
      {"inside the chain", [](DimBench& t) { t.Pick(50, 0, 0, 0); },
       texts::kMsgInsideChain, true, false},
      {"no picked point 1",
       [](DimBench& t) { t.form.Model.HpPoints[1].Used = 0; },
       texts::kMsgNoPickedPoint, true, false},
      {"zero length",
       [](DimBench& t) {
         t.form.Model.AxisAngle = 30;
         t.form.SavedAxisAngle = 30;
         t.SetChain(0, 0, 86602.540378443868, 49999.999999999993, 0, 20);
         t.Pick(86602.540378443824, 50000.000000000262, 110, 40);
       },
       texts::kMsgZeroLength, false, true},
      {"chain overflowing at this scale",
       [](DimBench& t) {
         t.form.SavedScale = 1e-300;
         t.form.Model.GroupScale[0] = 1e300;
         t.SetChain(0, 0, 1e10, 0, 0, 20);
         t.Pick(1e300, 0, 110, 40);
       },
       texts::kMsgZeroLength, false, false},
      {"dimension line overflowing",
       [](DimBench& t) {
         t.form.Model.AxisAngle = 45;
         t.Pick(1.7e308, 1.7e308, 110, 40);
       },
       texts::kMsgZeroLength, false, true},
      {"underline past the largest double",
       [](DimBench& t) {
         t.form.SavedScale = 1e305;
         t.form.Model.GroupScale[0] = 1e305;
         t.SetChain(0, 0, 1e307, 0, 0, 2e306);
         t.Pick(1.5e307, 0, 1.797e308, 0);
       },
       texts::kMsgZeroLength, false, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    DimBench t;
    r.setUp(t);
    t.form.Button1Click();
    // The window position is taken before anything is checked.
    EXPECT_EQ(t.form.WindowLeft, 321);
    EXPECT_EQ(t.form.WindowTop, 654);
    if (r.message) {
      ASSERT_EQ(t.port.Confirmations.size(), 1u);
      EXPECT_EQ(t.port.Confirmations[0], *r.message);
      EXPECT_TRUE(t.port.Focused.empty());
    } else {
      EXPECT_TRUE(t.port.Confirmations.empty());
      EXPECT_EQ(t.port.Focused.size(), 1u);
    }
    EXPECT_EQ(t.form.Closed(), r.closed);
    EXPECT_EQ(PathExists(t.SettingsPath()), r.settingsSaved);
    EXPECT_TRUE(DimBench::AllNumbersFinite(t.SettingsPath()));
    EXPECT_TRUE(t.port.Statuses.empty());
    // Whatever closes the dialog afterwards, the host gets no drawing.
    t.form.Close();
    EXPECT_EQ(ReadFileBytes(t.JwcPath()), "hq\r\n");
  }
}

TEST_F(Button1ClickTest, ChainAtAnotherScaleDrawsInCurrentUnits) {
  // Saved at scale 100 from (0, 0) to (200, 0) at level 40; now at 50.
  form.SavedScale = 100;
  form.Model.GroupScale[0] = 50;
  SetChain(0, 0, 200, 0, 0, 40);
  Pick(150, 0, 110, 40);
  form.ComboBox1.ItemIndex = 7;  // dots: a footprint of 62.5 units each
  form.ComboBox2.ItemIndex = 7;
  form.Button1Click();
  ExpectRecords(Output(*this), Join(Attributes(), {{"z3"},
                                                   {"150 100 150 120"},
                                                   {"z3"},
                                                   {"100 20 150 20"},
                                                   {"cn1"},
                                                   {"cc0"},
                                                   {"z3"},
                                                   {"cs 110 40 10 0 \"50"},
                                                   {"z3"},
                                                   {"125 20 85 15", 1e-12},
                                                   {"z3"},
                                                   {"85 15 285 15"},
                                                   {"z3"},
                                                   {"100 20 -0 20", 1e-9},
                                                   {"z3"},
                                                   {"pt 100 20 1 0 7"},
                                                   {"z3"},
                                                   {"z3"},
                                                   {"150 20 250 20", 1e-9},
                                                   {"z3"},
                                                   {"pt 150 20 1 180 7"}}));
  // The settings file records the current group and scale with the chain at
  // that scale.
  const std::vector<std::string> saved = FileLines(SettingsPath());
  ASSERT_EQ(saved.size(), 31u);
  EXPECT_EQ(saved[22], "0");
  EXPECT_EQ(saved[23], "50");
  EXPECT_EQ(saved[27], "150");
}

TEST_F(Button1ClickTest, WholeRunFromTheHostsFile) {
  // A file the host wrote for another tool: scale 250 everywhere, layer
  // group 2, text type 3 (width 3, spacing 0.5), point 1 left of the chain.
  ASSERT_TRUE(WriteFileBytes(
      JwcPath(), ReadFileBytes(SourcePath(
                     "tests/data/host-samples/fuji_points_4.JWC_TEMP.TXT"))));
  const char* settings[] = {"100",
                            "200",
                            "0",
                            "0",
                            "0",
                            "3",
                            "2",
                            "1",
                            "",
                            "",
                            "0.5",
                            "2",
                            "2",
                            "3",
                            "15",
                            "2",
                            "0",
                            "0",
                            "0",
                            "0",
                            "0",
                            "0",
                            "2",
                            "250",
                            "0",
                            "-30000",
                            "-21231.6354329471",
                            "-20000",
                            "-21231.6354329471",
                            "-30000",
                            "-20000"};
  std::string bytes;
  for (const char* line : settings) bytes += std::string(line) + "\r\n";
  ASSERT_TRUE(WriteFileBytes(SettingsPath(), bytes));
  form.FormShow();
  ASSERT_FALSE(form.Closed());
  form.Button1Click();
  ASSERT_TRUE(form.Closed());
  const double t = 1e-6;
  ExpectRecords(
      Output(*this),
      {{"lg2"},
       {"ly6"},
       {"lc2"},
       {"pn2"},
       {"lt1"},
       {kFontRecord},
       {"z3"},
       {"-39902.7596123089 -20731.6354329471 -39902.7596123089 -19500", t},
       {"z3"},
       {"-39902.7596123089 -20000 -30000 -20000"},
       {"cn3"},
       {"cc0"},
       {"z3"},
       {"cs -16512.3573276753 -18964.6813169972 10 0 \"9902.76"},
       {"z3"},
       {"-34951.3798061545 -20000 -16637.3573276753 -19089.6813169972", t},
       {"z3"},
       {"-16637.3573276753 -19089.6813169972 -13387.3573276753 "
        "-19089.6813169972",
        t},
       {"z3"},
       {"-39902.7596123089 -20000 -39178.3152425921 -19805.8857161731", t},
       {"z3"},
       {"-39902.7596123089 -20000 -39178.3152425921 -20194.1142838269", t},
       {"z3"},
       {"z3"},
       {"-30000 -20000 -30724.4443697168 -20194.1142838269", t},
       {"z3"},
       {"-30000 -20000 -30724.4443697168 -19805.8857161731", t}});
  const std::vector<std::string> saved = FileLines(SettingsPath());
  ASSERT_EQ(saved.size(), 31u);
  EXPECT_EQ(std::vector<std::string>(saved.begin(), saved.begin() + 2),
            (std::vector<std::string>{"100", "200"}));
  EXPECT_EQ(std::vector<std::string>(saved.begin() + 22, saved.end()),
            (std::vector<std::string>{
                "2", "250", "0", "-39902.7596123089", "-21231.6354329471",
                "-20000", "-21231.6354329471", "-30000", "-20000"}));
}

TEST_F(Button1ClickTest, PressAfterClosingDoesNothing) {
  form.Button2Click();
  form.Button1Click();
  EXPECT_TRUE(port.Confirmations.empty());
  EXPECT_TRUE(port.Focused.empty());
  EXPECT_FALSE(PathExists(SettingsPath()));
  EXPECT_EQ(ReadFileBytes(JwcPath()), "hq\r\n");
}

}  // namespace
