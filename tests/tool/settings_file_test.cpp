// The settings file t207.dat: the 31-line layout and the rules applied while
// parsing, in memory; loading and saving at the disk: short, long and broken
// files, and saves that fail.
#include "tool/settings_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "fault_file_system.h"
#include "interchange/jww_model.h"
#include "test_support.h"
#include "tool/form.h"
#include "tool/headless_port.h"

namespace {

// The initial dialog with ComboBox3 at index 0, the window at (194, 107),
// layer group 0 at scale 1, axis angle 0 and a chain of zeros.
const std::vector<std::string> kInitialLines = {
    "194", "107", "0", "0",  "0", "3", "2", "1", "",  "",  "0.5",
    "2",   "2",   "3", "15", "2", "0", "0", "0", "0", "0", "0",
    "0",   "1",   "0", "0",  "0", "0", "0", "0", "0"};

std::string Join(const std::vector<std::string>& lines, const char* eol) {
  std::string s;
  for (const std::string& l : lines) s += l + eol;
  return s;
}

// Shift-JIS: 約 (0x96 0xF1), a blank, "A", and ｍ (0x82 0x8D).
const std::string kJapanesePrefix = "\x96\xF1 A\x82\x8D";

struct SettingsTest : testing::Test {
  ScratchDir dir;
  HeadlessPort port{dir.Path()};
  TForm1 form{port};

  SettingsTest() {
    InitJwwModel(form.Model);
    // As FormShow leaves it: eleven text-type items.
    form.ComboBox3.Items.assign(11, "No");
    form.ComboBox3.ItemIndex = 0;
  }
  std::string Path() const { return dir.File("t207.dat"); }
  void Load(const std::string& bytes) {
    ASSERT_TRUE(WriteFileBytes(Path(), bytes));
    form.LoadSettings(Path());
  }
  std::vector<std::string> Folder() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
      names.push_back(e.path().filename().string());
    }
    return names;
  }
};

TEST_F(SettingsTest, InitialDialogRendersTheDocumentedLines) {
  form.WindowLeft = 194;
  form.WindowTop = 107;
  EXPECT_EQ(RenderSettings(form), Join(kInitialLines, "\r\n"));
}

TEST_F(SettingsTest, RenderedTextParsesBackIntoEveryControlAndField) {
  form.WindowLeft = -20;
  form.WindowTop = 3000;
  form.ComboBox1.ItemIndex = 11;
  form.ComboBox2.ItemIndex = 7;
  form.ComboBox3.ItemIndex = 10;
  form.ComboBox4.ItemIndex = 8;
  form.ComboBox5.ItemIndex = 0;
  TEdit* edits[] = {&form.Edit1, &form.Edit2, &form.Edit3,
                    &form.Edit4, &form.Edit5, &form.Edit6,
                    &form.Edit7, &form.Edit8, &form.Edit9};
  for (int i = 0; i < 9; ++i) edits[i]->Text = "e" + std::to_string(i + 1);
  form.Edit2.Text = kJapanesePrefix;
  form.Edit3.Text = std::string(40, 'x');  // past its 32-byte limit
  form.RadioGroup1.ItemIndex = 1;
  form.RadioGroup2.ItemIndex = 1;
  form.CheckBox1.Checked = true;
  form.CheckBox4.Checked = true;
  form.Model.InitGroup = 5;
  form.Model.GroupScale[5] = 0.5;
  form.Model.AxisAngle = 30.000000000000004;
  form.PrevX1 = -1.25;
  form.PrevY1 = 1e-5;
  form.PrevX2 = 123456.789;
  form.PrevY2 = 1e15;
  form.PrevX3 = 0.1 + 0.2;
  form.PrevY3 = -7;
  const std::string bytes = RenderSettings(form);
  EXPECT_NE(bytes.find("\r\n5\r\n0.5\r\n30\r\n-1.25\r\n1E-5\r\n123456.789\r\n"
                       "1E15\r\n0.3\r\n-7\r\n"),
            std::string::npos)
      << bytes;

  TForm1 back{port};
  back.ComboBox3.Items.assign(11, "No");
  ParseSettings(bytes, back);
  EXPECT_EQ(back.WindowLeft, -20);
  EXPECT_EQ(back.WindowTop, 3000);
  EXPECT_EQ(back.ComboBox1.ItemIndex, 11);
  EXPECT_EQ(back.ComboBox2.ItemIndex, 7);
  EXPECT_EQ(back.ComboBox3.ItemIndex, 10);
  EXPECT_EQ(back.ComboBox4.ItemIndex, 8);
  EXPECT_EQ(back.ComboBox5.ItemIndex, 0);
  EXPECT_EQ(back.Edit1.Text, "e1");
  EXPECT_EQ(back.Edit2.Text, kJapanesePrefix);
  EXPECT_EQ(back.Edit3.Text, std::string(40, 'x'));
  EXPECT_EQ(back.Edit9.Text, "e9");
  EXPECT_EQ(back.RadioGroup1.ItemIndex, 1);
  EXPECT_EQ(back.RadioGroup2.ItemIndex, 1);
  EXPECT_TRUE(back.CheckBox1.Checked);
  EXPECT_FALSE(back.CheckBox2.Checked);
  EXPECT_FALSE(back.CheckBox3.Checked);
  EXPECT_TRUE(back.CheckBox4.Checked);
  EXPECT_EQ(back.SavedLayerGroup, 5);
  EXPECT_EQ(back.SavedScale, 0.5);
  EXPECT_EQ(back.SavedAxisAngle, 30.0);
  EXPECT_EQ(back.PrevX1, -1.25);
  EXPECT_EQ(back.PrevY1, 1e-5);
  EXPECT_EQ(back.PrevX2, 123456.789);
  EXPECT_EQ(back.PrevY2, 1e15);
  EXPECT_EQ(back.PrevX3, 0.3);
  EXPECT_EQ(back.PrevY3, -7.0);
}

