// Whole runs (show, OK once, close) on odd and hostile files: numbers out of
// range, huge and tiny coordinates and scales, settings files of garbage,
// thousands of lines, megabyte lines, CR-only line ends. Whatever the input,
// the run ends, both files are either as the tool writes them or left as
// they were, and no infinity or NaN reaches a file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "fuzz/fuzz_checks.h"
#include "fuzz/settings_target.h"
#include "test_support.h"
#include "tool/form.h"
#include "tool/headless_port.h"
#include "tool/texts.h"

namespace {

// The host file and settings of a run that draws: chain (100, 20)-(0, 20),
// new point (175, 0), value text at (130, 40).
const std::string kHost = fuzz::kSettingsHostFile;
const std::vector<std::string> kDrawingSettings = {
    "194", "107", "0", "0",  "3", "3",   "2", "1", "",  "",  "0.5",
    "2",   "2",   "3", "15", "2", "0",   "1", "0", "1", "0", "1",
    "0",   "1",   "0", "0",  "0", "100", "0", "0", "20"};

// The settings with some lines (numbered from 1) replaced.
std::string SettingsWith(std::vector<std::pair<int, std::string>> changes) {
  std::vector<std::string> lines = kDrawingSettings;
  for (const auto& c : changes) lines[c.first - 1] = c.second;
  return Crlf(lines);
}

// How the OK press ends. Unusable: the chain overflows at this scale; the
// zero-length message is shown before anything is saved.
enum class Ends { Drawn, Focus, Inside, Unusable };

struct RunCase {
  const char* name;
  std::string hostExtra;  // appended to the host file
  std::function<std::string()> settings;
  Ends ends;
  ControlId focus = ControlId::Button1;  // for Ends::Focus
};

std::string Pattern(size_t n) {  // deterministic binary garbage
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i)
    s[i] = static_cast<char>((i * 37 + i / 7) & 0xFF);
  return s;
}

const RunCase kCases[] = {
    {"plain run", "", [] { return Crlf(kDrawingSettings); }, Ends::Drawn},
    // Picked points far out and very close to the origin.
    {"picked points at 1e300", "hp1 1e300 0\r\nhp2 -1e300 1e300\r\n",
     [] { return Crlf(kDrawingSettings); }, Ends::Drawn},
    {"picked points at 1e-300", "hp1 1e-300 0\r\nhp2 0 1e-300\r\n",
     [] { return Crlf(kDrawingSettings); }, Ends::Inside},
    {"out-of-range numbers as points", "hp1 1e999 -0\r\nhp2 nan inf\r\n",
     [] { return Crlf(kDrawingSettings); }, Ends::Inside},
    // Scales and axis.
    {"scale 1e-300", "hs 1e-300 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\n",
     [] { return Crlf(kDrawingSettings); }, Ends::Drawn},
    {"scale 1e300", "hs 1e300 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\n",
     [] { return Crlf(kDrawingSettings); }, Ends::Inside},
    {"axis 1e300", "hk 1e300\r\n", [] { return Crlf(kDrawingSettings); },
     Ends::Drawn},
    {"everything huge",
     "hp1 1e300 0\r\nhp2 -1e300 1e300\r\n"
     "hs 1e300 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\n",
     [] {
       return SettingsWith({{26, "-1e300"}, {28, "-1e300"}});
     },
     Ends::Unusable},
    // The stored chain and its context.
    {"saved scale 1e-300", "",
     [] {
       return SettingsWith({{24, "1e-300"}});
     },
     Ends::Drawn},
    {"saved scale 1e300", "",
     [] {
       return SettingsWith({{24, "1e300"}});
     },
     Ends::Drawn},
    {"saved scale 1e999 reads as 1", "",
     [] {
       return SettingsWith({{24, "1e999"}});
     },
     Ends::Drawn},
    {"chain ends at +-1e308", "",
     [] {
       return SettingsWith({{26, "1e308"}, {28, "-1e308"}});
     },
     Ends::Inside},
    {"chain end at the largest double", "",
     [] {
       return SettingsWith({{26, "1.7976931348623157e308"}});
     },
     Ends::Inside},
    {"chain level at 1e300", "",
     [] {
       return SettingsWith({{30, "1e300"}, {31, "-1e300"}});
     },
     Ends::Drawn},
    {"saved axis 1e300", "",
     [] {
       return SettingsWith({{25, "1e300"}});
     },
     Ends::Drawn},
    {"odd numbers in the chain", "",
     [] {
       return SettingsWith(
           {{26, "nan"}, {27, "inf"}, {28, "-0"}, {29, "0x"}, {30, "$"}});
     },
     Ends::Drawn},
    // Dialog values at the extremes.
    {"gaps of 1e300", "",
     [] {
       return SettingsWith({{11, "1e300"}, {12, "1e300"}, {13, "1e300"}});
     },
     Ends::Drawn},
    {"arrow length 1e300", "",
     [] {
       return SettingsWith({{14, "1e300"}});
     },
     Ends::Focus, ControlId::Edit7},
    {"arrow angle 1e300", "",
     [] {
       return SettingsWith({{15, "1e300"}});
     },
     Ends::Focus, ControlId::Edit8},
    {"marker factor and overshoot 1e300", "",
     [] {
       return SettingsWith({{8, "1e300"}, {16, "1e300"}});
     },
     Ends::Drawn},
    {"every length 1e-300", "",
     [] {
       return SettingsWith({{8, "1e-300"},
                            {11, "1e-300"},
                            {12, "1e-300"},
                            {13, "1e-300"},
                            {14, "1e-300"},
                            {16, "1e-300"}});
     },
     Ends::Drawn},
    {"lists and radios out of range", "",
     [] {
       return SettingsWith(
           {{3, "--5"}, {4, "0x"}, {6, "$"}, {17, "inf"}, {18, "2147483648"}});
     },
     Ends::Drawn},
    // Settings files of odd shape.
    {"settings with 10 000 lines", "",
     [] {
       std::string s = Crlf(kDrawingSettings);
       for (int i = 0; i < 10000; ++i)
         s += "garbage " + std::to_string(i) + "\r\n";
       return s;
     },
     Ends::Drawn},
    {"settings of binary garbage", "", [] { return Pattern(100000); },
     Ends::Focus, ControlId::Edit1},
    {"settings lines of 1 MB", "",
     [] {
       std::string s;
       for (int i = 0; i < 31; ++i) s += std::string(1 << 20, '5') + "\r\n";
       return s;
     },
     Ends::Focus, ControlId::Edit1},
    {"settings with CR line ends only", "",
     [] {
       std::string s;
       for (const std::string& l : kDrawingSettings) s += l + "\r";
       return s;
     },
     Ends::Focus, ControlId::Edit1},
    {"settings with NUL bytes", "",
     [] {
       return SettingsWith({{1, std::string("1\0"
                                            "2",
                                            3)},
                            {14, std::string("3\0", 2)}});
     },
     Ends::Focus, ControlId::Edit7},
    {"settings cut after line 22", "",
     [] {
       std::vector<std::string> lines(kDrawingSettings.begin(),
                                      kDrawingSettings.begin() + 22);
       return Crlf(lines);
     },
     Ends::Drawn},
};

