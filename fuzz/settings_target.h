// Fuzz target "settings_run": any bytes as the settings file t207.dat of one
// whole headless run (show, OK once, close) on a fixed host file. Bytes
// after a line "@@JWC" are appended to the host file instead, so that the
// fuzzer can also move the picked points, scales and the axis.
//
// Checks, for every input:
// - the run ends with exactly the two files and no other (no temporary);
// - t207.dat is either the old bytes or a complete new file of 31 CR LF
//   lines whose numeric lines read as numbers (no infinity, no NaN) and
//   which loads again as settings;
// - a run that refused to start, or refused the OK press by a focus, leaves
//   t207.dat alone and answers the host with "hq" only;
// - JWC_TEMP.TXT holds no infinity or NaN outside texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_checks.h"
#include "fuzz/memory_files.h"
#include "support/number_text.h"
#include "tool/form.h"
#include "tool/headless_port.h"
#include "tool/settings_file.h"

namespace fuzz {

// A host file that draws with the settings of a sibling tool's first run.
inline const char kSettingsHostFile[] =
    "hq\r\nhk 0\r\nhs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\n"
    "hcw 2 2.5 3 4 5 6 7 8 9 10\r\nhch 2 2.5 3 4 5 6 7 8 9 10\r\n"
    "hcd 0 0 0 0.5 0.5 1 1 1 1 1\r\n"
    "hcc 1 1 2 2 3 3 4 4 5 2\r\nhn 0 0 0 0\r\n"
    "hp1  175 0\r\nhp2  130 40\r\nlg0\r\nly0\r\nlc1\r\nlt1\r\ncn1\r\n"
    "cn\"$<\x82l\x82r \x83S\x83V\x83"
    "b\x83N>\r\nz3\r\n0 20 100 20\r\n#\r\n";

inline std::vector<std::string> CrLfLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back("\x01unterminated");
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

inline std::string CheckSavedSettings(const std::string& bytes) {
  const std::vector<std::string> lines = CrLfLines(bytes);
  if (lines.size() != 31) {
    return "t207.dat rewritten with " + std::to_string(lines.size()) + " lines";
  }
  for (int n = 1; n <= 31; ++n) {
    const std::string& line = lines[n - 1];
    if (n >= 8 && n <= 16) continue;  // edit texts, as the user typed them
    int32_t i = 0;
    double d = 0;
    const bool ok = n <= 23 ? TryStrToInt(line, i) : TryStrToFloat(line, d);
    if (!ok || IsNonFiniteWord(line)) {
      return "t207.dat line " + std::to_string(n) + " is not a number: " + line;
    }
    if (n >= 24 && FormatGeneral(d) != line) {
      return "t207.dat line " + std::to_string(n) + " not in the general form";
    }
  }
  return "";
}

inline std::string RunSettings(const uint8_t* data, size_t size) {
  std::string settings(reinterpret_cast<const char*>(data), size);
  std::string host = kSettingsHostFile;
  const size_t split = settings.find("\n@@JWC\n");
  if (split != std::string::npos) {
    host += settings.substr(split + 7);
    settings.erase(split + 1);
  }

  MemoryFiles files;
  files.Chunk = 1 + size % 97;
  const std::string kSettings = "t/t207.dat", kHost = "t/JWC_TEMP.TXT";
  files.Files[kSettings] = settings;
  files.Files[kHost] = host;
  ScopedFileSystem use(files);

  HeadlessPort port("t/");
  TForm1 form(port);
  form.FormShow();
  const bool started = !form.Closed();
  HandlerOutcome outcome = HandlerOutcome::Open;
  if (started) {
    const PortMark mark = MarkPort(port);
    form.Button1Click();
    outcome = OutcomeSince(port, mark);
  }
  form.Close();

  if (files.Files.size() != 2 || files.Files.count(kSettings) != 1 ||
      files.Files.count(kHost) != 1) {
    return "the run left " + std::to_string(files.Files.size()) + " files";
  }
  const std::string& saved = files.Files[kSettings];
  const std::string& answer = files.Files[kHost];
  if (saved != settings) {
    if (std::string e = CheckSavedSettings(saved); !e.empty()) return e;
    TForm1 reload(port);
    ParseSettings(saved, reload);
    if (reload.SavedLayerGroup < 0 || reload.SavedLayerGroup > 15) {
      return "the saved settings do not load";
    }
  }
  const bool refused = !started || outcome == HandlerOutcome::Focused;
  if (refused && (saved != settings || answer != "hq\r\n")) {
    return "a refused run changed the files";
  }
  if (started && outcome == HandlerOutcome::Open) {
    return "the OK press left no trace";
  }
  return CheckNoNonFinite(answer);
}

}  // namespace fuzz
