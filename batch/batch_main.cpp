// t482-batch FOLDER: one run of the tool without a window, on the files in
// FOLDER (JWC_TEMP.TXT and t207.dat), with the dialog's settings exactly as
// the settings file leaves them: show, press OK once, and close as Cancel
// does if the OK handler left the dialog open. Prints one UTF-8 line:
//   drawn                 the dimension was drawn (exit 0)
//   refused-focus NAME    an input check focused control NAME (exit 1)
//   message TEXT          the OK handler showed a message (exit 1)
//   refused-start TEXT    the tool refused to start (exit 1)
//   write-failed FILE     FILE (t207.dat or JWC_TEMP.TXT, the first that
//                         failed) could not be written, whatever else the
//                         run did (exit 3)
// A usage error exits with 2; an OK press that left no trace exits with 3.
//
// t482-batch FOLDER FOLDER... and t482-batch --list FILE (one folder a line)
// run each folder in turn, in one process, each exactly as a run of its own,
// and print one such line per folder, in order. The exit code is the largest
// of the folders' codes: 0 only when every folder drew.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "batch/batch_platform.h"
#include "support/extended_precision.h"
#include "support/file_system.h"
#include "tool/command_line.h"
#include "tool/form.h"
#include "tool/headless_port.h"
#include "tool/message_utf8.h"

namespace {

// What one folder's run printed and its exit code.
struct FolderRun {
  std::string Line;
  int Code;
};

int Report(const FolderRun& run) {
  std::fputs(run.Line.c_str(), stdout);
  std::fputs("\n", stdout);
  return std::fflush(stdout) == 0 ? run.Code : 4;
}

// A failed write outweighs whatever else the run did.
FolderRun WriteFailed(const TForm1& form) {
  return {"write-failed " + form.FailedWrite(), 3};
}

FolderRun RunFolder(const std::string& folder) {
  HeadlessPort port(WithTrailingDelimiter(folder));
  TForm1 form(port);
  form.FormShow();
  if (!form.FailedWrite().empty()) return WriteFailed(form);
  if (form.Closed()) {
    const std::string text =
        port.Confirmations.empty() ? "" : port.Confirmations.back();
    return {"refused-start " + MessageUtf8(text), 1};
  }

  const PortMark mark = MarkPort(port);
  form.Button1Click();
  const HandlerOutcome outcome = OutcomeSince(port, mark);
  form.Close();  // as Cancel does; nothing when OK already closed
  if (!form.FailedWrite().empty()) return WriteFailed(form);

  switch (outcome) {
    case HandlerOutcome::Closed: return {"drawn", 0};
    case HandlerOutcome::Focused:
      return {std::string("refused-focus ") +
                  ControlName(port.Focused[mark.Focused]),
              1};
    case HandlerOutcome::Message:
      return {"message " + MessageUtf8(port.Confirmations[mark.Confirmations]),
              1};
    case HandlerOutcome::Open: break;
  }
  return {"undecided", 3};
}

// The folders named by the arguments; false for a usage error.
bool FoldersOf(const std::vector<std::string>& args,
               std::vector<std::string>& folders) {
  if (args.size() == 2 && args[0] == "--list") {
    // Through the file layer: a UTF-8 path on every platform.
    const std::unique_ptr<ReadStream> list = Files().OpenRead(args[1]);
    if (!list) return false;
    LineReader reader(*list);
    for (std::string line; reader.Next(line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty()) folders.push_back(line);
    }
    if (reader.Failed()) return false;
  } else {
    folders = args;
  }
  return !folders.empty() &&
         std::none_of(folders.begin(), folders.end(),
                      [](const std::string& f) { return f.empty(); });
}

}  // namespace

int main(int argc, char** argv) {
  EnsureExtendedPrecision();
  UseBinaryStdout();
  std::vector<std::string> folders;
  if (!FoldersOf(CommandLineArguments(argc, argv), folders)) {
    std::fputs(
        "usage: t482-batch FOLDER...\n"
        "       t482-batch --list FILE\n",
        stderr);
    return 2;
  }
  int code = 0;
  for (const std::string& folder : folders)
    code = std::max(code, Report(RunFolder(folder)));
  return code;
}