// Failure messages name the case instead of dumping its bytes.
void PrintTo(const RunCase& c, std::ostream* os) {
  *os << c.name;
}

class HostileRun : public testing::TestWithParam<RunCase> {};

TEST_P(HostileRun, EndsAsExpectedWithSoundFiles) {
  const RunCase& c = GetParam();
  ScratchDir dir;
  const std::string settings = c.settings();
  ASSERT_TRUE(WriteFileBytes(dir.File("JWC_TEMP.TXT"), kHost + c.hostExtra));
  ASSERT_TRUE(WriteFileBytes(dir.File("t207.dat"), settings));

  HeadlessPort port(dir.Path());
  TForm1 form(port);
  form.FormShow();
  ASSERT_FALSE(form.Closed()) << "refused to start";
  const PortMark mark = MarkPort(port);
  form.Button1Click();
  const HandlerOutcome outcome = OutcomeSince(port, mark);
  form.Close();

  switch (c.ends) {
    case Ends::Drawn: EXPECT_EQ(outcome, HandlerOutcome::Closed); break;
    case Ends::Focus:
      ASSERT_EQ(outcome, HandlerOutcome::Focused);
      EXPECT_EQ(port.Focused.back(), c.focus);
      break;
    case Ends::Inside:
    case Ends::Unusable:
      ASSERT_EQ(outcome, HandlerOutcome::Message);
      EXPECT_EQ(port.Confirmations.back(), c.ends == Ends::Inside
                                               ? texts::kMsgInsideChain
                                               : texts::kMsgZeroLength);
      break;
  }

  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
    names.push_back(e.path().filename().u8string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"JWC_TEMP.TXT", "t207.dat"}));

  const std::string answer = ReadFileBytes(dir.File("JWC_TEMP.TXT"));
  EXPECT_EQ(fuzz::CheckNoNonFinite(answer), "");
  if (c.ends != Ends::Drawn) {
    EXPECT_EQ(answer, "hq\r\n");
  }

  // The settings are rewritten exactly when the chain was extended.
  const std::string saved = ReadFileBytes(dir.File("t207.dat"));
  if (c.ends == Ends::Drawn) {
    EXPECT_EQ(fuzz::CheckSavedSettings(saved), "");
  } else {
    EXPECT_EQ(saved, settings);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileRun, testing::ValuesIn(kCases),
                         NameFromRow());

}  // namespace
