// Form1 without a window: its initial controls, the show handler (host file,
// text-type list, settings, placing or refusing), closing and Cancel.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "fault_file_system.h"
#include "interchange/jwc_writer.h"
#include "test_support.h"
#include "tool/form.h"
#include "tool/headless_port.h"
#include "tool/texts.h"

namespace {

const std::vector<std::string> kSettings = {
    "194", "107", "0", "0",  "4", "3",   "2", "1", "",  "",  "0.5",
    "2",   "2",   "3", "15", "2", "0",   "0", "0", "0", "0", "0",
    "0",   "1",   "0", "0",  "0", "100", "0", "0", "20"};

// A host file: current text type 3, type 4 of 2.5 x 2.5 with spacing 0.25.
const std::vector<std::string> kHostFile = {
    "hq",
    "hk 0",
    "hs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1",
    "hcw 2 2.5 3 2.5 5 6 7 8 9 10",
    "hch 2 2.5 3 2.5 5 6 7 8 9 10",
    "hcd 0 0 0 0.25 0.5 1 1 1 1 1",
    "hcc 1 1 2 2 3 3 4 4 5 2",
    "hp1 150 0",
    "hp2 110 40",
    "lg0",
    "ly0",
    "lc1",
    "lt1",
    "cn3",
};

struct FormTest : testing::Test {
  ScratchDir dir;
  HeadlessPort port{dir.Path(), 5, 6};
  TForm1 form{port};

