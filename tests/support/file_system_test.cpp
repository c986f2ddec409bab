// The file layer: whole-file writes that complete or change nothing, line
// reading, the platform's answers for folders and missing folders, and the
// fault-injecting double the other tests rely on.
#include "support/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "fault_file_system.h"
#include "test_support.h"

namespace {

const char* const kTempSuffix = ".t482-tmp";

// Bytes that make chunk and buffer boundaries visible: no two 64 KiB
// blocks are alike.
std::string Pattern(size_t size) {
  std::string s(size, '\0');
  for (size_t i = 0; i < size; ++i) {
    s[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  }
  return s;
}

/// Writes `bytes` in pieces of `piece` bytes and commits.
bool WriteInPieces(const std::string& path, const std::string& bytes,
                   size_t piece) {
  AtomicFileWriter w(path);
  if (!w.Open()) return false;
  for (size_t at = 0; at < bytes.size(); at += piece) {
    size_t n = std::min(piece, bytes.size() - at);
    if (!w.Write(bytes.data() + at, n)) return false;
  }
  return w.Commit();
}

TEST(AtomicFileWriterTest, WritesWholeFileWhateverThePieceSize) {
  struct Case {
    size_t size;
    size_t piece;
  } cases[] = {
      {0, 1},           {1, 1},          {5, 2},      {65535, 65535},
      {65536, 65536},   {65537, 1000},   {200000, 3}, {200000, 70000},
      {300000, 300000}, {150000, 65536},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.size) + " in " + std::to_string(c.piece));
    ScratchDir dir;
    std::string target = dir.File("out.txt");
    std::string bytes = Pattern(c.size);
    ASSERT_TRUE(WriteInPieces(target, bytes, c.piece));
    EXPECT_EQ(ReadFileBytes(target), bytes);
    EXPECT_FALSE(PathExists(target + kTempSuffix));
  }
}

TEST(AtomicFileWriterTest, ReplacesExistingFileAndStaleTemporary) {
  ScratchDir dir;
  std::string target = dir.File("JWC_TEMP.TXT");
  ASSERT_TRUE(WriteFileBytes(target, "old contents, longer than the new\r\n"));
  ASSERT_TRUE(WriteFileBytes(target + kTempSuffix, "left by a killed run"));
  ASSERT_TRUE(WriteInPieces(target, "hq\r\n", 4));
  EXPECT_EQ(ReadFileBytes(target), "hq\r\n");
  EXPECT_FALSE(PathExists(target + kTempSuffix));
}

TEST(AtomicFileWriterTest, UncommittedWriteLeavesTargetAlone) {
  ScratchDir dir;
  std::string target = dir.File("a.txt");
  ASSERT_TRUE(WriteFileBytes(target, "before"));
  {
    AtomicFileWriter w(target);
    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.Write(Pattern(100000)));
    EXPECT_TRUE(PathExists(target + kTempSuffix));
  }
  EXPECT_EQ(ReadFileBytes(target), "before");
  EXPECT_FALSE(PathExists(target + kTempSuffix));
}

TEST(AtomicFileWriterTest, MisuseFailsWithoutTouchingTheDisk) {
  ScratchDir dir;
  std::string target = dir.File("a.txt");
  AtomicFileWriter w(target);
  EXPECT_FALSE(w.Write("x"));  // not opened
  EXPECT_FALSE(w.Commit());
  EXPECT_FALSE(PathExists(target));
  AtomicFileWriter twice(target);
  ASSERT_TRUE(twice.Open());
  EXPECT_FALSE(twice.Open());
  ASSERT_TRUE(twice.Write("x"));
  ASSERT_TRUE(twice.Commit());
  EXPECT_FALSE(twice.Commit());
  EXPECT_FALSE(twice.Write("y"));
  EXPECT_EQ(ReadFileBytes(target), "x");
}

