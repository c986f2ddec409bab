// Writing JWC_TEMP.TXT: the exact bytes, the joining of text records, and
// what a failure at any point of the write leaves on disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fault_file_system.h"
#include "interchange/jwc_writer.h"
#include "interchange/jww_model.h"
#include "test_support.h"

namespace {

const char* const kTempSuffix = ".t482-tmp";

JwwModel ModelWith(const std::vector<std::string>& lines) {
  JwwModel m;
  InitJwwModel(m);
  for (const std::string& line : lines) AddOutputLine(m, line);
  return m;
}

TEST(RenderJwcTemp, JoinsCommandsWithTheirTexts) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    std::string bytes;
  } cases[] = {
      {"nothing drawn", {}, "hq\r\n"},
      {"plain records", {"lg3", "ly5", "0 0 1 1"}, "lg3\r\nly5\r\n0 0 1 1\r\n"},
      {"empty line", {"a", "", "b"}, "a\r\n\r\nb\r\n"},
      {"text record",
       {"cs 0 0 1 0 \"", "AB", "z3"},
       "cs 0 0 1 0 \"AB\r\nz3\r\n"},
      {"a text ending in a quote is not joined again",
       {"cs 0 0 1 0 \"", "AB\"", "lc1"},
       "cs 0 0 1 0 \"AB\"\r\nlc1\r\n"},
      {"partner of a quote is taken whole",
       {"a\"", "b\"", "c\"", "d"},
       "a\"b\"\r\nc\"d\r\n"},
      {"command last: no final line end",
       {"lg1", "cs 1 2 3 4 \""},
       "lg1\r\ncs 1 2 3 4 \""},
      {"a lone quote", {"\"", ""}, "\"\r\n"},
      {"a quote inside is no join", {"a\"b", "c"}, "a\"b\r\nc\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RenderJwcTemp(ModelWith(c.lines)), c.bytes);
  }
}

TEST(RenderJwcTemp, WholeDrawingFromEmitters) {
  JwwModel m;
  InitJwwModel(m);
  ResetCurrentAttributes(m);
  EmitLayerGroup(m, 10);
  EmitLayer(m, 15);
  EmitZFlags(m, 4);
  EmitSegment(m, 0, 0, 10.5, 0);
  EmitTextType(m, 0, 1, 2.5, 2.5, 0);
  EmitFontName(m, "");
  EmitText(m, 2, "10.5", 1, 2, 1, 0);
  EmitDimension(m, "", 0, 0, 3, 4, 0.1, 0.2, 0.6, 0.8);
  EmitPoint(m, 12, 0, 0, 0, 90);
  EXPECT_EQ(RenderJwcTemp(m),
            "lgA\r\nlyF\r\nz3\r\n0 0 10.5 0\r\ncn0 2.5 2.5 0 1\r\ncn\"$\r\n"
            "cs 1 2 1 0 \"10.5\r\nmsg\r\n0 0 3 4\r\ncs 0.1 0.2 0.6 0.8 \"5\r\n"
            "pt 0 0 1 90 -3\r\n");
}

struct WriteJwcTempTest : testing::Test {
  ScratchDir dir;
  std::string path = dir.File("JWC_TEMP.TXT");
  const std::string hostInput = "hk 0\r\nhp1 10 20\r\n";
  void SetUp() override { ASSERT_TRUE(WriteFileBytes(path, hostInput)); }
};

TEST_F(WriteJwcTempTest, ReplacesTheHostsFileByteForByte) {
  JwwModel m = ModelWith({"lg0", "cs 0 0 1 0 \"", " A ", "ly1"});
  ASSERT_TRUE(WriteJwcTemp(m, path));
  EXPECT_EQ(ReadFileBytes(path), "lg0\r\ncs 0 0 1 0 \" A \r\nly1\r\n");
  EXPECT_FALSE(PathExists(path + kTempSuffix));
  // Writing does not empty the list.
  EXPECT_EQ(m.OutputLines.Count(), 4);

  JwwModel none = ModelWith({});
  ASSERT_TRUE(WriteJwcTemp(none, path));
  EXPECT_EQ(ReadFileBytes(path), "hq\r\n");
}

