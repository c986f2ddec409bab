// The dialog's controls, captions and rectangles (see dialog_layout.h).
#include "win32/dialog_layout.h"

#include "tool/texts.h"

namespace layout {
namespace {

constexpr bool TabStop(Kind kind) {
  return kind != Kind::Memo && kind != Kind::Label && kind != Kind::StatusLine;
}

// The rows of tool/controls.inc, each at the index of its ControlId; the
// tab stops come first, so a tab stop's index is its place in the tab order.
#define T482_CONTROL(name, kind, caption, left, top, width, height, ime, \
                     smallFont)                                          \
  {#name,                                                                \
   Kind::kind,                                                           \
   caption,                                                              \
   left,                                                                 \
   top,                                                                  \
   width,                                                                \
   height,                                                               \
   TabStop(Kind::kind) ? static_cast<int>(ControlId::name) : -1,         \
   static_cast<int>(ControlId::name),                                    \
   ime,                                                                  \
   smallFont},
const ControlSpec kControls[] = {
#include "tool/controls.inc"
};
#undef T482_CONTROL
static_assert(static_cast<int>(sizeof kControls / sizeof kControls[0]) ==
                  kControlCount,
              "one row per control");

// Checks on the table that need no captions: the status line spans the
// bottom of the client area, and no tab stop follows a row that is none.
struct Row {
  Kind kind;
  int left, top, width, height;
};
#define T482_CONTROL(name, kind, caption, left, top, width, height, ...) \
  Row{Kind::kind, left, top, width, height},
constexpr Row kRows[] = {
#include "tool/controls.inc"
};
#undef T482_CONTROL
constexpr Row kStatus = kRows[static_cast<int>(ControlId::LabelA1)];
static_assert(kStatus.kind == Kind::StatusLine && kStatus.left == 0 &&
                  kStatus.top == kClientHeight - kStatusHeight &&
                  kStatus.width == kClientWidth &&
                  kStatus.height == kStatusHeight,
              "the status line spans the bottom of the client area");
constexpr bool TabStopsFirst() {
  for (int i = 1; i < kControlCount; ++i) {
    if (TabStop(kRows[i].kind) && !TabStop(kRows[i - 1].kind)) return false;
  }
  return true;
}
static_assert(TabStopsFirst(), "the tab stops stand first, in tab order");

}  // namespace

const ControlSpec* Controls(int* count) {
  *count = static_cast<int>(sizeof kControls / sizeof kControls[0]);
  return kControls;
}

}  // namespace layout
