// A whole run (show, OK once, close) with one file-system fault injected at
// every point where the run touches a file: a file that seems missing, an
// open, a read part-way, a create, a write part-way, a close, a replace or
// a remove that fails, on either file, at its first and later calls. Each
// row states what the folder must hold afterwards: the settings file old or
// new but always whole, the host's file answered, "hq", or gone; never a
// temporary file, an open stream or a message about the file. The form
// names the first file it failed to write, for the batch runner. Memory
// running out part-way through the drawing leaves the model as it was
// before the press, so that pressing again draws exactly what a clean run
// draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "fault_allocation.h"
#include "fault_file_system.h"
#include "fuzz/settings_target.h"
#include "test_support.h"
#include "tool/form.h"
#include "tool/headless_port.h"
#include "tool/texts.h"

namespace {

using F = FaultFileSystem;

const std::string kOldSettings =
    "194\r\n107\r\n0\r\n0\r\n3\r\n3\r\n2\r\n1\r\n\r\n\r\n0.5\r\n2\r\n2\r\n"
    "3\r\n15\r\n2\r\n0\r\n1\r\n0\r\n1\r\n0\r\n1\r\n0\r\n1\r\n0\r\n0\r\n0\r\n"
    "100\r\n0\r\n0\r\n20\r\n";

enum class Answer { Full, Hq, Absent };
enum class Settings { Old, New };

struct FaultRow {
  const char* name;
  F::Fault fault;
  const char* path;
  int64_t afterBytes;
  int skip;
  Answer answer;
  Settings settings;
  // 0 or more: the OK press runs out of memory at this allocation of its
  // drawing, and OK is pressed again.
  long drawingAllocation = -1;
};

const FaultRow kRows[] = {
    // Reading the settings fails before line 23: the tool refuses to start.
    {"settings seem missing", F::kFileExists, "t207.dat", 0, 0, Answer::Hq,
     Settings::Old},
    {"settings vanish after loading", F::kFileExists, "t207.dat", 0, 1,
     Answer::Hq, Settings::Old},
    {"settings cannot be opened", F::kOpenRead, "t207.dat", 0, 0, Answer::Hq,
     Settings::Old},
    {"settings read fails at once", F::kRead, "t207.dat", 0, 0, Answer::Hq,
     Settings::Old},
    {"settings read fails at line 15", F::kRead, "t207.dat", 40, 0, Answer::Hq,
     Settings::Old},
    // The host's file unreadable: no picked points, nothing drawn.
    {"host file seems missing", F::kFileExists, "JWC_TEMP.TXT", 0, 0,
     Answer::Hq, Settings::Old},
    {"host file cannot be opened", F::kOpenRead, "JWC_TEMP.TXT", 0, 0,
     Answer::Hq, Settings::Old},
    {"host file read fails before the points", F::kRead, "JWC_TEMP.TXT", 120, 0,
     Answer::Hq, Settings::Old},
    // Saving the settings fails: the old file stays, the drawing goes on.
    {"settings temporary not created", F::kCreate, "t207.dat", 0, 0,
     Answer::Full, Settings::Old},
    {"settings disk full at once", F::kWrite, "t207.dat", 0, 0, Answer::Full,
     Settings::Old},
    {"settings disk full half-way", F::kWrite, "t207.dat", 50, 0, Answer::Full,
     Settings::Old},
    {"settings close fails", F::kClose, "t207.dat", 0, 0, Answer::Full,
     Settings::Old},
    {"settings replace fails", F::kReplace, "t207.dat", 0, 0, Answer::Full,
     Settings::Old},
    // Writing the answer fails: no answer at all, never the host's input.
    {"answer not created", F::kCreate, "JWC_TEMP.TXT", 0, 0, Answer::Absent,
     Settings::New},
    {"answer disk full at once", F::kWrite, "JWC_TEMP.TXT", 0, 0,
     Answer::Absent, Settings::New},
    {"answer disk full half-way", F::kWrite, "JWC_TEMP.TXT", 100, 0,
     Answer::Absent, Settings::New},
    {"answer close fails", F::kClose, "JWC_TEMP.TXT", 0, 0, Answer::Absent,
     Settings::New},
    {"answer replace fails", F::kReplace, "JWC_TEMP.TXT", 0, 0, Answer::Absent,
     Settings::New},
    // Faults at calls that a sound run never makes change nothing.
    {"remove fails", F::kRemove, "", 0, 0, Answer::Full, Settings::New},
    {"a third create fails", F::kCreate, "", 0, 2, Answer::Full, Settings::New},
    // Both writes fail: the settings file is the first.
    {"every create fails", F::kCreate, "", 0, 0, Answer::Absent, Settings::Old},
    // The drawing fails after its attribute records, or half-way.
    {"no memory after the attributes", F::kNone, "", 0, 0, Answer::Full,
     Settings::New, 2},
    {"no memory half-way through the drawing", F::kNone, "", 0, 0, Answer::Full,
     Settings::New, 20},
};

// The first file the row's run fails to write: the settings are saved before
// the answer; an old settings file with an answer means the save failed.
std::string FailedWriteOf(const FaultRow& row) {
  if (row.settings == Settings::Old && row.answer != Answer::Hq) {
    return "t207.dat";
  }
  return row.answer == Answer::Absent ? "JWC_TEMP.TXT" : "";
}

// Failure messages name the case instead of dumping its bytes.
void PrintTo(const FaultRow& c, std::ostream* os) {
  *os << c.name;
}

struct RunResult {
  std::string answer;  // empty when the file is gone
  bool answerExists = false;
  std::string settings;
  std::vector<std::string> files;
  std::vector<std::string> confirmations;
  std::string failedWrite;
};

// Arms the allocation failure, once, when the status line says that the
// drawing begins: nothing but the drawing follows before it says "writing".
class DrawingFailsPort : public HeadlessPort {
 public:
  DrawingFailsPort(const std::string& folder, long allocation)
      : HeadlessPort(folder), allocation_(allocation) {}
  void ShowStatus(const std::string& caption) override {
    HeadlessPort::ShowStatus(caption);
    const bool building = caption == texts::kStatusBuilding;
    FailAllocation(building ? allocation_ : -1);
    if (building) allocation_ = -1;
  }