TEST_F(WriteJwcTempTest, LargeDrawingMatchesRendering) {
  JwwModel m;
  InitJwwModel(m);
  for (int i = 0; i < 60000; ++i) {
    EmitSegment(m, i, i * 0.5, i + 1, -i / 3.0);
    if (i % 7 == 0) EmitText(m, 2, std::string(i % 300, 'x') + "y", 0, 0, 1, 0);
  }
  ASSERT_TRUE(WriteJwcTemp(m, path));
  EXPECT_EQ(ReadFileBytes(path), RenderJwcTemp(m));
}

TEST_F(WriteJwcTempTest, NeverWritesTheTargetDirectly) {
  FaultFileSystem spy;
  {
    ScopedFileSystem use(spy);
    ASSERT_TRUE(WriteJwcTemp(ModelWith({"lg0"}), path));
  }
  for (const std::string& entry : spy.Log()) {
    EXPECT_NE(entry, "create " + path);
  }
  EXPECT_EQ(spy.Calls().replace, 1);
}

// Whatever fails, the write reports it, no temporary file remains, and the
// host's own input is gone, so that the host never takes it for our answer.
TEST_F(WriteJwcTempTest, FailureAtAnyPointLeavesNoFile) {
  using F = FaultFileSystem;
  struct Case {
    const char* name;
    F::Fault fault;
    int64_t afterBytes;
  } cases[] = {
      {"create", F::kCreate, 0},
      {"first write", F::kWrite, 0},
      {"disk full after one buffer", F::kWrite, 65536},
      {"disk full in the last bytes", F::kWrite, 200000},
      {"close", F::kClose, 0},
      {"replace", F::kReplace, 0},
  };
  JwwModel m;
  InitJwwModel(m);
  for (int i = 0; i < 20000; ++i) EmitSegment(m, i, 1, i + 1, 2);
  ASSERT_GT(RenderJwcTemp(m).size(), 200000u);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(WriteFileBytes(path, hostInput));
    FaultFileSystem faults;
    faults.Fail(c.fault).AfterBytes(c.afterBytes);
    {
      ScopedFileSystem use(faults);
      EXPECT_FALSE(WriteJwcTemp(m, path));
    }
    EXPECT_EQ(faults.Injected(), 1);
    EXPECT_EQ(faults.OpenStreams(), 0);
    EXPECT_FALSE(PathExists(path));
    EXPECT_FALSE(PathExists(path + kTempSuffix));
  }
}

TEST_F(WriteJwcTempTest, FailedWriteWithoutHostFileCreatesNothing) {
  std::filesystem::remove(std::filesystem::u8path(path));
  FaultFileSystem faults;
  faults.Fail(FaultFileSystem::kClose);
  {
    ScopedFileSystem use(faults);
    EXPECT_FALSE(WriteJwcTemp(ModelWith({"lg0"}), path));
  }
  EXPECT_FALSE(PathExists(path));
  EXPECT_FALSE(PathExists(path + kTempSuffix));
  EXPECT_EQ(faults.Calls().remove, 1);  // only the temporary file
}

TEST(WriteJwcTempDisk, FolderThatDoesNotExist) {
  ScratchDir dir;
  std::string path = dir.File("missing") + "/JWC_TEMP.TXT";
  EXPECT_FALSE(WriteJwcTemp(ModelWith({"lg0"}), path));
  EXPECT_FALSE(PathExists(dir.File("missing")));
}

TEST(WriteJwcTempDisk, TargetIsAFolder) {
  ScratchDir dir;
  std::string path = dir.File("JWC_TEMP.TXT");
  std::filesystem::create_directory(std::filesystem::u8path(path));
  EXPECT_FALSE(WriteJwcTemp(ModelWith({"lg0"}), path));
  EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::u8path(path)));
  EXPECT_FALSE(PathExists(path + kTempSuffix));
}

}  // namespace
