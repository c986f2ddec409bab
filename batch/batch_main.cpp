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
#include <cstdio>
#include <string>
#include <vector>

#include "support/extended_precision.h"
#include "tool/command_line.h"
#include "tool/form.h"
#include "tool/headless_port.h"
#include "tool/message_utf8.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

#ifdef _WIN32
constexpr char kDelimiter = '\\';
#else
constexpr char kDelimiter = '/';
#endif

int Report(const std::string& line, int code) {
  std::fputs(line.c_str(), stdout);
  std::fputs("\n", stdout);
  return std::fflush(stdout) == 0 ? code : 4;
}

bool IsDelimiter(char c) {
#ifdef _WIN32
  return c == '\\' || c == '/';
#else
  return c == '/';
#endif
}

}  // namespace

int main(int argc, char** argv) {
  EnsureExtendedPrecision();
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);  // LF, as on every platform
#endif
  const std::vector<std::string> args = CommandLineArguments(argc, argv);
  if (args.size() != 1 || args[0].empty()) {
    std::fputs("usage: t482-batch FOLDER\n", stderr);
    return 2;
  }
  std::string folder = args[0];
  if (!IsDelimiter(folder.back())) folder += kDelimiter;

  HeadlessPort port(folder);
  TForm1 form(port);
  form.FormShow();
  if (!form.FailedWrite().empty()) {
    return Report("write-failed " + form.FailedWrite(), 3);
  }
  if (form.Closed()) {
    const std::string text =
        port.Confirmations.empty() ? "" : port.Confirmations.back();
    return Report("refused-start " + MessageUtf8(text), 1);
  }

  const PortMark mark = MarkPort(port);
  form.Button1Click();
  const HandlerOutcome outcome = OutcomeSince(port, mark);
  form.Close();  // as Cancel does; nothing when OK already closed
  if (!form.FailedWrite().empty()) {
    return Report("write-failed " + form.FailedWrite(), 3);
  }

  switch (outcome) {
    case HandlerOutcome::Closed: return Report("drawn", 0);
    case HandlerOutcome::Focused:
      return Report(std::string("refused-focus ") +
                        ControlName(port.Focused[mark.Focused]),
                    1);
    case HandlerOutcome::Message:
      return Report(
          "message " + MessageUtf8(port.Confirmations[mark.Confirmations]), 1);
    case HandlerOutcome::Open: break;
  }
  return Report("undecided", 3);
}