// One line of the initial file replaced, and what it must load as.
struct LineCase {
  int line;  // 1-based
  std::string text;
  std::function<bool(const TForm1&)> check;
  const char* what;
};

TEST_F(SettingsTest, EachLineFollowsItsRule) {
  const std::vector<LineCase> cases = {
      {1, "-50", [](const TForm1& f) { return f.WindowLeft == -50; },
       "window left taken as is"},
      {2, "x", [](const TForm1& f) { return f.WindowTop == 0; },
       "bad window top reads 0"},
      {3, "12", [](const TForm1& f) { return f.ComboBox1.ItemIndex == -1; },
       "list: past the 12 markers selects nothing"},
      {3, "11", [](const TForm1& f) { return f.ComboBox1.ItemIndex == 11; },
       "list: last marker"},
      {3, "-3", [](const TForm1& f) { return f.ComboBox1.ItemIndex == 0; },
       "list: negative selects the first"},
      {4, "$A", [](const TForm1& f) { return f.ComboBox2.ItemIndex == 10; },
       "list: hexadecimal integer"},
      {5, "11", [](const TForm1& f) { return f.ComboBox3.ItemIndex == -1; },
       "list: past the 11 text types"},
      {5, "10", [](const TForm1& f) { return f.ComboBox3.ItemIndex == 10; },
       "list: text type 10"},
      {6, "9", [](const TForm1& f) { return f.ComboBox4.ItemIndex == -1; },
       "list: past the 9 precisions"},
      {7, "3", [](const TForm1& f) { return f.ComboBox5.ItemIndex == -1; },
       "list: past the 3 roundings"},
      {7, "1.5", [](const TForm1& f) { return f.ComboBox5.ItemIndex == 0; },
       "list: a real is no integer and reads 0"},
      {8, std::string(300, '9'),
       [](const TForm1& f) { return f.Edit1.Text == std::string(300, '9'); },
       "edit text taken whole past its limit"},
      {9, " \x81\x40 ",
       [](const TForm1& f) { return f.Edit2.Text == " \x81\x40 "; },
       "edit blanks kept"},
      {17, "5", [](const TForm1& f) { return f.RadioGroup1.ItemIndex == 1; },
       "radio: past the buttons selects the last"},
      {17, "-1", [](const TForm1& f) { return f.RadioGroup1.ItemIndex == 0; },
       "radio: negative selects the first"},
      {18, "1", [](const TForm1& f) { return f.RadioGroup2.ItemIndex == 1; },
       "radio: unit m"},
      {19, "2", [](const TForm1& f) { return f.CheckBox1.Checked; },
       "check: any non-zero integer"},
      {20, "-1", [](const TForm1& f) { return f.CheckBox2.Checked; },
       "check: negative checks"},
      {21, "x", [](const TForm1& f) { return !f.CheckBox3.Checked; },
       "check: letters clear"},
      {22, "", [](const TForm1& f) { return !f.CheckBox4.Checked; },
       "check: empty clears"},
      {22, "1 ", [](const TForm1& f) { return !f.CheckBox4.Checked; },
       "check: a trailing blank makes the integer invalid"},
      {23, "16", [](const TForm1& f) { return f.SavedLayerGroup == 0; },
       "group above 15 becomes 0"},
      {23, "-1", [](const TForm1& f) { return f.SavedLayerGroup == 0; },
       "group -1 becomes 0 and counts as loaded"},
      {23, "15", [](const TForm1& f) { return f.SavedLayerGroup == 15; },
       "group 15"},
      {24, "0", [](const TForm1& f) { return f.SavedScale == 1.0; },
       "scale 0 becomes 1"},
      {24, "-2", [](const TForm1& f) { return f.SavedScale == 1.0; },
       "negative scale becomes 1"},
      {24, "", [](const TForm1& f) { return f.SavedScale == 1.0; },
       "empty scale becomes 1"},
      {24, "1e-11", [](const TForm1& f) { return f.SavedScale == 1.0; },
       "scale below the tolerance becomes 1"},
      // The double read from "1e-10" lies just above the extended 1e-10.
      {24, "1e-10", [](const TForm1& f) { return f.SavedScale == 1e-10; },
       "scale of exactly the tolerance's text is kept"},
      {24, "1e-9", [](const TForm1& f) { return f.SavedScale == 1e-9; },
       "small positive scale kept"},
      {24, "250", [](const TForm1& f) { return f.SavedScale == 250.0; },
       "scale 250"},
      {25, "-30", [](const TForm1& f) { return f.SavedAxisAngle == -30.0; },
       "axis angle"},
      {26, "1.5", [](const TForm1& f) { return f.PrevX1 == 1.5; }, "PrevX1"},
      {27, "2.5", [](const TForm1& f) { return f.PrevY1 == 2.5; }, "PrevY1"},
      {28, "3.5", [](const TForm1& f) { return f.PrevX2 == 3.5; }, "PrevX2"},
      {29, "4.5", [](const TForm1& f) { return f.PrevY2 == 4.5; }, "PrevY2"},
      {30, "5.5", [](const TForm1& f) { return f.PrevX3 == 5.5; }, "PrevX3"},
      {31, "6e2", [](const TForm1& f) { return f.PrevY3 == 600.0; }, "PrevY3"},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.what);
    TForm1 f{port};
    f.ComboBox3.Items.assign(11, "No");
    std::vector<std::string> lines = kInitialLines;
    lines[c.line - 1] = c.text;
    ParseSettings(Join(lines, "\r\n"), f);
    EXPECT_TRUE(c.check(f)) << "line " << c.line << " = \"" << c.text << "\"";
  }
}

