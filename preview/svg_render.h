// Drawing a preview scene as SVG, the way the host would show the records:
// y pointing up, colours by colour number, dashes by line type, markers by
// code, texts along their direction vectors in a Japanese-capable font.
#pragma once

#include <string>

#include "preview/preview_scene.h"

/// A colour number's stroke colour as "#rrggbb": a fixed palette for 1 to
/// 9, black for anything else.
std::string PreviewColour(int32_t colour);

/// A line type's dash pattern in pixels ("" for a solid line): 2 to 4 are
/// dotted, 5 and 6 dash-dot, 7 and 8 dash-dot-dot, 9 the fine auxiliary dash.
std::string PreviewDashPixels(int32_t lineType);

/// The whole picture as an SVG document. The drawing sits in one group whose
/// transform flips y and fits the drawing with a margin into at most 1600 by
/// 1200 pixels; a legend band below it is laid out in pixels.
std::string RenderPreviewSvg(const TPreviewScene& scene);