  std::string Jwc() const { return dir.File("JWC_TEMP.TXT"); }
  std::string Dat() const { return dir.File("t207.dat"); }
  void Put(const std::string& name, const std::string& bytes) {
    ASSERT_TRUE(WriteFileBytes(dir.File(name), bytes));
  }
  std::vector<std::string> Folder() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(FormTest, CreatedWithTheDialogsInitialState) {
  struct EditCase {
    const TEdit* edit;
    const char* text;
    int limit;
  };
  const EditCase edits[] = {
      {&form.Edit1, "1", 16},   {&form.Edit2, "", 32},  {&form.Edit3, "", 32},
      {&form.Edit4, "0.5", 16}, {&form.Edit5, "2", 16}, {&form.Edit6, "2", 16},
      {&form.Edit7, "3", 8},    {&form.Edit8, "15", 8}, {&form.Edit9, "2", 16},
  };
  for (const EditCase& e : edits) {
    EXPECT_EQ(e.edit->Text, e.text);
    EXPECT_EQ(e.edit->MaxLength, e.limit) << e.text;
  }
  struct ListCase {
    const TComboBox* box;
    size_t items;
    int index;
  };
  const ListCase lists[] = {{&form.ComboBox1, 12, 0},
                            {&form.ComboBox2, 12, 0},
                            {&form.ComboBox3, 0, -1},
                            {&form.ComboBox4, 9, 3},
                            {&form.ComboBox5, 3, 2}};
  for (const ListCase& l : lists) {
    EXPECT_EQ(l.box->Items.size(), l.items);
    EXPECT_EQ(l.box->ItemIndex, l.index);
  }
  EXPECT_EQ(form.ComboBox1.Items, form.ComboBox2.Items);
  // The triangle stands twice, at 1 and at 11.
  EXPECT_EQ(form.ComboBox1.Items[0], texts::kMarkerLineArrow);
  EXPECT_EQ(form.ComboBox1.Items[1], texts::kMarkerTriangle);
  EXPECT_EQ(form.ComboBox1.Items[10], texts::kMarkerSlash);
  EXPECT_EQ(form.ComboBox1.Items[11], texts::kMarkerTriangle);
  EXPECT_EQ(form.ComboBox4.Items.front(), "1");
  EXPECT_EQ(form.ComboBox4.Items.back(), "0.00000001");
  EXPECT_EQ(form.ComboBox5.Items[2], texts::kRoundHalfUp);
  EXPECT_EQ(
      form.RadioGroup1.Items,
      (std::vector<std::string>{texts::kRadioZerosNo, texts::kRadioZerosYes}));
  EXPECT_EQ(form.RadioGroup2.Items,
            (std::vector<std::string>{"mm", texts::kUnitMetre}));
  EXPECT_EQ(form.RadioGroup1.ItemIndex, 0);
  EXPECT_EQ(form.RadioGroup2.ItemIndex, 0);
  for (const TCheckBox* c :
       {&form.CheckBox1, &form.CheckBox2, &form.CheckBox3, &form.CheckBox4})
    EXPECT_FALSE(c->Checked);
  EXPECT_EQ(form.LabelA1.Caption, "\x81\x40");
  ASSERT_EQ(form.Memo1.Lines.size(), 24u);
  EXPECT_EQ(form.Memo1.Lines[8], "");
  EXPECT_EQ(form.Memo1.Lines[14], "");
  EXPECT_EQ(form.Memo1.Lines[23], texts::kMemoLines[23]);
  EXPECT_EQ(form.SavedLayerGroup, 0);
  EXPECT_EQ(form.SavedScale, 0.0);
  EXPECT_FALSE(form.Closed());
}

TEST_F(FormTest, ShowListsTheHostsTextTypesAndPlacesTheDialog) {
  Put("JWC_TEMP.TXT", Crlf(kHostFile));
  Put("t207.dat", Crlf(kSettings));
  form.FormShow();
  EXPECT_FALSE(form.Closed());
  EXPECT_EQ(form.ExePath, dir.Path());
  ASSERT_EQ(form.ComboBox3.Items.size(), 11u);
  EXPECT_EQ(form.ComboBox3.Items[0],
            std::string(texts::kCurrentTextTypeHead) + "No3)");
  EXPECT_EQ(form.ComboBox3.Items[1], "No1: W2 H2 D0");
  EXPECT_EQ(form.ComboBox3.Items[4], "No4: W2.5 H2.5 D0.25");
  EXPECT_EQ(form.ComboBox3.Items[10], "No10: W10 H10 D1");
  EXPECT_EQ(form.ComboBox3.ItemIndex, 4);  // selected after the items exist
  EXPECT_EQ(port.Moves, (std::vector<std::pair<int, int>>{{194, 107}}));
  EXPECT_EQ(port.DialogLeft(), 194);
  EXPECT_TRUE(port.Confirmations.empty());
  EXPECT_EQ(form.PrevX2, 100.0);
  EXPECT_EQ(form.Model.HpPoints[2].Y, 40.0);
  // Nothing is written before closing.
  EXPECT_EQ(ReadFileBytes(Jwc()), Crlf(kHostFile));
}

TEST_F(FormTest, ShowNamesTheCurrentTextType) {
  struct Case {
    const char* what;
    std::vector<std::string> host;
    bool writeHost;
    std::string first;
    std::string tenth;
  };
  const std::string head = texts::kCurrentTextTypeHead;
  const std::vector<Case> cases = {
      {"no host file", {}, false, head + "No1)", "No10: W3 H3 D0"},
      {"free text type",
       {"hq", "cn0 3.5 3.5 0 2", "cn5"},
       true,
       head + "Free)",
       "No10: W3 H3 D0"},
      {"type 10", {"hq", "cn10"}, true, head + "No10)", "No10: W3 H3 D0"},
      {"out of range kept as read",
       {"hq", "cn12"},
       true,
       head + "No12)",
       "No10: W3 H3 D0"},
      {"text sizes by the general format",
       {"hq", "hcw 3 3 3 3 3 3 3 3 3 0.1", "hch 3 3 3 3 3 3 3 3 3 1e-5",
        "hcd 0 0 0 0 0 0 0 0 0 1234567.5"},
       true,
       head + "No1)",
       "No10: W0.1 H1E-5 D1234567.5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir d;
    HeadlessPort p{d.Path()};
    TForm1 f{p};
    if (c.writeHost) {
      ASSERT_TRUE(WriteFileBytes(d.File("JWC_TEMP.TXT"), Crlf(c.host)));
    }
    ASSERT_TRUE(WriteFileBytes(d.File("t207.dat"), Crlf(kSettings)));
    f.FormShow();
    ASSERT_EQ(f.ComboBox3.Items.size(), 11u);
    EXPECT_EQ(f.ComboBox3.Items[0], c.first);
    EXPECT_EQ(f.ComboBox3.Items[10], c.tenth);
    EXPECT_FALSE(f.Closed());
  }
}

TEST_F(FormTest, ShowWithoutSettingsRefusesAndCloses) {
  Put("JWC_TEMP.TXT", Crlf(kHostFile));
  form.FormShow();
  EXPECT_EQ(port.Confirmations,
            std::vector<std::string>{texts::kMsgNoSettings});
  EXPECT_TRUE(form.Closed());
  EXPECT_EQ(port.CloseCount, 1);
  EXPECT_TRUE(port.Moves.empty());
  EXPECT_EQ(ReadFileBytes(Jwc()), "hq\r\n");
  EXPECT_EQ(Folder(), std::vector<std::string>{"JWC_TEMP.TXT"});
}

TEST_F(FormTest, ShowRefusesWhenLoadingStoppedBeforeTheGroupLine) {
  std::string bytes = Crlf(kSettings);
  size_t through22 = 0;
  for (int i = 0; i < 22; ++i) through22 = bytes.find('\n', through22) + 1;
  Put("t207.dat", bytes);
  FaultFileSystem faults;
  faults.Fail(FaultFileSystem::kRead)
      .AfterBytes(static_cast<int64_t>(through22));
  {
    ScopedFileSystem use(faults);
    form.FormShow();
  }
  EXPECT_TRUE(form.Closed());
  EXPECT_EQ(port.Confirmations,
            std::vector<std::string>{texts::kMsgNoSettings});
  EXPECT_EQ(ReadFileBytes(Dat()), bytes);
}

TEST_F(FormTest, ShowAcceptsAnySettingsFileThatReachesTheGroupLine) {
  struct Case {
    const char* what;
    std::string bytes;
    std::pair<int, int> move;
  };
  std::vector<std::string> offScreen = kSettings;
  offScreen[0] = "-5000";
  offScreen[1] = "99999";
  offScreen[22] = "-1";  // still counts as loaded
  const std::vector<Case> cases = {
      {"empty file", "", {0, 0}},
      {"off screen", Crlf(offScreen), {-5000, 99999}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir d;
    HeadlessPort p{d.Path()};
    TForm1 f{p};
    ASSERT_TRUE(WriteFileBytes(d.File("t207.dat"), c.bytes));
    f.FormShow();
    EXPECT_FALSE(f.Closed());
    EXPECT_TRUE(p.Confirmations.empty());
    EXPECT_EQ(p.Moves, (std::vector<std::pair<int, int>>{c.move}));
  }
}

TEST_F(FormTest, CancelWritesHqAndLeavesTheSettingsAlone) {
  Put("JWC_TEMP.TXT", Crlf(kHostFile));
  Put("t207.dat", Crlf(kSettings));
  form.FormShow();
  form.Edit7.Text = "changed";
  form.WindowLeft = 1;
  form.Button2Click();
  EXPECT_TRUE(form.Closed());
  EXPECT_EQ(port.CloseCount, 1);
  EXPECT_EQ(ReadFileBytes(Jwc()), "hq\r\n");
  EXPECT_EQ(ReadFileBytes(Dat()), Crlf(kSettings));
  EXPECT_EQ(Folder(), (std::vector<std::string>{"JWC_TEMP.TXT", "t207.dat"}));
  EXPECT_TRUE(port.Confirmations.empty());
}

TEST_F(FormTest, CloseRunsTheCloseHandlerOnce) {
  Put("t207.dat", Crlf(kSettings));
  form.FormShow();
  form.Close();
  ASSERT_EQ(ReadFileBytes(Jwc()), "hq\r\n");
  ASSERT_TRUE(std::filesystem::remove(Jwc()));
  form.Close();
  form.Button2Click();
  EXPECT_FALSE(PathExists(Jwc()));
  EXPECT_EQ(port.CloseCount, 1);
}

TEST_F(FormTest, CloseWritesTheEmittedRecords) {
  Put("JWC_TEMP.TXT", Crlf(kHostFile));
  Put("t207.dat", Crlf(kSettings));
  form.FormShow();
  AddOutputLine(form.Model, "0 0 10 0");
  form.Close();
  EXPECT_EQ(ReadFileBytes(Jwc()), "0 0 10 0\r\n");
}

TEST_F(FormTest, UnwritableHostFileStillCloses) {
  Put("JWC_TEMP.TXT", Crlf(kHostFile));
  Put("t207.dat", Crlf(kSettings));
  form.FormShow();
  FaultFileSystem faults;
  faults.Fail(FaultFileSystem::kCreate);
  {
    ScopedFileSystem use(faults);
    form.Button2Click();
  }
  EXPECT_GE(faults.Injected(), 1);
  EXPECT_TRUE(form.Closed());
  EXPECT_EQ(port.CloseCount, 1);
  EXPECT_FALSE(PathExists(Jwc() + ".t482-tmp"));
}

TEST_F(FormTest, CloseBeforeShowWritesNothing) {
  form.Close();
  EXPECT_TRUE(form.Closed());
  EXPECT_EQ(port.CloseCount, 1);
  EXPECT_TRUE(Folder().empty());
}

TEST_F(FormTest, StatusLineShowsAndRecordsEachCaption) {
  form.SetStatus(texts::kStatusBuilding);
  form.SetStatus(texts::kStatusWriting);
  EXPECT_EQ(form.LabelA1.Caption, texts::kStatusWriting);
  EXPECT_EQ(port.Statuses, (std::vector<std::string>{texts::kStatusBuilding,
                                                     texts::kStatusWriting}));
}

}  // namespace
