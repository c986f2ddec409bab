// The dialog Form1 as plain state: its controls, its settings fields and its
// handlers. Nothing here knows about windows; what only a window system can
// do goes through the PlatformPort.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "interchange/jww_model.h"
#include "tool/controls.h"
#include "tool/platform_port.h"

struct TComboBox {
  std::vector<std::string> Items;  // Shift-JIS
  int ItemIndex = -1;              // -1: no selection
};

struct TEdit {
  std::string Text;   // Shift-JIS
  int MaxLength = 0;  // longest text the user can type, in Shift-JIS bytes
};

struct TCheckBox {
  bool Checked = false;
};

struct TRadioGroup {
  std::vector<std::string> Items;
  int ItemIndex = -1;
};

struct TLabel {
  std::string Caption;
};

struct TMemo {
  std::vector<std::string> Lines;
};

class TForm1 {
 public:
  /// Creates the form with the controls' initial values.
  explicit TForm1(PlatformPort& port);

  // Controls.
  TComboBox ComboBox1, ComboBox2, ComboBox3, ComboBox4, ComboBox5;
  TEdit Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9;
  TCheckBox CheckBox1, CheckBox2, CheckBox3, CheckBox4;
  TRadioGroup RadioGroup1, RadioGroup2;
  TLabel LabelA1;
  TMemo Memo1;

  // Settings fields.
  int32_t WindowLeft = 0;
  int32_t WindowTop = 0;
  int32_t SavedLayerGroup = 0;
  double SavedScale = 0;
  double SavedAxisAngle = 0;
  double PrevX1 = 0, PrevY1 = 0, PrevX2 = 0, PrevY2 = 0, PrevX3 = 0, PrevY3 = 0;

  /// The tool's folder, ending in the path delimiter (UTF-8).
  std::string ExePath;

  /// The run's one drawing model, from FormShow to FormClose.
  JwwModel Model;

  // Handlers.
  void FormShow();
  void FormClose();
  void Button1Click();
  void Button2Click();

  /// Closes the form: runs FormClose once, then asks the port to take the
  /// dialog away. Every way of closing comes here; later calls do nothing.
  void Close();
  bool Closed() const { return closed_; }

  void LoadSettings(const std::string& fileName);
  /// Writes the settings file; false when it could not be written (the old
  /// file is then left as it was).
  [[nodiscard]] bool SaveSettings(const std::string& fileName);

  /// Sets the status line's caption and repaints it at once.
  void SetStatus(const std::string& caption);

  PlatformPort& Port() { return port_; }

 private:
  PlatformPort& port_;
  bool closed_ = false;
};
