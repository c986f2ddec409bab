// The dialog's layout: every control of tool/controls.inc with its kind,
// caption, rectangle in client pixels and place in the tab order. The dialog
// is built from it row by row, so the rows of the input controls stand in
// tab order.
#pragma once

#include "tool/controls.h"

namespace layout {

using Kind = ControlKind;

struct ControlSpec {
  const char* name;  // the control's name in the form
  Kind kind;
  const char* caption;  // Shift-JIS, or null when the form supplies the text
  int left, top, width, height;  // client pixels; labels size themselves
  int tabOrder;                  // -1: not reached by the Tab key
  int formControl;               // the row's ControlId
  bool imeAllowed;               // the input method stays available
  bool smallFont;                // drawn in the 11-pixel font
};

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

/// All rows: the input controls in tab order, then the labels and the status
/// line.
const ControlSpec* Controls(int* count);

}  // namespace layout
