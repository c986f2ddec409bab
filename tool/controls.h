// The dialog's controls by name, for focusing and for reports.
#pragma once

enum class ControlId {
  ComboBox1,
  ComboBox2,
  Edit7,
  Edit8,
  Edit1,
  ComboBox3,
  Edit2,
  Edit3,
  ComboBox4,
  ComboBox5,
  RadioGroup1,
  RadioGroup2,
  CheckBox1,
  CheckBox2,
  CheckBox3,
  CheckBox4,
  Edit4,
  Edit5,
  Edit6,
  Edit9,
  Button1,
  Button2,
  Memo1,
};

/// The control's name as the form declares it ("Edit7").
const char* ControlName(ControlId id);
