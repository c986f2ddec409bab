// The preview: Shift-JIS to UTF-8, the settings file's chain, a run that drew
// nothing, the SVG of a small hand-written run, and the command line's
// errors.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "fault_file_system.h"
#include "interchange/jwc_reader.h"
#include "preview/preview_cli.h"
#include "preview/preview_scene.h"
#include "preview/sjis_utf8.h"
#include "preview/svg_render.h"
#include "test_support.h"

namespace {

TEST(PreviewText, SjisToUtf8) {
  struct Case {
    const char* sjis;
    const char* utf8;
  };
  const Case cases[] = {
      {"abc 1.5", "abc 1.5"},
      {"\x82\x54\x82\x4f", "５０"},  // full-width digits
      {"\x83\x6e\x83\x8b\x83\x4a\x83\x5b", "ハルカゼ"},
      {"\xb1\xb2", "ｱｲ"},        // half-width katakana
      {"mm\x81\x40x", "mm　x"},  // full-width blank
      {"a\x82", "a?"},           // lead byte without its partner
      {"\x85\x40z", "?z"},       // unassigned double-byte code
      {"\x80"
       "Az",
       "?z"},  // 0x80 takes the byte after it
      {"a\x01"
       "b\x7f",
       "a?b?"},  // control bytes
      {"\xfe\xff", "??"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SjisToUtf8(c.sjis), c.utf8) << c.sjis;
  }
}

TEST(PreviewText, ValidUtf8) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"runs/右", "runs/右"},       {"a\tb", "a\tb"},
      {"a\x82\x54", "a?T"},          // Shift-JIS bytes in a file name
      {"\xe5\x8f", "??"},            // cut sequence
      {"\xc0\xaf", "??"},            // overlong form of "/"
      {"\xed\xa0\x80", "???"},       // surrogate
      {"\xf4\x90\x80\x80", "????"},  // beyond U+10FFFF
      {"x\x01\x7f", "x??"},         {"\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80"},
  };
  for (const Case& c : cases) EXPECT_EQ(ValidUtf8(c.in), c.out) << c.in;
}

TEST(PreviewText, EscapeXml) {
  EXPECT_EQ(EscapeXml("a<b>&\"c'"), "a&lt;b&gt;&amp;&quot;c&apos;");
  EXPECT_EQ(EscapeXml("５０"), "５０");
}

TEST(PreviewChain, ReadsTheLastSevenLines) {
  ScratchDir dir;
  std::string lines;
  for (int n = 1; n <= 23; ++n) lines += "0\r\n";
  lines += "50\r\n30\r\n-1.5\r\n2\r\n150\r\n0\r\n1E-5\r\n20\r\n";
  ASSERT_TRUE(WriteFileBytes(dir.File("t207.dat"), lines));
  TPreviewChain c;
  ASSERT_TRUE(LoadPreviewChain(dir.File("t207.dat"), c));
  EXPECT_TRUE(c.Present);
  EXPECT_DOUBLE_EQ(c.Scale, 50);
  EXPECT_DOUBLE_EQ(c.AxisAngle, 30);
  EXPECT_DOUBLE_EQ(c.X1, -1.5);
  EXPECT_DOUBLE_EQ(c.Y1, 2);
  EXPECT_DOUBLE_EQ(c.X2, 150);
  EXPECT_DOUBLE_EQ(c.Y2, 0);
  EXPECT_DOUBLE_EQ(c.X3, 1e-5);
  EXPECT_DOUBLE_EQ(c.Y3, 20);
}

TEST(PreviewChain, ShortFileAndBadScale) {
  ScratchDir dir;
  // Ten lines only: the scale line is missing and becomes 1, like the tool.
  ASSERT_TRUE(
      WriteFileBytes(dir.File("t207.dat"), "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n"));
  TPreviewChain c;
  ASSERT_TRUE(LoadPreviewChain(dir.File("t207.dat"), c));
  EXPECT_DOUBLE_EQ(c.Scale, 1.0);
  EXPECT_DOUBLE_EQ(c.X2, 0.0);
  EXPECT_FALSE(LoadPreviewChain(dir.File("none.dat"), c));
  EXPECT_FALSE(c.Present);
}

