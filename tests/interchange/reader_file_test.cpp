// Reading whole files: existence, line ends, Ctrl-Z, chunk boundaries, input
// errors, very long lines, and the host's own files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "interchange/jwc_reader.h"
#include "interchange/jww_model.h"
#include "support/file_system.h"
#include "test_support.h"

namespace {

// Files held in memory. Each Read hands out at most `chunk` bytes; a file can
// fail with an input error once `failAt` bytes have been read.
class MemoryFiles : public FileSystem {
 public:
  struct File {
    std::string bytes;
    size_t failAt = std::string::npos;
  };
  std::map<std::string, File> files;
  size_t chunk = 1 << 20;
  bool refuseOpen = false;
  int opens = 0;

  bool FileExists(const std::string& path) override {
    return files.count(path) != 0;
  }
  std::unique_ptr<ReadStream> OpenRead(const std::string& path) override {
    ++opens;
    auto it = files.find(path);
    if (refuseOpen || it == files.end()) return nullptr;
    return std::make_unique<Stream>(it->second, chunk);
  }
  std::unique_ptr<WriteStream> Create(const std::string&) override {
    return nullptr;
  }
  bool Replace(const std::string&, const std::string&) override {
    return false;
  }
  bool Remove(const std::string&) override { return false; }

 private:
  class Stream : public ReadStream {
   public:
    Stream(const File& f, size_t chunk) : file_(f), chunk_(chunk) {}
    long Read(char* buffer, size_t size) override {
      if (pos_ >= file_.failAt) return -1;
      size_t n = std::min({size, chunk_, file_.bytes.size() - pos_});
      if (file_.failAt != std::string::npos) {
        n = std::min(n, file_.failAt - pos_);
      }
      std::memcpy(buffer, file_.bytes.data() + pos_, n);
      pos_ += n;
      return static_cast<long>(n);
    }