// Whole files that are short, empty, oddly ended or too long.
struct FileCase {
  const char* what;
  std::string bytes;
  int windowLeft;
  int savedLayerGroup;
  std::string edit4;
};

TEST_F(SettingsTest, ShortOddAndLongTextsParseAsFarAsTheyGo) {
  std::vector<std::string> first22(kInitialLines.begin(),
                                   kInitialLines.begin() + 22);
  std::vector<std::string> withTail = kInitialLines;
  for (int i = 0; i < 20; ++i) withTail.push_back("77");
  const std::vector<FileCase> cases = {
      {"empty file", "", 0, 0, ""},
      {"22 lines", Join(first22, "\r\n"), 194, 0, "0.5"},
      {"LF only", Join(kInitialLines, "\n"), 194, 0, "0.5"},
      {"no line end after the last line",
       Join(kInitialLines, "\r\n")
           .substr(0, Join(kInitialLines, "\r\n").size() - 2),
       194, 0, "0.5"},
      {"CR only: one line", Join(kInitialLines, "\r"), 0, 0, ""},
      {"lines past 31 ignored", Join(withTail, "\r\n"), 194, 0, "0.5"},
  };
  for (const FileCase& c : cases) {
    SCOPED_TRACE(c.what);
    TForm1 f{port};
    f.ComboBox3.Items.assign(11, "No");
    f.PrevX1 = f.PrevY1 = f.PrevX2 = f.PrevY2 = f.PrevX3 = f.PrevY3 = 9;
    f.CheckBox1.Checked = true;
    ParseSettings(c.bytes, f);
    EXPECT_EQ(f.WindowLeft, c.windowLeft);
    EXPECT_EQ(f.SavedLayerGroup, c.savedLayerGroup);
    EXPECT_EQ(f.Edit4.Text, c.edit4);
    // Lines missing at the end read as empty text.
    EXPECT_EQ(f.SavedScale, 1.0);
    EXPECT_EQ(f.SavedAxisAngle, 0.0);
    for (double v :
         {f.PrevX1, f.PrevY1, f.PrevX2, f.PrevY2, f.PrevX3, f.PrevY3})
      EXPECT_EQ(v, 0.0);
    EXPECT_FALSE(f.CheckBox1.Checked);
  }
}