TEST(PreviewScene, NothingDrawnOnlyForTheSingleLineHq) {
  struct Case {
    const char* bytes;
    bool nothing;
  };
  const Case cases[] = {
      {"hq\r\n", true},
      {"hq", true},
      {"hq\n\r\n\r", true},
      {"hq\r\r\n", true},
      {"", false},
      {"\r\nhq\r\n", false},
      {"hq\r\nhq\r\n", false},
      {"hq \r\n", false},
      {"hq\rx\r\n", false},
      {"lc2\r\n0 0 10 0\r\n", false},
  };
  ScratchDir dir;
  auto scene = std::make_unique<TPreviewScene>();
  std::string error;
  for (const Case& c : cases) {
    ASSERT_TRUE(WriteFileBytes(dir.File("JWC_TEMP.TXT"), c.bytes));
    ASSERT_TRUE(LoadPreviewScene(dir.Path(), "", *scene, error)) << error;
    EXPECT_EQ(scene->DrewNothing, c.nothing) << c.bytes;
  }
}

TEST(PreviewStyle, ColoursAndDashes) {
  EXPECT_EQ(PreviewColour(2), "#000000");
  EXPECT_EQ(PreviewColour(8), "#d01010");
  EXPECT_EQ(PreviewColour(0), "#000000");
  EXPECT_EQ(PreviewColour(42), "#000000");
  // Every colour 1..9 has its own entry except that 2 is black.
  for (int c = 1; c <= 9; ++c) {
    EXPECT_EQ(PreviewColour(c).size(), 7u);
    if (c != 2) {
      EXPECT_NE(PreviewColour(c), "#000000") << c;
    }
  }
  EXPECT_EQ(PreviewDashPixels(1), "");
  EXPECT_EQ(PreviewDashPixels(0), "");
  for (int t = 2; t <= 9; ++t) EXPECT_NE(PreviewDashPixels(t), "") << t;
  EXPECT_NE(PreviewDashPixels(5), PreviewDashPixels(7));
}

// A scene read from interchange lines given as UTF-8 (turned to Shift-JIS).
struct SvgTest : testing::Test {
  std::unique_ptr<TPreviewScene> scene = std::make_unique<TPreviewScene>();

  SvgTest() {
    InitJwwModel(scene->Drawn);
    InitJwwModel(scene->Before);
  }
  void Drawn(const std::vector<std::string>& lines) {
    for (const std::string& l : lines) ParseJwcLine(scene->Drawn, l);
  }
  std::string Render() { return RenderPreviewSvg(*scene); }

  // The pixel position of a drawing point under the drawing group's
  // transform.
  static void ToPixel(const std::string& svg, double x, double y, double& px,
                      double& py) {
    std::smatch m;
    const std::regex re(
        "id=\"drawing\" transform=\"matrix\\(([-0-9.e]+) 0 0 ([-0-9.e]+) "
        "([-0-9.e]+) ([-0-9.e]+)\\)");
    ASSERT_TRUE(std::regex_search(svg, m, re));
    px = std::stod(m[1]) * x + std::stod(m[3]);
    py = std::stod(m[2]) * y + std::stod(m[4]);
  }
  static size_t Count(const std::string& s, const std::string& what) {
    size_t n = 0;
    for (size_t p = s.find(what); p != std::string::npos;
         p = s.find(what, p + 1)) {
      ++n;
    }
    return n;
  }
};

TEST_F(SvgTest, SegmentsKeepDrawingCoordinatesAndFlipY) {
  Drawn({"lc8", "lt2", "0 0 100 50"});
  const std::string svg = Render();
  EXPECT_NE(svg.find("<line x1=\"0\" y1=\"0\" x2=\"100\" y2=\"50\" "
                     "stroke=\"#d01010\""),
            std::string::npos);
  EXPECT_NE(svg.find("stroke-dasharray"), std::string::npos);  // line type 2
  double ax, ay, bx, by;
  ToPixel(svg, 0, 0, ax, ay);
  ToPixel(svg, 100, 50, bx, by);
  EXPECT_LT(ax, bx);
  EXPECT_GT(ay, by);  // the higher point is nearer the top of the picture
  // Both ends lie inside the drawing, with a margin.
  const double width = std::stod(std::regex_replace(
      svg, std::regex("(?:.|\\n)*?<svg[^>]*width=\"([0-9.]+)\"(?:.|\\n)*"),
      "$1"));
  EXPECT_GT(ax, 10);
  EXPECT_LT(bx, width - 10);
  EXPECT_GT(by, 10);
}

