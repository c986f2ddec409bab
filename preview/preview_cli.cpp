// Argument handling, writing the picture, and the PNG conversion through
// rsvg-convert (run directly, never through a shell, so paths with blanks or
// quotes are safe). The picture is written through the file layer: the
// output is either the whole new picture or what it was before, never part
// of one, and no temporary file is left behind by a failure.
#include "preview/preview_cli.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <memory>

#include "preview/preview_scene.h"
#include "preview/svg_render.h"
#include "support/file_system.h"

extern char** environ;

namespace {

constexpr const char* kUsage =
    "usage: t482-preview FOLDER -o OUT.svg|OUT.png [--before HOSTFILE]\n"
    "  FOLDER    the tool's folder after a run (JWC_TEMP.TXT, t207.dat)\n"
    "  -o OUT    the picture; a name ending in .png is converted with\n"
    "            rsvg-convert (package librsvg2-bin)\n"
    "  --before HOSTFILE\n"
    "            a copy of the host's JWC_TEMP.TXT from before the run, for\n"
    "            the picked points and the host's text sizes and scales\n";

bool EndsWithIgnoringCase(const std::string& s, const std::string& tail) {
  if (s.size() < tail.size()) return false;
  for (size_t i = 0; i < tail.size(); ++i) {
    if (std::tolower(
            static_cast<unsigned char>(s[s.size() - tail.size() + i])) !=
        std::tolower(static_cast<unsigned char>(tail[i]))) {
      return false;
    }
  }
  return true;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  AtomicFileWriter out(path);
  return out.Open() && out.Write(bytes) && out.Commit();
}

// The PNG: the SVG goes to a temporary file, which rsvg-convert turns into a
// temporary PNG, which replaces the output only when the conversion
// succeeded (a converter that fails may already have written part of its
// file). Both temporary files are removed whatever happens; one that cannot
// be is named in `err`, and the next run of the same output overwrites it.
bool WritePng(const std::string& converter, const std::string& svg,
              const std::string& output, std::string& error,
              std::ostream& err) {
  const std::string svgPath = output + ".tmp.svg";
  const std::string pngPath = output + ".tmp.png";
  FileSystem& fs = Files();
  std::string why;
  bool written = WriteWholeFile(svgPath, svg);
  if (!written) {
    why = "cannot write " + svgPath;
  } else if (!ConvertSvgToPng(converter, svgPath, pngPath, why)) {
    written = false;
  } else if (!fs.Replace(pngPath, output)) {
    why = "cannot replace it";
    written = false;
  }
  if (!written) error = "cannot write " + output + " (" + why + ")";
  for (const std::string* temp : {&svgPath, &pngPath}) {
    if (fs.FileExists(*temp) && !fs.Remove(*temp)) {
      err << "t482-preview: note: cannot remove " << *temp << "\n";
    }
  }
  return written;
}

struct Arguments {
  std::string Folder;
  std::string Output;
  std::string Before;
  bool Help = false;
};

// False with a message for anything but one folder, one -o and at most one
// --before.
bool ParseArguments(const std::vector<std::string>& args, Arguments& a,
                    std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-h" || arg == "--help") {
      a.Help = true;
      return true;
    }
    if (arg == "-o" || arg == "--before") {
      if (i + 1 >= args.size()) {
        error = arg + " needs a file name";
        return false;
      }
      std::string& slot = arg == "-o" ? a.Output : a.Before;
      if (!slot.empty()) {
        error = arg + " given twice";
        return false;
      }
      slot = args[++i];
      if (slot.empty()) {
        error = arg + " needs a file name";
        return false;
      }
      continue;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + arg;
      return false;
    }
    if (!a.Folder.empty()) {
      error = "more than one folder given";
      return false;
    }
    a.Folder = arg;
  }
  if (a.Folder.empty()) {
    error = "no folder given";
    return false;
  }
  if (a.Output.empty()) {
    error = "no output given (-o OUT.svg or -o OUT.png)";
    return false;
  }
  if (!EndsWithIgnoringCase(a.Output, ".svg") &&
      !EndsWithIgnoringCase(a.Output, ".png")) {
    error = "the output must end in .svg or .png: " + a.Output;
    return false;
  }
  return true;
}

}  // namespace

std::string FindOnPath(const std::string& name, const std::string& pathList) {
  size_t pos = 0;
  while (pos <= pathList.size()) {
    size_t end = pathList.find(':', pos);
    if (end == std::string::npos) end = pathList.size();
    std::string dir = pathList.substr(pos, end - pos);
    if (dir.empty()) dir = ".";
    const std::string candidate = dir + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    pos = end + 1;
  }
  return std::string();
}

bool ConvertSvgToPng(const std::string& converter, const std::string& svgPath,
                     const std::string& pngPath, std::string& error) {
  std::vector<std::string> argv = {converter,  "--format", "png",
                                   "--output", pngPath,    svgPath};
  std::vector<char*> cargv;
  for (std::string& s : argv) cargv.push_back(s.data());
  cargv.push_back(nullptr);
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, converter.c_str(), nullptr, nullptr,
                             cargv.data(), environ);
  if (rc != 0) {
    error = "cannot run " + converter;
    return false;
  }
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    error = "rsvg-convert failed on " + svgPath;
    return false;
  }
  return true;
}

int RunPreview(const std::vector<std::string>& args, std::ostream& out,
               std::ostream& err) {
  Arguments a;
  std::string error;
  if (!ParseArguments(args, a, error)) {
    err << "t482-preview: " << error << "\n" << kUsage;
    return kPreviewUsageError;
  }
  if (a.Help) {
    out << kUsage;
    return kPreviewOk;
  }

  const bool png = EndsWithIgnoringCase(a.Output, ".png");
  std::string converter;
  if (png) {
    const char* path = std::getenv("PATH");
    converter = FindOnPath("rsvg-convert", path ? path : "");
    if (converter.empty()) {
      err << "t482-preview: rsvg-convert not found on PATH; it is needed for "
             "PNG output (Debian package librsvg2-bin), or write .svg\n";
      return kPreviewInputError;
    }
  }

  // The model is large; keep it off the stack.
  auto scene = std::make_unique<TPreviewScene>();
  if (!LoadPreviewScene(a.Folder, a.Before, *scene, error)) {
    err << "t482-preview: " << error << "\n";
    return kPreviewInputError;
  }
  if (!scene->Chain.Present) {
    err << "t482-preview: note: no t207.dat in " << a.Folder
        << "; the chain is not shown\n";
  }
  const std::string svg = RenderPreviewSvg(*scene);

  bool written;
  if (png) {
    written = WritePng(converter, svg, a.Output, error, err);
  } else {
    written = WriteWholeFile(a.Output, svg);
    if (!written) error = "cannot write " + a.Output;
  }
  if (!written) {
    err << "t482-preview: " << error << "\n";
    return kPreviewInputError;
  }
  return kPreviewOk;
}