TEST_F(SettingsTest, EmptyTextClearsEveryControl) {
  form.Edit7.Text = "3";
  ParseSettings("", form);
  for (const TComboBox* b : {&form.ComboBox1, &form.ComboBox2, &form.ComboBox3,
                             &form.ComboBox4, &form.ComboBox5})
    EXPECT_EQ(b->ItemIndex, 0);
  for (const TEdit* e :
       {&form.Edit1, &form.Edit2, &form.Edit3, &form.Edit4, &form.Edit5,
        &form.Edit6, &form.Edit7, &form.Edit8, &form.Edit9})
    EXPECT_EQ(e->Text, "");
  EXPECT_EQ(form.RadioGroup1.ItemIndex, 0);
  EXPECT_EQ(form.RadioGroup2.ItemIndex, 0);
  EXPECT_EQ(form.WindowTop, 0);
}

TEST_F(SettingsTest, MissingFileSetsOnlyTheDefaults) {
  form.PrevX2 = 42;
  form.Edit7.Text = "kept";
  form.LoadSettings(Path());
  EXPECT_EQ(form.WindowLeft, 100);
  EXPECT_EQ(form.WindowTop, 100);
  EXPECT_EQ(form.SavedLayerGroup, -1);
  EXPECT_EQ(form.SavedScale, 1.0);
  EXPECT_EQ(form.PrevX2, 42.0);
  EXPECT_EQ(form.Edit7.Text, "kept");
  EXPECT_FALSE(PathExists(Path()));
}

TEST_F(SettingsTest, CarriageReturnIsDroppedOnlyBeforeLineFeed) {
  std::vector<std::string> lines = kInitialLines;
  lines[8] = "a\rb";  // Edit2
  lines[9] = "c\r";   // Edit3: "c", CR, CR, LF in the file
  ParseSettings(Join(lines, "\r\n"), form);
  EXPECT_EQ(form.Edit2.Text, "a\rb");
  EXPECT_EQ(form.Edit3.Text, "c\r");
  EXPECT_EQ(form.SavedLayerGroup, 0);
}

TEST_F(SettingsTest, GarbageIsBoundedAndStopsAfterLine31) {
  std::vector<std::string> lines = kInitialLines;
  lines[7] = std::string(1024 * 1024, '7');           // 1 MB Edit1
  lines[8] = std::string("\x00\xFF\x81\x1A\x82", 5);  // binary Edit2
  std::string bytes = Join(lines, "\r\n");
  for (int i = 0; i < 10000; ++i) bytes += "junk junk junk junk\r\n";
  bytes += std::string(8 * 1024 * 1024, '\xFE');  // a long tail, no LF

  FaultFileSystem counting;
  ScopedFileSystem use(counting);
  const auto start = std::chrono::steady_clock::now();
  Load(bytes);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(form.Edit1.Text.size(), 1024u * 1024u);
  EXPECT_EQ(form.Edit2.Text, std::string("\x00\xFF\x81\x1A\x82", 5));
  EXPECT_EQ(form.SavedLayerGroup, 0);
  EXPECT_EQ(form.PrevY3, 0.0);
  // The 31 lines sit in the first 1.1 MB; the 8 MB tail is never read.
  EXPECT_LE(counting.Calls().read, 40);
  EXPECT_LT(took, std::chrono::seconds(2));
  EXPECT_EQ(counting.OpenStreams(), 0);
}