// Every way the disk can refuse: the write reports it, the old file stays as
// it was, and no temporary file is left.
TEST(AtomicFileWriterTest, FailureAtAnyPointLeavesOldFileAndNoTemporary) {
  using F = FaultFileSystem;
  struct Case {
    const char* name;
    F::Fault fault;
    int64_t afterBytes;
    bool openFails;
  } cases[] = {
      {"create", F::kCreate, 0, true},
      {"first write", F::kWrite, 0, false},
      {"disk full in the middle", F::kWrite, 70000, false},
      {"disk full near the end", F::kWrite, 199999, false},
      {"close", F::kClose, 0, false},
      {"replace", F::kReplace, 0, false},
  };
  const std::string bytes = Pattern(200000);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir dir;
    std::string target = dir.File("t.txt");
    ASSERT_TRUE(WriteFileBytes(target, "old"));
    FaultFileSystem faults;
    faults.Fail(c.fault).AfterBytes(c.afterBytes);
    {
      ScopedFileSystem use(faults);
      AtomicFileWriter w(target);
      ASSERT_EQ(w.Open(), !c.openFails);
      bool wrote = true;
      for (size_t at = 0; at < bytes.size(); at += 1000) {
        wrote = w.Write(bytes.data() + at, 1000) && wrote;
      }
      EXPECT_FALSE(w.Commit());
      EXPECT_FALSE(w.Write("more"));
    }
    EXPECT_EQ(faults.Injected(), 1);
    EXPECT_EQ(faults.OpenStreams(), 0);
    EXPECT_EQ(ReadFileBytes(target), "old");
    EXPECT_FALSE(PathExists(target + kTempSuffix));
  }
}

TEST(AtomicFileWriterTest, TemporaryIsBesideTheTargetAndReplacesIt) {
  ScratchDir dir;
  std::string target = dir.File("JWC_TEMP.TXT");
  FaultFileSystem spy;
  {
    ScopedFileSystem use(spy);
    ASSERT_TRUE(WriteInPieces(target, "abc", 3));
  }
  std::string temp = target + kTempSuffix;
  std::vector<std::string> expected = {"create " + temp,
                                       "replace " + temp + " " + target};
  EXPECT_EQ(spy.Log(), expected);
  EXPECT_EQ(spy.Calls().write, 1);  // one buffered write for small files
  EXPECT_EQ(spy.Calls().close, 1);
}

TEST(PlatformFilesTest, FoldersAndMissingFolders) {
  ScratchDir dir;
  FileSystem& fs = PlatformFiles();
  std::string folder = dir.File("sub");
  std::string missing = dir.File("no-such-folder") + "/f.txt";
  ASSERT_TRUE(fs.Create(dir.File("sub.tmp")) != nullptr);  // closes on exit
  ASSERT_TRUE(fs.Remove(dir.File("sub.tmp")));
  std::filesystem::create_directory(std::filesystem::u8path(folder));

  EXPECT_FALSE(fs.FileExists(folder));
  EXPECT_EQ(fs.OpenRead(folder), nullptr);
  EXPECT_EQ(fs.Create(folder), nullptr);
  EXPECT_FALSE(fs.Remove(folder));
  EXPECT_TRUE(PathExists(folder));

  EXPECT_FALSE(fs.FileExists(missing));
  EXPECT_EQ(fs.OpenRead(missing), nullptr);
  EXPECT_EQ(fs.Create(missing), nullptr);
  EXPECT_FALSE(fs.Remove(missing));
  EXPECT_FALSE(fs.Replace(missing, dir.File("x")));
  EXPECT_FALSE(fs.FileExists(dir.File("x")));
}

TEST(PlatformFilesTest, WriteIntoMissingFolderFailsAndCreatesNothing) {
  ScratchDir dir;
  std::string target = dir.File("gone") + "/JWC_TEMP.TXT";
  AtomicFileWriter w(target);
  EXPECT_FALSE(w.Open());
  EXPECT_FALSE(w.Write("x"));
  EXPECT_FALSE(w.Commit());
  EXPECT_FALSE(PathExists(dir.File("gone")));
}

TEST(PlatformFilesTest, TargetReplacedByFolderFailsAndLeavesNoTemporary) {
  ScratchDir dir;
  std::string target = dir.File("JWC_TEMP.TXT");
  std::filesystem::create_directory(std::filesystem::u8path(target));
  AtomicFileWriter w(target);
  ASSERT_TRUE(w.Open());
  ASSERT_TRUE(w.Write("hq\r\n"));
  EXPECT_FALSE(w.Commit());
  EXPECT_FALSE(PathExists(target + kTempSuffix));
  EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::u8path(target)));
}