TEST_F(SvgTest, OneMarkerGroupPerPointWithItsShape) {
  struct Case {
    int kind;
    const char* shape;
  };
  const Case cases[] = {
      {1,
       "<polygon points=\"0,0 -7.5,2 -7.5,-2\" stroke-linejoin=\"miter\" "
       "fill=\"none\""},
      {2, "<rect"},
      {3, "<circle r=\"1.25\" fill=\"none\""},
      {4, "<circle r=\"1\" fill=\"none\""},
      {5,
       "<rect x=\"-1.25\" y=\"-1.25\" width=\"2.5\" height=\"2.5\" "
       "fill=\"#"},
      {6, "<polygon points=\"0,0 -7.5,2 -7.5,-2\" fill=\"#"},
      {7, "<circle r=\"1\" fill=\"#"},
      {8, "<path d=\"M -1.77 0 C"},
      {9, "<polyline"},
      {10, "<line x1=\"-1.25\" y1=\"-1.25\" x2=\"1.25\" y2=\"1.25\""},
      {11, "<polygon"},
      {-3, "<path d=\"M -1 -1 L 1 1"},
  };
  for (const Case& c : cases) {
    scene = std::make_unique<TPreviewScene>();
    InitJwwModel(scene->Drawn);
    InitJwwModel(scene->Before);
    Drawn({"pn2", "pt 10 20 2 90 " + std::to_string(c.kind),
           "pt 30 20 2 270 " + std::to_string(c.kind)});
    const std::string svg = Render();
    EXPECT_EQ(Count(svg, "<g class=\"marker\""), 2u) << c.kind;
    const std::string head = "<g class=\"marker\" data-kind=\"" +
                             std::to_string(c.kind) +
                             "\" transform=\"translate(10 20) rotate(90) "
                             "scale(2)\">";
    const size_t at = svg.find(head);
    ASSERT_NE(at, std::string::npos) << c.kind;
    EXPECT_EQ(
        svg.compare(at + head.size(), std::string(c.shape).size(), c.shape), 0)
        << c.kind << ": " << svg.substr(at + head.size(), 80);
  }
}

TEST_F(SvgTest, MarkersAndTextsGrowWithTheGroupScale) {
  // Without a host file, the scale comes from the settings file.
  scene->Chain.Present = true;
  scene->Chain.Scale = 50;
  Drawn({"pt 0 0 2 0 7", "cn0 3 4 0 2", "ch 0 10 1 0 \"A"});
  const std::string svg = Render();
  EXPECT_NE(svg.find("scale(100)"), std::string::npos);         // 2 x 50
  EXPECT_NE(svg.find("font-size=\"200\""), std::string::npos);  // 4 x 50
  // With the host's file, its group scales win.
  scene->HaveBefore = true;
  scene->Drawn.GroupScale[0] = 20;
  const std::string host = Render();
  EXPECT_NE(host.find("scale(40)"), std::string::npos);
  EXPECT_NE(host.find("font-size=\"80\""), std::string::npos);
}

TEST_F(SvgTest, TextsAreUtf8UprightAlongTheirDirection) {
  // cs 5 6 0 1 "５０ <&> : a text going straight up, the free text type.
  Drawn({"cn0 2 2.5 0 3", "cs 5 6 0 1 \"\x82\x54\x82\x4f <&>"});
  const std::string svg = Render();
  EXPECT_NE(svg.find(">５０ &lt;&amp;&gt;</text>"), std::string::npos) << svg;
  // Turned by 90 degrees, squeezed to width/height 0.8, y flipped back:
  // matrix(0.8 cos, 0.8 sin, sin, -cos, x, y).
  EXPECT_NE(svg.find("<text transform=\"matrix(4.898587197e-17 0.8 1 "
                     "-6.123233996e-17 5 6)\" font-size=\"2.5\" "
                     "fill=\"#008a00\""),
            std::string::npos)
      << svg;
  EXPECT_NE(svg.find("font-family=\"IPAGothic, IPAexGothic, sans-serif\""),
            std::string::npos);
}

