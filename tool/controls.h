// The dialog's controls by name, for focusing and for reports, derived from
// the table in controls.inc.
#pragma once

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

/// The control's name as the form declares it ("Edit7").
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