TEST(PlatformFilesTest, JapaneseFolderNames) {
  ScratchDir dir;
  std::string folder =
      dir.File("\xE5\xA4\x96\xE9\x83\xA8\xE5\xA4\x89\xE5\xBD\xA2");
  std::filesystem::create_directory(std::filesystem::u8path(folder));
  std::string target = folder + "/t207.dat";
  ASSERT_TRUE(WriteInPieces(target, "1\r\n2\r\n", 2));
  FileSystem& fs = PlatformFiles();
  EXPECT_TRUE(fs.FileExists(target));
  std::unique_ptr<ReadStream> in = fs.OpenRead(target);
  ASSERT_NE(in, nullptr);
  char buf[16];
  EXPECT_EQ(in->Read(buf, sizeof buf), 6);
  EXPECT_EQ(in->Read(buf, sizeof buf), 0);
  in.reset();
  EXPECT_TRUE(fs.Remove(target));
  EXPECT_FALSE(fs.FileExists(target));
}

// --- LineReader ---------------------------------------------------------

// Hands out a string in pieces of at most `piece` bytes, failing with -1
// once `failAt` bytes were handed out (when failAt >= 0).
class StringStream : public ReadStream {
 public:
  StringStream(std::string s, size_t piece, long failAt = -1)
      : s_(std::move(s)), piece_(piece), failAt_(failAt) {}
  long Read(char* buffer, size_t size) override {
    if (failAt_ >= 0 && pos_ >= static_cast<size_t>(failAt_)) return -1;
    size_t n = std::min({size, piece_, s_.size() - pos_});
    if (failAt_ >= 0) n = std::min(n, static_cast<size_t>(failAt_) - pos_);
    std::memcpy(buffer, s_.data() + pos_, n);
    pos_ += n;
    return static_cast<long>(n);
  }

 private:
  std::string s_;
  size_t piece_;
  long failAt_;
  size_t pos_ = 0;
};

std::vector<std::string> ReadAll(ReadStream& in, bool* failed = nullptr) {
  LineReader r(in);
  std::vector<std::string> lines;
  std::string line;
  while (r.Next(line)) lines.push_back(line);
  if (failed != nullptr) *failed = r.Failed();
  EXPECT_FALSE(r.Next(line));  // stays at the end
  return lines;
}

TEST(LineReaderTest, SplitsAtLineFeedOnly) {
  using V = std::vector<std::string>;
  struct Case {
    std::string input;
    V lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\n", {"a"}},
      {"a\nb", {"a", "b"}},
      {"\n", {""}},
      {"\n\n", {"", ""}},
      {"a\r\nb\r\n", {"a\r", "b\r"}},
      {"a\rb\n", {"a\rb"}},
      {std::string("x\0y\n\x1A", 5), {std::string("x\0y", 3), "\x1A"}},
      {"\x83\x5C\n\x82\xA0", {"\x83\x5C", "\x82\xA0"}},
  };
  for (const Case& c : cases) {
    for (size_t piece : {size_t{1}, size_t{2}, size_t{1} << 20}) {
      SCOPED_TRACE("input '" + c.input + "' piece " + std::to_string(piece));
      StringStream in(c.input, piece);
      bool failed = true;
      EXPECT_EQ(ReadAll(in, &failed), c.lines);
      EXPECT_FALSE(failed);
    }
  }
}

TEST(LineReaderTest, LinesAcrossChunkBoundaries) {
  std::string input;
  std::vector<std::string> expected;
  for (int i = 0; i < 5000; ++i) {
    expected.push_back(std::string(static_cast<size_t>(i % 97), 'a' + i % 26));
    input += expected.back() + "\n";
  }
  StringStream in(input, 65536);
  EXPECT_EQ(ReadAll(in), expected);
}

TEST(LineReaderTest, OverlongLineIsCutAndTheRestDropped) {
  const size_t kMax = 1024 * 1024;
  std::string longLine = Pattern(3 * kMax + 17);
  std::replace(longLine.begin(), longLine.end(), '\n', 'n');
  for (bool withEnd : {true, false}) {
    SCOPED_TRACE(withEnd ? "with LF" : "at end of file");
    std::string input = "first\n" + longLine + (withEnd ? "\nlast\n" : "");
    StringStream in(input, 65536);
    std::vector<std::string> lines = ReadAll(in);
    ASSERT_EQ(lines.size(), withEnd ? 3u : 2u);
    EXPECT_EQ(lines[0], "first");
    EXPECT_EQ(lines[1], longLine.substr(0, kMax));
    if (withEnd) {
      EXPECT_EQ(lines[2], "last");
    }
  }
}