   private:
    const File& file_;
    size_t chunk_;
    size_t pos_ = 0;
  };
};

struct ReaderFileTest : testing::Test {
  JwwModel m;
  MemoryFiles files;
  ScopedFileSystem scope{files};
  ReaderFileTest() { InitJwwModel(m); }
  bool Read(const std::string& bytes) {
    files.files["JWC_TEMP.TXT"].bytes = bytes;
    return ReadJwcTemp(m, "JWC_TEMP.TXT");
  }
  std::vector<double> LineStarts() const {
    std::vector<double> xs;
    for (int32_t i = 0; i < m.Lines.Count(); ++i) xs.push_back(m.Lines[i].X1);
    return xs;
  }
};

TEST_F(ReaderFileTest, LineEndsAtEveryChunkBoundary) {
  const struct {
    const char* name;
    std::string bytes;
    std::vector<double> lines;
  } cases[] = {
      {"LF", "1 0 0 0\n2 0 0 0\n", {1, 2}},
      {"CR LF", "1 0 0 0\r\n2 0 0 0\r\n", {1, 2}},
      {"no line end at the end", "1 0 0 0\n2 0 0 0", {1, 2}},
      {"no line end, CR at the end", "1 0 0 0\r\n2 0 0 0\r", {1, 2}},
      {"lone CR is dropped inside a line", "1 0\r 0 0\n", {1}},
      {"lone CR does not end a line", "1 0 0 0\r2 0 0 0\n", {}},
      {"CR CR LF", "1 0 0 0\r\r\n3 0 0 0", {1, 3}},
      {"blank lines", "\n\r\n\n4 0 0 0\n\n", {4}},
      {"Ctrl-Z ends the file",
       "1 0 0 0\n\x1a"
       "2 0 0 0\n",
       {1}},
      {"Ctrl-Z inside a line", "1 0 0 0\n2 0 0 0\x1a\n3 0 0 0\n", {1, 2}},
      {"Ctrl-Z first",
       "\x1a"
       "1 0 0 0\n",
       {}},
      {"empty file", "", {}},
      {"long line across chunks",
       "5 0 0 0" + std::string(3000, ' ') + "\n6 0 0 0",
       {6}},
      {"NUL bytes are dropped", std::string("7 0 0\0 0\n", 9), {7}},
      {"CRs in lines longer than the scan's blocks",
       "8 0\r 0" + std::string(40, ' ') + "0\r\r\n9 0 0 0" +
           std::string(20, '\r') + "\n\r\r\x1a",
       {8, 9}},
  };
  // Chunks shorter than, just over and several times the scan's 16 bytes.
  for (size_t chunk : {size_t{1}, size_t{2}, size_t{3}, size_t{7}, size_t{17},
                       size_t{40}, size_t{1} << 20}) {
    files.chunk = chunk;
    for (const auto& c : cases) {
      InitJwwModel(m);
      EXPECT_TRUE(Read(c.bytes)) << c.name << ", chunk " << chunk;
      EXPECT_EQ(LineStarts(), c.lines) << c.name << ", chunk " << chunk;
    }
  }
}

TEST_F(ReaderFileTest, CrAndLeadBytesInTexts) {
  const struct {
    std::string bytes;
    std::string text;
  } cases[] = {
      {"ch 0 0 1 0 \"a\rb c\r\n", "ab c"},
      // The CR before LF is not a trail byte: the lead byte is last.
      {"ch 0 0 1 0 \"ab\x82\r\n", "ab"},
      {"ch 0 0 1 0 \"ab\x82\r\x60\r\n", "ab\x82\x60"},
      {"ch 0 0 1 0 \"\x82\xa0\x82\xa2", "\x82\xa0\x82\xa2"},
  };
  for (size_t chunk : {size_t{1}, size_t{4}, size_t{1} << 20}) {
    files.chunk = chunk;
    for (const auto& c : cases) {
      InitJwwModel(m);
      EXPECT_TRUE(Read(c.bytes));
      ASSERT_EQ(m.Texts.Count(), 1) << c.bytes;
      EXPECT_EQ(m.Texts[0].Text, c.text) << c.bytes << ", chunk " << chunk;
    }
  }
}

TEST_F(ReaderFileTest, MissingFileLeavesTheModelAlone) {
  m.AxisAngle = 12;
  EXPECT_FALSE(ReadJwcTemp(m, "nothing.txt"));
  EXPECT_EQ(files.opens, 0);
  EXPECT_EQ(m.AxisAngle, 12);

  files.files["x.txt"].bytes = "hk 30\n";
  files.refuseOpen = true;
  EXPECT_FALSE(ReadJwcTemp(m, "x.txt"));
  EXPECT_EQ(m.AxisAngle, 12);
}

TEST_F(ReaderFileTest, InputErrorKeepsWhatWasParsed) {
  const std::string bytes = "hk 30\n1 0 0 0\n2 0 0 0\n3 0 0 0\n";
  const struct {
    size_t failAt;
    std::vector<double> lines;
  } cases[] = {
      {0, {}},      {6, {}},
      {13, {}},  // the line "1 0 0 0" without its LF is not parsed
      {14, {1}},    {20, {1}},
      {22, {1, 2}},
  };
  for (size_t chunk : {size_t{1}, size_t{5}, size_t{1} << 20}) {
    files.chunk = chunk;
    for (const auto& c : cases) {
      InitJwwModel(m);
      files.files["JWC_TEMP.TXT"] = {bytes, c.failAt};
      EXPECT_FALSE(ReadJwcTemp(m, "JWC_TEMP.TXT")) << c.failAt;
      EXPECT_EQ(LineStarts(), c.lines) << c.failAt << ", chunk " << chunk;
      EXPECT_EQ(m.AxisAngle, c.failAt >= 6 ? 30 : 0) << c.failAt;
    }
  }
}

TEST_F(ReaderFileTest, VeryLongLinesAreReadWhole) {
  const std::string name(3 << 20, 'n');
  std::string bytes = "BL 1 2 " + name + "\r\nch 0 0 1 0 \"";
  bytes += std::string(5 << 20, 'x') + "\r\n" + "hk 7";
  files.chunk = 1 << 20;
  EXPECT_TRUE(Read(bytes));
  ASSERT_EQ(m.Blocks.Count(), 1);
  EXPECT_EQ(m.Blocks[0].Name.size(), name.size());
  ASSERT_EQ(m.Texts.Count(), 1);
  EXPECT_EQ(m.Texts[0].Text, std::string(255, 'x'));
  EXPECT_EQ(m.AxisAngle, 7);
}

TEST(ReaderPlatformFiles, ReadsAFileFromDiskAndRefusesAMissingOne) {
  ScratchDir dir;
  ASSERT_TRUE(WriteFileBytes(dir.File("JWC_TEMP.TXT"),
                             "hq\r\nhk 45\r\nhp1- 10 20\r\n0 0 5 5\r\n"));
  JwwModel m;
  InitJwwModel(m);
  EXPECT_TRUE(ReadJwcTemp(m, dir.File("JWC_TEMP.TXT")));
  EXPECT_EQ(m.AxisAngle, 45);
  EXPECT_EQ(m.HpPoints[1].PickKind, 1);
  EXPECT_EQ(m.Lines.Count(), 1);
  EXPECT_FALSE(ReadJwcTemp(m, dir.File("missing.txt")));
  EXPECT_FALSE(ReadJwcTemp(m, dir.Path()));  // a folder is no file
}

// ---- the host's own files --------------------------------------------------

std::string Sample(const char* name) {
  return std::string(T482_SAMPLES_DIR) + "/" + name + ".JWC_TEMP.TXT";
}

struct SampleTest : testing::Test {
  JwwModel m;
  void ReadSample(const char* name) {
    InitJwwModel(m);
    ASSERT_TRUE(ReadJwcTemp(m, Sample(name))) << name;
  }
  void ExpectPoint(int k, int32_t kind, double x, double y) {
    EXPECT_EQ(m.HpPoints[k].Used, 1) << k;
    EXPECT_EQ(m.HpPoints[k].PickKind, kind) << k;
    EXPECT_EQ(m.HpPoints[k].X, x) << k;
    EXPECT_EQ(m.HpPoints[k].Y, y) << k;
  }
};

// What every host file here shares: the header and a font record.
TEST_F(SampleTest, EverySampleReadsItsHeaderAndFont) {
  const struct {
    const char* name;
    double scale0, scale1;
    int32_t group, layer, textType, hpCount;
  } cases[] = {
      {"fuji_header_only", 250, 250, 2, 6, 3, 0},
      {"fuji_points_4", 250, 250, 2, 6, 3, 4},
      {"fuji_points_10", 250, 250, 2, 6, 3, 10},
      {"fuji_scale600_hn", 600, 600, 1, 7, 3, 4},
      {"fuji_exponent_cn0", 500, 1e6, 0, 0, 0, 2},
      {"fuji_cn10_scale500", 500, 250, 0, 0, 10, 7},
      {"scarab_plan_head_excerpt", 100, 100, 0, 14, 3, 0},
  };
  for (const auto& c : cases) {
    ReadSample(c.name);
    EXPECT_EQ(m.AxisAngle, 0) << c.name;
    EXPECT_EQ(m.GroupScale[0], c.scale0) << c.name;
    EXPECT_EQ(m.GroupScale[1], c.scale1) << c.name;
    EXPECT_EQ(m.GroupScale[15], c.scale1) << c.name;
    EXPECT_EQ(m.InitGroup, c.group) << c.name;
    EXPECT_EQ(m.InitLayer, c.layer) << c.name;
    EXPECT_EQ(m.InitColour, c.name[0] == 's' ? 4 : 2) << c.name;
    EXPECT_EQ(m.InitTextType, c.textType) << c.name;
    EXPECT_EQ(m.HpCount, c.hpCount) << c.name;
    EXPECT_EQ(m.InitFont, kJwwDefaultFont) << c.name;
    EXPECT_EQ(m.CurFont, kJwwDefaultFont) << c.name;
    EXPECT_EQ(m.FileName, "") << c.name;
    EXPECT_FALSE(m.PolylineMode) << c.name;
    EXPECT_FALSE(m.DimMode) << c.name;
  }
}

TEST_F(SampleTest, Scale600WithHnValues) {
  ReadSample("fuji_scale600_hn");
  for (double s : m.GroupScale) EXPECT_EQ(s, 600);
  EXPECT_EQ(m.HnValues[0], -190002.623126338);
  EXPECT_EQ(m.HnValues[1], -23419.7537473233);
  EXPECT_EQ(m.HnValues[2], -168633.886509636);
  EXPECT_EQ(m.HnValues[3], 18978.5331905782);
  EXPECT_EQ(m.TextTypes[9].Width, 1.5);
  EXPECT_EQ(m.TextTypes[9].Spacing, 0);
  EXPECT_EQ(m.TextTypes[9].Colour, 1);
  EXPECT_EQ(m.TextTypes[3].Spacing, 0.5);
  EXPECT_EQ(m.TextTypes[10].Height, 3);
  ExpectPoint(1, 1, -90984.2577738658, 21250.5480255399);
  ExpectPoint(2, 0, -90995.1218173337, -20933.3197822926);
  ExpectPoint(3, 1, -66133.2128935894, -20082.9436885913);
  ExpectPoint(4, 0, -66134.171796393, 17849.7297147183);
  EXPECT_EQ(m.InitLineType, 1);
  EXPECT_EQ(m.EntOrder.Count(), 0);
}

TEST_F(SampleTest, ExponentsAndTheFreeTextSize) {
  ReadSample("fuji_exponent_cn0");
  EXPECT_EQ(m.GroupScale[0], 500);
  EXPECT_EQ(m.GroupScale[8], 1000000);
  EXPECT_EQ(m.InitTextWidth, 3.5);
  EXPECT_EQ(m.InitTextHeight, 3.5);
  EXPECT_EQ(m.InitTextSpacing, 0);
  EXPECT_EQ(m.InitTextColour, 2);
  ExpectPoint(1, 1, -44948.9239307439, 59222.2954013238);
  ExpectPoint(2, 0, 36090.3202553026, 59222.2954013238);
}

TEST_F(SampleTest, PointsUpToTwelve) {
  ReadSample("fuji_points_10");
  EXPECT_EQ(m.HpPoints[1].Used, 0);
  EXPECT_EQ(m.HpPoints[2].Used, 0);
  ExpectPoint(3, 1, -39902.7596123089, -21231.6354329471);
  ExpectPoint(10, 1, -26027.7596123089, 1935.36456705287);
  ExpectPoint(12, 1, -39902.7596123089, -21231.6354329471);
  EXPECT_EQ(m.HpPoints[13].Used, 0);

  ReadSample("fuji_cn10_scale500");
  ExpectPoint(4, 0, 17488.029324678, 27572.5384565112);
  ExpectPoint(9, 1, 8234.02932467943, -12529.4615434792);
  EXPECT_EQ(m.HpPoints[1].Used, 0);
}

TEST_F(SampleTest, FloorPlanHead) {
  ReadSample("scarab_plan_head_excerpt");
  EXPECT_EQ(m.InitLineType, 5);
  EXPECT_EQ(m.TextTypes[10].Width, 12);
  EXPECT_EQ(m.TextTypes[1].Colour, 6);
  EXPECT_EQ(m.HnValues[3], 11878.1613487645);
  EXPECT_EQ(m.CurLayer, 10);  // "lya"
  ASSERT_EQ(m.Lines.Count(), 12);
  EXPECT_EQ(m.EntOrder.Count(), 12);
  const TJwwEntLine& first = m.Lines[0];
  EXPECT_EQ(first.X1, -58.090169679309);
  EXPECT_EQ(first.Y2, -5252.56916662819);
  EXPECT_EQ(first.Head.Layer, 8);
  EXPECT_EQ(first.Head.Colour, 1);
  EXPECT_EQ(first.Head.LineType, 2);
  EXPECT_EQ(first.PolylineNo, 0);
  const TJwwEntLine& last = m.Lines[11];
  EXPECT_EQ(last.Head.Layer, 10);
  EXPECT_EQ(last.Head.Colour, 3);
  EXPECT_EQ(last.Head.LineType, 1);
}

TEST_F(SampleTest, FloorPlanTail) {
  ReadSample("scarab_plan_tail_excerpt");
  // Polylines: each "pl" numbers the lines up to the next "lc".
  ASSERT_GE(m.Lines.Count(), 6);
  EXPECT_EQ(m.PolylineCount, 6);
  EXPECT_EQ(m.Lines[0].PolylineNo, 1);
  EXPECT_EQ(m.Lines[1].PolylineNo, 1);
  EXPECT_EQ(m.Lines[2].PolylineNo, 2);
  EXPECT_EQ(m.Lines[5].PolylineNo, 2);
  EXPECT_EQ(m.Lines[6].PolylineNo, 3);
  EXPECT_EQ(m.Lines[m.Lines.Count() - 1].PolylineNo, 0);

  ASSERT_GT(m.CirclesEx.Count(), 0);
  EXPECT_EQ(m.CirclesEx[0].N1, -3656.34336825142);
  EXPECT_EQ(m.CirclesEx[0].N7, 74.9706878662109);
  ASSERT_GT(m.Circles.Count(), 0);
  EXPECT_EQ(m.Circles[0].R, 367.458962105416);
  ASSERT_GT(m.Points.Count(), 0);
  EXPECT_EQ(m.Points[0].Head.Colour, 6);  // "pn6"
  EXPECT_EQ(m.Dims.Count(), 0);

  // The first text: "cs ... -3.2783543701953e-005 749.999999999999 "1,820".
  ASSERT_GT(m.Texts.Count(), 0);
  const TJwwEntText& t = m.Texts[0];
  EXPECT_EQ(t.TextKind, 2);
  EXPECT_EQ(t.TextType, 4);
  EXPECT_EQ(t.DX, -3.2783543701953e-005);
  EXPECT_EQ(t.DY, 749.999999999999);
  EXPECT_EQ(t.Text, "1,820");
  EXPECT_EQ(t.Width, 3);  // no "hcw" in this excerpt: the default
  bool sawCeiling = false, sawKatakana = false;
  for (int32_t i = 0; i < m.Texts.Count(); ++i) {
    sawCeiling |= m.Texts[i].Text == "ch=2500";
    sawKatakana |= m.Texts[i].Text == "\xb6\xb3\xdd\xc0\xb0";  // ｶｳﾝﾀｰ
  }
  EXPECT_TRUE(sawCeiling);
  EXPECT_TRUE(sawKatakana);

  const int32_t sum = m.Lines.Count() + m.Circles.Count() +
                      m.CirclesEx.Count() + m.Texts.Count() + m.Points.Count();
  EXPECT_EQ(m.EntOrder.Count(), sum);
}

}  // namespace
