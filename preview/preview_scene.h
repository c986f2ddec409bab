// What one preview shows: the records the tool wrote into a folder's
// interchange file, the chain kept in the folder's settings file and, when
// the host's file from before the run is at hand, its picked points.
#pragma once

#include <string>

#include "interchange/jww_model.h"

/// The chain of dimensions as the settings file keeps it (its last seven
/// lines): drawing scale and axis angle of the run, the two measured ends
/// and a point on the chain's dimension line.
struct TPreviewChain {
  bool Present = false;
  double Scale = 1.0;
  double AxisAngle = 0.0;
  double X1 = 0, Y1 = 0;  // first end
  double X2 = 0, Y2 = 0;  // second end
  double X3 = 0, Y3 = 0;  // level point
};

struct TPreviewScene {
  std::string Folder;   // as given on the command line
  JwwModel Drawn;       // the tool's records
  TPreviewChain Chain;  // Present only when the settings file was read
  bool HaveBefore = false;
  JwwModel Before;           // the host's file from before the run
  bool DrewNothing = false;  // the tool's file was the single line "hq"
};

/// Reads a settings file's chain (its lines 24 to 31) as the tool loads it.
/// False (chain not Present) when the file cannot be read as far as the
/// layer group of its line 23.
[[nodiscard]] bool LoadPreviewChain(const std::string& path,
                                    TPreviewChain& chain);

/// The file named `name` in `folder`, matched exactly or else ignoring the
/// case of ASCII letters; empty when there is none.
std::string FindFolderFile(const std::string& folder, const std::string& name);

/// Fills the scene from a tool folder and, when `beforePath` is not empty,
/// the host's earlier file. The header of the earlier file (group scales,
/// text types, axis angle) is put in place before the tool's records are
/// read, so that a text type number gives the host's text sizes. Returns
/// false with a message in `error` when the folder, its interchange file or
/// the earlier file cannot be read; a missing settings file only leaves the
/// chain out.
[[nodiscard]] bool LoadPreviewScene(const std::string& folder,
                                    const std::string& beforePath,
                                    TPreviewScene& scene, std::string& error);