// A read error stops loading; what was read before stays applied.
TEST_F(SettingsTest, ReadFailureKeepsWhatWasLoaded) {
  std::vector<std::string> lines = kInitialLines;
  lines[0] = "11";
  lines[10] = "4.5";  // Edit4, line 11
  lines[11] = "6.5";  // Edit5, line 12
  const std::string bytes = Join(lines, "\r\n");
  size_t through11 = 0;
  for (int i = 0; i < 11; ++i) through11 = bytes.find('\n', through11) + 1;

  FaultFileSystem faults;
  faults.Fail(FaultFileSystem::kRead)
      .AfterBytes(static_cast<int64_t>(through11) + 1);
  ScopedFileSystem use(faults);
  form.Edit5.Text = "before";
  Load(bytes);
  EXPECT_GE(faults.Injected(), 1);
  EXPECT_EQ(form.WindowLeft, 11);
  EXPECT_EQ(form.Edit4.Text, "4.5");
  EXPECT_EQ(form.Edit5.Text, "before");
  EXPECT_EQ(form.SavedLayerGroup, -1);  // line 23 never read
  EXPECT_EQ(faults.OpenStreams(), 0);
}

TEST_F(SettingsTest, UnopenableFileLoadsNothing) {
  FaultFileSystem faults;
  faults.Fail(FaultFileSystem::kOpenRead);
  ScopedFileSystem use(faults);
  Load(Join(kInitialLines, "\r\n"));
  EXPECT_EQ(form.WindowLeft, 100);
  EXPECT_EQ(form.SavedLayerGroup, -1);
}

// Every way a save can fail leaves the old file byte for byte and nothing
// else in the folder.
TEST_F(SettingsTest, FailedSaveKeepsTheOldFile) {
  struct SaveFault {
    const char* what;
    FaultFileSystem::Fault fault;
    int64_t afterBytes;
  };
  const SaveFault cases[] = {
      {"temporary file cannot be created", FaultFileSystem::kCreate, 0},
      {"disk full at once", FaultFileSystem::kWrite, 0},
      {"disk full half-way", FaultFileSystem::kWrite, 40},
      {"close fails", FaultFileSystem::kClose, 0},
      {"replace fails", FaultFileSystem::kReplace, 0},
  };
  const std::string old = "old settings\r\nnot to be lost\r\n";
  for (const SaveFault& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(WriteFileBytes(Path(), old));
    FaultFileSystem faults;
    faults.Fail(c.fault).AfterBytes(c.afterBytes);
    {
      ScopedFileSystem use(faults);
      EXPECT_FALSE(form.SaveSettings(Path()));
    }
    EXPECT_GE(faults.Injected(), 1);
    EXPECT_EQ(ReadFileBytes(Path()), old);
    EXPECT_EQ(Folder(), std::vector<std::string>{"t207.dat"});
    EXPECT_EQ(faults.OpenStreams(), 0);
  }
}

TEST_F(SettingsTest, FailedSaveWithoutOldFileLeavesNothing) {
  FaultFileSystem faults;
  faults.Fail(FaultFileSystem::kWrite).AfterBytes(10);
  ScopedFileSystem use(faults);
  EXPECT_FALSE(form.SaveSettings(Path()));
  EXPECT_TRUE(Folder().empty());
}

TEST_F(SettingsTest, SaveReplacesALongerFileWhole) {
  ASSERT_TRUE(WriteFileBytes(Path(), std::string(5000, 'z')));
  form.WindowLeft = 194;
  form.WindowTop = 107;
  ASSERT_TRUE(form.SaveSettings(Path()));
  EXPECT_EQ(ReadFileBytes(Path()), Join(kInitialLines, "\r\n"));
  EXPECT_EQ(Folder(), std::vector<std::string>{"t207.dat"});
}

TEST_F(SettingsTest, SaveWritesTheModelsContextNotTheLoadedOne) {
  form.SavedLayerGroup = 2;
  form.SavedScale = 100;
  form.SavedAxisAngle = 45;
  form.Model.InitGroup = 10;
  form.Model.GroupScale[10] = 50;
  form.Model.GroupScale[2] = 100;
  form.Model.AxisAngle = 0;
  form.ComboBox1.ItemIndex = -1;
  std::vector<std::string> lines = kInitialLines;
  lines[0] = "0";
  lines[1] = "0";
  lines[2] = "-1";
  lines[22] = "10";
  lines[23] = "50";
  EXPECT_EQ(RenderSettings(form), Join(lines, "\r\n"));
}

}  // namespace
