// The dialog's measures in pixels: its client area, where it stands by
// design, its fonts and its status line. The controls' rectangles are the
// rows of tool/controls.inc.
#pragma once

namespace layout {

/// Client area of the dialog.
constexpr int kClientWidth = 511;
constexpr int kClientHeight = 375;
/// Where the dialog stands when nothing else places it.
constexpr int kDesignLeft = 194;
constexpr int kDesignTop = 107;
/// Character heights of the dialog's fonts, in pixels.
constexpr int kFontHeight = 13;
constexpr int kSmallFontHeight = 11;
/// Height of the status line docked along the bottom.
constexpr int kStatusHeight = 24;

}  // namespace layout