TEST_F(SvgTest, SpacedTextsPutEachCharacterWhereTheHostDoes) {
  // Width 3, spacing 0.5: a double-byte character advances 3.5, a
  // single-byte one 1.75; the width/height squeeze (3/2) is undone in x.
  Drawn({"cn0 3 2 0.5 2",
         "ch 0 0 1 0 \"a\x82\x54"
         "b&"});
  const std::string svg = Render();
  EXPECT_NE(svg.find("<tspan x=\"0\">a</tspan><tspan x=\"1.166666667\">５"
                     "</tspan><tspan x=\"3.5\">b</tspan><tspan "
                     "x=\"4.666666667\">&amp;</tspan></text>"),
            std::string::npos)
      << svg;
}

TEST_F(SvgTest, DimensionFigureIsLinePlusText) {
  Drawn({"msg", "0 0 100 0", "cs 50 5 1 0 \"100"});
  const std::string svg = Render();
  EXPECT_NE(svg.find("<line x1=\"0\" y1=\"0\" x2=\"100\" y2=\"0\""),
            std::string::npos);
  EXPECT_NE(svg.find(">100</text>"), std::string::npos);
  EXPECT_NE(svg.find("0 segments, 0 markers, 0 texts, 1 dimension figure"),
            std::string::npos);
}

TEST_F(SvgTest, ContextChainAndPickedPoints) {
  scene->Chain.Present = true;
  scene->Chain.X2 = 150;
  scene->Chain.X3 = 0;
  scene->Chain.Y3 = 20;
  scene->HaveBefore = true;
  ParseJwcLine(scene->Before, "hp1- 150 0");
  ParseJwcLine(scene->Before, "hp2 110 40");
  Drawn({"100 20 150 20"});
  const std::string svg = Render();
  EXPECT_EQ(Count(svg, "class=\"chain\""), 2u);
  // The chain's dimension line runs through the level point.
  EXPECT_NE(svg.find("class=\"chain\" x1=\"0\" y1=\"20\" x2=\"150\" "
                     "y2=\"20\""),
            std::string::npos);
  EXPECT_EQ(Count(svg, "<g class=\"chain-point\">"), 3u);
  EXPECT_EQ(Count(svg, "<g class=\"pick\">"), 2u);
  EXPECT_NE(svg.find(">P1</text>"), std::string::npos);
  EXPECT_NE(svg.find(">P2</text>"), std::string::npos);
  EXPECT_NE(svg.find("host&apos;s exact marker shapes may differ"),
            std::string::npos);
}

TEST_F(SvgTest, LegendRowsWrapWithinTheCanvas) {
  // Eleven marker codes, a text and no context make the longest legend.
  std::vector<std::string> lines = {"ch 0 0 1 0 \"x"};
  for (int kind = 1; kind <= 11; ++kind) {
    // In a column, so that the canvas has its narrowest width.
    lines.push_back("pt 0 " + std::to_string(10 * kind) + " 1 0 " +
                    std::to_string(kind));
  }
  Drawn(lines);
  const std::string svg = Render();
  const std::string legend = svg.substr(svg.find("<g class=\"legend\""));
  std::smatch m;
  ASSERT_TRUE(
      std::regex_search(svg, m, std::regex("<svg[^>]* width=\"([0-9.]+)\"")));
  const double width = std::stod(m[1]);
  const std::regex text("<text x=\"([0-9.]+)\" y=\"([0-9.]+)\"[^>]*>([^<]*)<");
  std::set<std::pair<double, double>> seen;
  size_t count = 0;
  for (auto it = std::sregex_iterator(legend.begin(), legend.end(), text);
       it != std::sregex_iterator(); ++it, ++count) {
    const double x = std::stod((*it)[1]), y = std::stod((*it)[2]);
    EXPECT_TRUE(seen.insert({x, y}).second) << (*it)[3];  // no overprinting
    // Fixed pitch: at most 14 pixels a character.
    EXPECT_LE(x + 7.0 * (*it)[3].length(), width) << (*it)[3];
  }
  EXPECT_GE(count, 15u);  // summary, markers:, eleven codes, context, notes
  EXPECT_EQ(Count(legend, "class=\"legend-marker\""), 11u);
}

