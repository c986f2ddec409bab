// The command line of t482-preview:
//   t482-preview FOLDER -o OUT.svg|OUT.png [--before HOSTFILE]
#pragma once

#include <ostream>
#include <string>
#include <vector>

/// Exit codes: 0 done, 1 an input could not be read or the output not
/// written, 2 a usage error.
constexpr int kPreviewOk = 0;
constexpr int kPreviewInputError = 1;
constexpr int kPreviewUsageError = 2;

/// Runs the program on its arguments (without the program name). Messages
/// go to `err`, the help text to `out`.
int RunPreview(const std::vector<std::string>& args, std::ostream& out,
               std::ostream& err);

/// The first executable file called `name` in the folders of `pathList`
/// (colon-separated, as in PATH); empty when there is none.
std::string FindOnPath(const std::string& name, const std::string& pathList);

/// Runs rsvg-convert (at `converter`) to turn an SVG file into a PNG file.
/// False with a message in `error` when it cannot be run or fails.
[[nodiscard]] bool ConvertSvgToPng(const std::string& converter,
                                   const std::string& svgPath,
                                   const std::string& pngPath,
                                   std::string& error);
