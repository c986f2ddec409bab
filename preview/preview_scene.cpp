// Loading the inputs of a preview. Only this file touches the inputs on
// disk, and reads them through the file layer, as the tool does; everything
// it reads it reads leniently, like the tool.
#include "preview/preview_scene.h"

#include <cctype>
#include <filesystem>
#include <memory>
#include <system_error>

#include "interchange/jwc_reader.h"
#include "support/file_system.h"
#include "tool/form.h"
#include "tool/headless_port.h"

namespace fs = std::filesystem;

namespace {

bool SameIgnoringAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// Through the file layer, as the reader opens the file after it.
bool IsReadableFile(const std::string& path) {
  FileSystem& files = Files();
  return files.FileExists(path) && files.OpenRead(path) != nullptr;
}

// True when the file holds nothing but the line "hq" (the tool drew
// nothing), whatever its line ends: the first line is "hq" and any further
// ones are empty, CRs aside.
bool IsNothingDrawnFile(const std::string& path) {
  const std::unique_ptr<ReadStream> in = Files().OpenRead(path);
  if (!in) return false;
  LineReader reader(*in);
  bool first = true;
  for (std::string line; reader.Next(line); first = false) {
    while (!line.empty() && line.back() == '\r') line.pop_back();
    if (line != (first ? "hq" : "")) return false;
  }
  return !first && !reader.Failed();
}

}  // namespace

bool LoadPreviewChain(const std::string& path, TPreviewChain& chain) {
  chain = TPreviewChain();
  // Read as the tool reads it, into a form of its own.
  HeadlessPort port("");
  TForm1 form(port);
  form.LoadSettings(path);
  if (form.SavedLayerGroup == -1) return false;
  chain.Present = true;
  chain.Scale = form.SavedScale;
  chain.AxisAngle = form.SavedAxisAngle;
  chain.X1 = form.PrevX1;
  chain.Y1 = form.PrevY1;
  chain.X2 = form.PrevX2;
  chain.Y2 = form.PrevY2;
  chain.X3 = form.PrevX3;
  chain.Y3 = form.PrevY3;
  return true;
}

std::string FindFolderFile(const std::string& folder, const std::string& name) {
  std::error_code ec;
  const fs::path exact = fs::path(folder) / name;
  if (fs::is_regular_file(exact, ec)) return exact.string();
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    if (SameIgnoringAsciiCase(it->path().filename().string(), name) &&
        it->is_regular_file(ec)) {
      return it->path().string();
    }
  }
  return std::string();
}

bool LoadPreviewScene(const std::string& folder, const std::string& beforePath,
                      TPreviewScene& scene, std::string& error) {
  scene.Folder = folder;
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) {
    error = "no such folder: " + folder;
    return false;
  }
  const std::string drawnPath = FindFolderFile(folder, "JWC_TEMP.TXT");
  if (drawnPath.empty() || !IsReadableFile(drawnPath)) {
    error = "cannot read JWC_TEMP.TXT in " + folder;
    return false;
  }

  InitJwwModel(scene.Before);
  scene.HaveBefore = false;
  if (!beforePath.empty()) {
    if (!IsReadableFile(beforePath)) {
      error = "cannot read the host's file " + beforePath;
      return false;
    }
    if (!ReadJwcTemp(scene.Before, beforePath)) {
      error = "error while reading " + beforePath;
      return false;
    }
    scene.HaveBefore = true;
  }

  InitJwwModel(scene.Drawn);
  if (scene.HaveBefore) {
    scene.Drawn.AxisAngle = scene.Before.AxisAngle;
    scene.Drawn.GroupScale = scene.Before.GroupScale;
    scene.Drawn.TextTypes = scene.Before.TextTypes;
  }
  if (!ReadJwcTemp(scene.Drawn, drawnPath)) {
    error = "error while reading " + drawnPath;
    return false;
  }
  scene.DrewNothing = IsNothingDrawnFile(drawnPath);

  const std::string settingsPath = FindFolderFile(folder, "t207.dat");
  if (settingsPath.empty() || !LoadPreviewChain(settingsPath, scene.Chain)) {
    scene.Chain = TPreviewChain();
  }
  return true;
}