TEST_F(SvgTest, NothingDrawnStillMakesAPicture) {
  scene->DrewNothing = true;
  Drawn({"hq"});
  const std::string svg = Render();
  EXPECT_NE(svg.find("the tool drew nothing"), std::string::npos);
  EXPECT_NE(svg.find("</svg>"), std::string::npos);
  EXPECT_EQ(svg.find("nan"), std::string::npos);
  EXPECT_EQ(svg.find("inf"), std::string::npos);
}

// The command line, run in-process.
struct CliTest : testing::Test {
  ScratchDir dir;
  std::ostringstream out, err;
  int Run(const std::vector<std::string>& args) {
    out.str("");
    err.str("");
    return RunPreview(args, out, err);
  }
  void MakeRun() {
    ASSERT_TRUE(WriteFileBytes(dir.File("JWC_TEMP.TXT"),
                               "lc2\r\nz3\r\n0 0 10 0\r\n"
                               "pt 0 0 1 180 1\r\n"));
  }
};

TEST_F(CliTest, UsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"folder"},
      {"folder", "-o"},
      {"folder", "-o", "out.pdf"},
      {"folder", "-o", "a.svg", "-o", "b.svg"},
      {"folder", "other", "-o", "a.svg"},
      {"folder", "-o", "a.svg", "--colour"},
      {"folder", "-o", "a.svg", "--before"},
  };
  for (const auto& args : cases) {
    EXPECT_EQ(Run(args), kPreviewUsageError) << args.size();
    EXPECT_NE(err.str().find("usage: t482-preview"), std::string::npos);
  }
  EXPECT_EQ(Run({"--help"}), kPreviewOk);
  EXPECT_NE(out.str().find("--before"), std::string::npos);
}

TEST_F(CliTest, UnreadableInputs) {
  const std::string svg = dir.File("out.svg");
  EXPECT_EQ(Run({dir.File("missing"), "-o", svg}), kPreviewInputError);
  EXPECT_NE(err.str().find("no such folder"), std::string::npos);
  // A folder without the interchange file.
  EXPECT_EQ(Run({dir.Path(), "-o", svg}), kPreviewInputError);
  EXPECT_NE(err.str().find("cannot read JWC_TEMP.TXT"), std::string::npos);
  MakeRun();
  EXPECT_EQ(Run({dir.Path(), "-o", svg, "--before", dir.File("nope.txt")}),
            kPreviewInputError);
  EXPECT_NE(err.str().find("nope.txt"), std::string::npos);
  {
    // Read through the file layer: a file it cannot open is not there.
    FaultFileSystem faults;
    faults.Fail(FaultFileSystem::kOpenRead).OnPaths("JWC_TEMP.TXT");
    ScopedFileSystem use(faults);
    EXPECT_EQ(Run({dir.Path(), "-o", svg}), kPreviewInputError);
    EXPECT_NE(err.str().find("cannot read JWC_TEMP.TXT"), std::string::npos);
  }
  // An output that cannot be created.
  EXPECT_EQ(Run({dir.Path(), "-o", dir.File("no/such/out.svg")}),
            kPreviewInputError);
  EXPECT_FALSE(PathExists(svg));
}

TEST_F(CliTest, WritesTheSvg) {
  MakeRun();
  const std::string svg = dir.File("out.svg");
  EXPECT_EQ(Run({dir.Path(), "-o", svg}), kPreviewOk) << err.str();
  const std::string bytes = ReadFileBytes(svg);
  EXPECT_EQ(bytes.rfind("<?xml", 0), 0u);
  EXPECT_NE(bytes.find("<g class=\"marker\" data-kind=\"1\""),
            std::string::npos);
  // No settings file: said on stderr, and in the legend.
  EXPECT_NE(err.str().find("no t207.dat"), std::string::npos);
}

