#include "tool/controls.h"

const char* ControlName(ControlId id) {
  switch (id) {
    case ControlId::ComboBox1: return "ComboBox1";
    case ControlId::ComboBox2: return "ComboBox2";
    case ControlId::Edit7: return "Edit7";
    case ControlId::Edit8: return "Edit8";
    case ControlId::Edit1: return "Edit1";
    case ControlId::ComboBox3: return "ComboBox3";
    case ControlId::Edit2: return "Edit2";
    case ControlId::Edit3: return "Edit3";
    case ControlId::ComboBox4: return "ComboBox4";
    case ControlId::ComboBox5: return "ComboBox5";
    case ControlId::RadioGroup1: return "RadioGroup1";
    case ControlId::RadioGroup2: return "RadioGroup2";
    case ControlId::CheckBox1: return "CheckBox1";
    case ControlId::CheckBox2: return "CheckBox2";
    case ControlId::CheckBox3: return "CheckBox3";
    case ControlId::CheckBox4: return "CheckBox4";
    case ControlId::Edit4: return "Edit4";
    case ControlId::Edit5: return "Edit5";
    case ControlId::Edit6: return "Edit6";
    case ControlId::Edit9: return "Edit9";
    case ControlId::Button1: return "Button1";
    case ControlId::Button2: return "Button2";
    case ControlId::Memo1: return "Memo1";
  }
  return "?";
}
