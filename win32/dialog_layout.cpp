// The dialog's controls, captions and rectangles (see dialog_layout.h).
#include "win32/dialog_layout.h"

#include "tool/texts.h"

namespace layout {
namespace {

constexpr int C(ControlId id) {
  return static_cast<int>(id);
}

// clang-format off
const ControlSpec kControls[] = {
  // name         kind                 caption                     left top  w    h   tab form control              ime    small
  {"ComboBox1",   Kind::DropDownList,  nullptr,                      48,   4,  81, 21,  0, C(ControlId::ComboBox1),   false, false},
  {"ComboBox2",   Kind::DropDownList,  nullptr,                      48,  28,  81, 21,  1, C(ControlId::ComboBox2),   false, false},
  {"Edit7",       Kind::Edit,          nullptr,                      48,  64,  33, 21,  2, C(ControlId::Edit7),       false, false},
  {"Edit8",       Kind::Edit,          nullptr,                      48,  88,  33, 21,  3, C(ControlId::Edit8),       false, false},
  {"Edit1",       Kind::Edit,          nullptr,                      72, 112,  57, 21,  4, C(ControlId::Edit1),       false, false},
  {"ComboBox3",   Kind::DropDownList,  nullptr,                     136,  28, 169, 21,  5, C(ControlId::ComboBox3),   false, false},
  {"Edit2",       Kind::Edit,          nullptr,                     200,  56, 105, 21,  6, C(ControlId::Edit2),       true,  false},
  {"Edit3",       Kind::Edit,          nullptr,                     200,  80, 105, 21,  7, C(ControlId::Edit3),       true,  false},
  {"ComboBox4",   Kind::DropDownList,  nullptr,                     200, 136, 105, 21,  8, C(ControlId::ComboBox4),   false, false},
  {"ComboBox5",   Kind::DropDownList,  nullptr,                     200, 160, 105, 21,  9, C(ControlId::ComboBox5),   false, false},
  {"RadioGroup1", Kind::RadioGroup,    texts::kRadioZerosCaption,     8, 184, 145, 41, 10, C(ControlId::RadioGroup1), false, false},
  {"RadioGroup2", Kind::RadioGroup,    texts::kRadioUnitCaption,    160, 184, 145, 41, 11, C(ControlId::RadioGroup2), false, false},
  {"CheckBox1",   Kind::CheckBox,      texts::kCheckThousands,        8, 232, 145, 17, 12, C(ControlId::CheckBox1),   false, false},
  {"CheckBox2",   Kind::CheckBox,      texts::kCheckAppendUnit,     152, 232, 105, 17, 13, C(ControlId::CheckBox2),   false, false},
  {"CheckBox3",   Kind::CheckBox,      texts::kCheckFullWidth,      256, 232, 129, 17, 14, C(ControlId::CheckBox3),   false, false},
  {"CheckBox4",   Kind::CheckBox,      texts::kCheckDimFigure,      384, 232, 105, 17, 15, C(ControlId::CheckBox4),   false, false},
  {"Edit4",       Kind::Edit,          nullptr,                     200, 252,  57, 21, 16, C(ControlId::Edit4),       false, false},
  {"Edit5",       Kind::Edit,          nullptr,                     200, 276,  57, 21, 17, C(ControlId::Edit5),       false, false},
  {"Edit6",       Kind::Edit,          nullptr,                     200, 300,  57, 21, 18, C(ControlId::Edit6),       false, false},
  {"Edit9",       Kind::Edit,          nullptr,                     200, 324,  57, 21, 19, C(ControlId::Edit9),       false, false},
  {"Button1",     Kind::Button,        texts::kButtonOk,            360, 264, 137, 33, 20, C(ControlId::Button1),     false, false},
  {"Button2",     Kind::Button,        texts::kButtonCancel,        360, 312, 137, 33, 21, C(ControlId::Button2),     false, false},
  {"Memo1",       Kind::Memo,          nullptr,                     312,   0, 193, 225, -1, C(ControlId::Memo1),      false, false},

  {"Label6",      Kind::Label,         texts::kLabel6,                8,   8,   0,  0, -1, -1, false, false},
  {"Label7",      Kind::Label,         texts::kLabel7,                8,  32,   0,  0, -1, -1, false, false},
  {"Label15",     Kind::Label,         texts::kLabel15,               8,  52,   0,  0, -1, -1, false, true},
  {"Label17",     Kind::Label,         texts::kLabel17,               8,  68,   0,  0, -1, -1, false, false},
  {"Label18",     Kind::Label,         texts::kPaperMm,              88,  68,   0,  0, -1, -1, false, false},
  {"Label16",     Kind::Label,         texts::kLabel16,               8,  92,   0,  0, -1, -1, false, false},
  {"Label19",     Kind::Label,         texts::kLabel19,              88,  92,   0,  0, -1, -1, false, false},
  {"Label1",      Kind::Label,         texts::kLabel1,                8, 116,   0,  0, -1, -1, false, false},
  {"Label20",     Kind::Label,         texts::kLabel20,             128, 116,   0,  0, -1, -1, false, false},
  {"Label2",      Kind::Label,         texts::kLabel2,              136,   8,   0,  0, -1, -1, false, false},
  {"Label11",     Kind::Label,         texts::kLabel11,             136,  60,   0,  0, -1, -1, false, false},
  {"Label12",     Kind::Label,         texts::kLabel12,             136,  84,   0,  0, -1, -1, false, false},
  {"Label13",     Kind::Label,         texts::kLabel13,               8, 140,   0,  0, -1, -1, false, false},
  {"Label21",     Kind::Label,         texts::kLabel21,               8, 164,   0,  0, -1, -1, false, false},
  {"Label3",      Kind::Label,         texts::kLabel3,                8, 256,   0,  0, -1, -1, false, false},
  {"Label4",      Kind::Label,         texts::kPaperMm,             264, 256,   0,  0, -1, -1, false, false},
  {"Label5",      Kind::Label,         texts::kLabel5,                8, 280,   0,  0, -1, -1, false, false},
  {"Label8",      Kind::Label,         texts::kPaperMm,             264, 280,   0,  0, -1, -1, false, false},
  {"Label9",      Kind::Label,         texts::kLabel9,                8, 304,   0,  0, -1, -1, false, false},
  {"Label10",     Kind::Label,         texts::kPaperMm,             264, 304,   0,  0, -1, -1, false, false},
  {"Label14",     Kind::Label,         texts::kLabel14,               8, 328,   0,  0, -1, -1, false, false},
  {"Label22",     Kind::Label,         texts::kPaperMm,             264, 328,   0,  0, -1, -1, false, false},

  {"LabelA1",     Kind::StatusLine,    nullptr,                       0, kClientHeight - kStatusHeight, kClientWidth, kStatusHeight, -1, -1, false, false},
};
// clang-format on

}  // namespace

const ControlSpec* Controls(int* count) {
  *count = static_cast<int>(sizeof kControls / sizeof kControls[0]);
  return kControls;
}

}  // namespace layout
