// A form ready for the OK command without a host file: a scratch tool folder,
// a headless port, the model as the reader would leave it, a loaded chain
// from (0, 0) to (100, 0) with level point (0, 20), and picked points 1 and 2.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "interchange/jwc_writer.h"
#include "test_support.h"
#include "tool/form.h"
#include "tool/headless_port.h"

namespace dimtest {

/// The host's picked points 1 and 2.
inline void PickPoints(JwwModel& m, double x1, double y1, double x2,
                       double y2) {
  m.HpPoints[1] = TJwwHpPoint{1, x1, y1, 1};
  m.HpPoints[2] = TJwwHpPoint{1, x2, y2, 1};
  m.HpCount = 2;
}

/// The ready form; several can live side by side in one test.
struct DimBench {
  DimBench() : port(dir.Path(), 321, 654), form(port) {
    InitJwwModel(form.Model);
    form.Model.InitFont = kJwwDefaultFont;
    ResetCurrentAttributes(form.Model);
    form.ExePath = dir.Path();
    form.ComboBox3.Items.assign(11, "item");
    form.ComboBox3.ItemIndex = 0;
    form.SavedLayerGroup = 0;
    form.SavedScale = 1;
    form.SavedAxisAngle = 0;
    SetChain(0, 0, 100, 0, 0, 20);
    Pick(150, 0, 110, 40);
  }

  void SetChain(double x1, double y1, double x2, double y2, double x3,
                double y3) {
    form.PrevX1 = x1, form.PrevY1 = y1;
    form.PrevX2 = x2, form.PrevY2 = y2;
    form.PrevX3 = x3, form.PrevY3 = y3;
  }

  void Pick(double x1, double y1, double x2, double y2) {
    PickPoints(form.Model, x1, y1, x2, y2);
  }

  std::string SettingsPath() const { return dir.File("t207.dat"); }
  std::string JwcPath() const { return dir.File("JWC_TEMP.TXT"); }

  /// The file's lines without their CR LF.
  static std::vector<std::string> FileLines(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
      size_t end = bytes.find("\r\n", start);
      if (end == std::string::npos) end = bytes.size();
      lines.push_back(bytes.substr(start, end - start));
      start = end + 2;
    }
    return lines;
  }

  /// True when no word of the file is an infinity or a NaN in any spelling.
  static bool AllNumbersFinite(const std::string& path) {
    std::string bytes = ReadFileBytes(path);
    for (char& c : bytes) c = static_cast<char>(std::tolower(c));
    return bytes.find("inf") == std::string::npos &&
           bytes.find("nan") == std::string::npos;
  }

  ScratchDir dir;
  HeadlessPort port;
  TForm1 form;
};

class DimFormTest : public testing::Test, public DimBench {};

}  // namespace dimtest