TEST_F(CliTest, WritesAPngThroughRsvgConvert) {
  const char* path = std::getenv("PATH");
  if (FindOnPath("rsvg-convert", path ? path : "").empty()) {
    GTEST_SKIP() << "rsvg-convert is not installed";
  }
  MakeRun();
  // A blank in the name: the converter is run without a shell.
  const std::string png = dir.File("out put.png");
  EXPECT_EQ(Run({dir.Path(), "-o", png}), kPreviewOk) << err.str();
  EXPECT_EQ(ReadFileBytes(png).substr(0, 8), "\x89PNG\r\n\x1a\n");
  // The files on the way are gone.
  EXPECT_FALSE(PathExists(png + ".tmp.svg"));
  EXPECT_FALSE(PathExists(png + ".tmp.png"));
}

// A failed write leaves the old picture as it was and no temporary file:
// the file layer failing at each step, and (for a PNG) a converter that
// writes half a file and fails, or succeeds but cannot replace the output.
TEST_F(CliTest, AFailedWriteLeavesTheOldPicture) {
  struct Case {
    const char* output;
    FaultFileSystem::Fault fault;
    const char* on;         // the paths the fault strikes
    const char* converter;  // the body of a stand-in rsvg-convert
  };
  const char* const converts = "printf '\\211PNG' > \"$4\"\n";
  const char* const fails = "printf half > \"$4\"\nexit 1\n";
  const Case cases[] = {
      // A folder that cannot be written, a full disk.
      {"out.svg", FaultFileSystem::kCreate, "", nullptr},
      {"out.svg", FaultFileSystem::kWrite, "", nullptr},
      {"out.svg", FaultFileSystem::kClose, "", nullptr},
      {"out.svg", FaultFileSystem::kReplace, "", nullptr},
      {"out.png", FaultFileSystem::kCreate, "", converts},
      {"out.png", FaultFileSystem::kNone, "", fails},
      {"out.png", FaultFileSystem::kReplace, ".tmp.png", converts},
  };
  MakeRun();
  ScratchDir bin;
  const std::string tool = bin.File("rsvg-convert");
  // PATH names the stand-in's folder alone until the test ends, however it
  // ends.
  struct RestorePath {
    std::string old;
    ~RestorePath() { setenv("PATH", old.c_str(), 1); }
  };
  const char* path = std::getenv("PATH");
  const RestorePath restore{path ? path : ""};
  ASSERT_EQ(setenv("PATH", bin.Path().c_str(), 1), 0);
  for (const Case& c : cases) {
    const std::string out = dir.File(c.output);
    ASSERT_TRUE(WriteFileBytes(out, "old"));
    if (c.converter != nullptr) {
      ASSERT_TRUE(
          WriteFileBytes(tool, std::string("#!/bin/sh\n") + c.converter));
      ASSERT_EQ(chmod(tool.c_str(), 0755), 0);
    }
    const std::string row = std::string(c.output) + " fault " +
                            std::to_string(c.fault) + " " +
                            (c.converter ? c.converter : "");
    FaultFileSystem faults;
    faults.Fail(c.fault).AfterBytes(100).OnPaths(c.on);
    ScopedFileSystem use(faults);
    EXPECT_EQ(Run({dir.Path(), "-o", out}), kPreviewInputError) << row;
    EXPECT_NE(err.str().find("t482-preview: cannot write " + out),
              std::string::npos)
        << row << ": " << err.str();
    EXPECT_EQ(ReadFileBytes(out), "old") << row;
    std::set<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
      left.insert(e.path().filename().string());
    }
    EXPECT_EQ(left, (std::set<std::string>{"JWC_TEMP.TXT", c.output})) << row;
    std::remove(out.c_str());
  }
}

TEST(PreviewPath, FindOnPath) {
  ScratchDir dir;
  const std::string tool = dir.File("conv");
  ASSERT_TRUE(WriteFileBytes(tool, "#!/bin/sh\n"));
  ASSERT_TRUE(WriteFileBytes(dir.File("plain"), "x"));
  ASSERT_EQ(std::system(("chmod +x '" + tool + "'").c_str()), 0);
  std::string folder = dir.Path();
  folder.pop_back();
  EXPECT_EQ(FindOnPath("conv", "/nonexistent:" + folder), folder + "/conv");
  EXPECT_EQ(FindOnPath("plain", folder), "");  // not executable
  EXPECT_EQ(FindOnPath("conv", "/nonexistent"), "");
  EXPECT_EQ(FindOnPath("conv", ""), "");
}

}  // namespace