 private:
  long allocation_;
};

RunResult RunOnce(FileSystem* fs, long drawingAllocation = -1) {
  ScratchDir dir;
  RunResult r;
  EXPECT_TRUE(
      WriteFileBytes(dir.File("JWC_TEMP.TXT"), fuzz::kSettingsHostFile));
  EXPECT_TRUE(WriteFileBytes(dir.File("t207.dat"), kOldSettings));
  {
    std::unique_ptr<ScopedFileSystem> use;
    if (fs != nullptr) use = std::make_unique<ScopedFileSystem>(*fs);
    DrawingFailsPort port(dir.Path(), drawingAllocation);
    TForm1 form(port);
    form.FormShow();
    // Caught, as the window procedure catches it; the dialog stays open.
    if (drawingAllocation >= 0) {
      EXPECT_THROW(form.Button1Click(), std::bad_alloc);
    }
    form.Button1Click();
    form.Close();
    r.confirmations = port.Confirmations;
    r.failedWrite = form.FailedWrite();
  }
  r.answerExists = PathExists(dir.File("JWC_TEMP.TXT"));
  r.answer = ReadFileBytes(dir.File("JWC_TEMP.TXT"));
  r.settings = ReadFileBytes(dir.File("t207.dat"));
  for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
    r.files.push_back(e.path().filename().u8string());
  }
  std::sort(r.files.begin(), r.files.end());
  return r;
}

class FormFault : public testing::TestWithParam<FaultRow> {};

TEST_P(FormFault, FolderHoldsWholeFilesOnly) {
  const FaultRow& row = GetParam();
  const RunResult clean = RunOnce(nullptr);
  ASSERT_TRUE(clean.confirmations.empty());
  ASSERT_EQ(clean.failedWrite, "");
  ASSERT_NE(clean.settings, kOldSettings);
  ASSERT_EQ(fuzz::CheckSavedSettings(clean.settings), "");

  F faults;
  faults.Fail(row.fault)
      .AfterBytes(row.afterBytes)
      .OnPaths(row.path)
      .Skip(row.skip);
  const RunResult r = RunOnce(&faults, row.drawingAllocation);
  const bool unaffected =
      row.answer == Answer::Full && row.settings == Settings::New;
  EXPECT_EQ(faults.Injected() > 0, !unaffected);
  EXPECT_EQ(faults.OpenStreams(), 0);

  std::vector<std::string> want = {"t207.dat"};
  if (row.answer != Answer::Absent) want.insert(want.begin(), "JWC_TEMP.TXT");
  EXPECT_EQ(r.files, want);  // no temporary file, no half-written file
  switch (row.answer) {
    case Answer::Full: EXPECT_EQ(r.answer, clean.answer); break;
    case Answer::Hq: EXPECT_EQ(r.answer, "hq\r\n"); break;
    case Answer::Absent: EXPECT_FALSE(r.answerExists); break;
  }
  EXPECT_EQ(r.settings,
            row.settings == Settings::Old ? kOldSettings : clean.settings);
  EXPECT_EQ(r.failedWrite, FailedWriteOf(row));

  // File errors are never shown; only the refusals of the run are.
  for (const std::string& text : r.confirmations) {
    EXPECT_TRUE(text == texts::kMsgNoSettings ||
                text == texts::kMsgNoPickedPoint)
        << "unexpected message";
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, FormFault, testing::ValuesIn(kRows),
                         NameFromRow());

// The settings file's read failing at every byte: loading keeps the lines
// read before the failure, refuses to start before line 23, and whatever
// follows, no file is ever left half-written.
TEST(FormFaultSweep, SettingsReadFailsAtEveryByte) {
  for (int64_t at = 0; at <= static_cast<int64_t>(kOldSettings.size()); ++at) {
    SCOPED_TRACE(at);
    F faults;
    faults.Fail(F::kRead).AfterBytes(at).OnPaths("t207.dat");
    const RunResult r = RunOnce(&faults);
    EXPECT_EQ(faults.OpenStreams(), 0);
    const size_t line23 = [] {
      size_t p = 0;
      for (int i = 0; i < 23; ++i) p = kOldSettings.find('\n', p) + 1;
      return p;
    }();
    if (static_cast<size_t>(at) < line23) {
      EXPECT_EQ(r.answer, "hq\r\n");
      EXPECT_EQ(r.settings, kOldSettings);
    }
    if (r.settings != kOldSettings) {
      EXPECT_EQ(fuzz::CheckSavedSettings(r.settings), "");
    }
    EXPECT_EQ(fuzz::CheckNoNonFinite(r.answer), "");
    EXPECT_TRUE(r.files ==
                std::vector<std::string>({"JWC_TEMP.TXT", "t207.dat"}));
  }
}

}  // namespace
