// The dialog's controls: ControlId and the one table of their kinds,
// captions and rectangles, indexed by ControlId, both derived from the rows
// of controls.inc.
#pragma once

#include <cstddef>

#include "tool/texts.h"

enum class ControlKind {
  DropDownList,  // a list the user can only pick from
  Edit,          // single-line edit, byte-limited
  RadioGroup,    // group box with two auto radio buttons side by side
  CheckBox,
  Button,
  Memo,        // read-only multi-line notes, not a tab stop
  Label,       // static text sized to its caption
  StatusLine,  // the status line along the bottom edge
};

enum class ControlId {
#define T482_CONTROL(name, ...) name,
#include "tool/controls.inc"
#undef T482_CONTROL
};

constexpr int kControlCount = 0
#define T482_CONTROL(name, ...) +1
#include "tool/controls.inc"
#undef T482_CONTROL
    ;

/// Whether the Tab key reaches a control of the kind.
constexpr bool IsTabStop(ControlKind kind) {
  return kind != ControlKind::Memo && kind != ControlKind::Label &&
         kind != ControlKind::StatusLine;
}

/// A row of controls.inc.
struct ControlSpec {
  const char* name;  // as the form declares it ("Edit7")
  ControlKind kind;
  // The Shift-JIS caption's place in texts, or null when the form supplies
  // the text: its address, not its value, keeps the table a constant.
  const char* const* caption;
  int left, top, width, height;  // client pixels; labels size themselves
  bool imeAllowed;               // the input method stays available
  bool smallFont;                // drawn in the 11-pixel font
};

namespace controls_detail {
constexpr const char* const* CaptionAt(std::nullptr_t) {
  return nullptr;
}
constexpr const char* const* CaptionAt(const char* const& text) {
  return &text;
}
}  // namespace controls_detail

/// The rows of controls.inc, each at the index of its ControlId: the tab
/// stops first, in tab order.
inline constexpr ControlSpec kControls[kControlCount] = {
#define T482_CONTROL(name, kind, caption, left, top, width, height, ime, \
                     smallFont)                                          \
  {#name,                                                                \
   ControlKind::kind,                                                    \
   controls_detail::CaptionAt(caption),                                  \
   left,                                                                 \
   top,                                                                  \
   width,                                                                \
   height,                                                               \
   ime,                                                                  \
   smallFont},
#include "tool/controls.inc"
#undef T482_CONTROL
};

/// The row of a control.
constexpr const ControlSpec& SpecOf(ControlId id) {
  return kControls[static_cast<int>(id)];
}

/// The control's name as the form declares it ("Edit7"), or "?" for an id
/// outside the table.
const char* ControlName(ControlId id);

// The type of the state the form keeps for a kind of control, handed to
// F(type, name); buttons and labels keep none and expand to nothing. Used as
// T482_CONTROL_STATE_##kind(F, name) over the rows of controls.inc.
#define T482_CONTROL_STATE_DropDownList(F, name) F(TComboBox, name)
#define T482_CONTROL_STATE_Edit(F, name) F(TEdit, name)
#define T482_CONTROL_STATE_RadioGroup(F, name) F(TRadioGroup, name)
#define T482_CONTROL_STATE_CheckBox(F, name) F(TCheckBox, name)
#define T482_CONTROL_STATE_Memo(F, name) F(TMemo, name)
#define T482_CONTROL_STATE_StatusLine(F, name) F(TLabel, name)
#define T482_CONTROL_STATE_Button(F, name)
#define T482_CONTROL_STATE_Label(F, name)