TEST(LineReaderTest, ReadErrorEndsWithFailed) {
  struct Case {
    long failAt;
    std::vector<std::string> lines;
  } cases[] = {
      {0, {}},
      {3, {"ab"}},
      {4, {"ab"}},  // the error hides whether "c" was a whole line
      {6, {"ab", "cd"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.failAt);
    StringStream in("ab\ncd\nef", 1, c.failAt);
    bool failed = false;
    EXPECT_EQ(ReadAll(in, &failed), c.lines);
    EXPECT_TRUE(failed);
  }
}

// --- the fault double itself ----------------------------------------------

TEST(FaultFileSystemTest, ReadFailsAfterBytesOnChosenPathsOnly) {
  ScratchDir dir;
  ASSERT_TRUE(WriteFileBytes(dir.File("a.txt"), "one\ntwo\nthree\n"));
  ASSERT_TRUE(WriteFileBytes(dir.File("b.txt"), "one\ntwo\nthree\n"));
  FaultFileSystem faults;
  faults.Fail(FaultFileSystem::kRead).AfterBytes(5).OnPaths("a.txt");
  bool failed = false;
  std::unique_ptr<ReadStream> a = faults.OpenRead(dir.File("a.txt"));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(ReadAll(*a, &failed), std::vector<std::string>{"one"});
  EXPECT_TRUE(failed);
  std::unique_ptr<ReadStream> b = faults.OpenRead(dir.File("b.txt"));
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(ReadAll(*b, &failed).size(), 3u);
  EXPECT_FALSE(failed);
  EXPECT_EQ(faults.OpenStreams(), 2);
  EXPECT_EQ(faults.Injected(), 1);
  EXPECT_EQ(faults.Calls().openRead, 2);
}

TEST(FaultFileSystemTest, SimpleFaultsAndSkips) {
  ScratchDir dir;
  std::string f = dir.File("f.txt");
  ASSERT_TRUE(WriteFileBytes(f, "x"));
  FaultFileSystem faults;
  faults.Fail(FaultFileSystem::kFileExists).Skip(1);
  EXPECT_TRUE(faults.FileExists(f));
  EXPECT_FALSE(faults.FileExists(f));
  faults.Fail(FaultFileSystem::kOpenRead);
  EXPECT_EQ(faults.OpenRead(f), nullptr);
  faults.Fail(FaultFileSystem::kRemove);
  EXPECT_FALSE(faults.Remove(f));
  EXPECT_TRUE(PathExists(f));
  faults.Fail(FaultFileSystem::kReplace).OnPaths("g.txt");
  EXPECT_FALSE(faults.Replace(f, dir.File("g.txt")));
  EXPECT_TRUE(PathExists(f));
  faults.Fail(FaultFileSystem::kNone);
  EXPECT_TRUE(faults.Replace(f, dir.File("g.txt")));
  EXPECT_EQ(ReadFileBytes(dir.File("g.txt")), "x");
  EXPECT_EQ(faults.Injected(), 4);
  EXPECT_EQ(faults.Calls().fileExists, 2);
  EXPECT_EQ(faults.Calls().replace, 2);
}

TEST(FaultFileSystemTest, FullDiskKeepsTheBytesBeforeTheLimit) {
  ScratchDir dir;
  FaultFileSystem faults;
  faults.Fail(FaultFileSystem::kWrite).AfterBytes(5);
  std::unique_ptr<WriteStream> out = faults.Create(dir.File("w.txt"));
  ASSERT_NE(out, nullptr);
  EXPECT_TRUE(out->Write("abc", 3));
  EXPECT_FALSE(out->Write("defg", 4));
  EXPECT_FALSE(out->Write("h", 1));
  EXPECT_TRUE(out->Close());
  EXPECT_EQ(ReadFileBytes(dir.File("w.txt")), "abcde");
  EXPECT_EQ(faults.Calls().write, 3);
}

}  // namespace
