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

// The form's controls: a member named after each control of controls.inc
// that keeps state (lists, edits, radio groups, check boxes, the memo, the
// status line).
struct TForm1Controls {
#define T482_MEMBER(type, name) type name;
#define T482_CONTROL(name, kind, ...) \
  T482_CONTROL_STATE_##kind(T482_MEMBER, name)
#include "tool/controls.inc"
#undef T482_CONTROL
#undef T482_MEMBER
};

class TForm1 : public TForm1Controls {
 public:
  /// Creates the form with the controls' initial values.
  explicit TForm1(PlatformPort& port);

  // The controls are the members of TForm1Controls.

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

  /// The name (without the folder) of the first file this run had to write
  /// and could not: "t207.dat" or "JWC_TEMP.TXT". Empty while every write
  /// succeeded. Nothing is shown for it; the batch runner reports it.
  const std::string& FailedWrite() const { return failedWrite_; }

  /// Sets the defaults, then applies the settings file's first 31 lines as
  /// ParseSettings does (settings_file.h), each as it is read. A missing or
  /// unopenable file leaves the defaults; a read error, the lines before it.
  void LoadSettings(const std::string& fileName);
  /// Writes the rendered settings (settings_file.h) into the file; false when
  /// it could not be written (the old file is then left as it was, and
  /// FailedWrite names it).
  [[nodiscard]] bool SaveSettings(const std::string& fileName);

  /// Sets the status line's caption and repaints it at once.
  void SetStatus(const std::string& caption);

  PlatformPort& Port() { return port_; }

 private:
  /// Keeps the first failed write: the file's name, without the folder.
  void NoteFailedWrite(const std::string& fileName);

  PlatformPort& port_;
  bool closed_ = false;
  std::string failedWrite_;
};

/// Calls visit(id, state) for every control whose state the form keeps, in
/// the order of controls.inc; Form is TForm1 or const TForm1.
template <typename Form, typename Visit>
void ForEachControlState(Form& form, Visit&& visit) {
#define T482_VISIT(type, name) visit(ControlId::name, form.name);
#define T482_CONTROL(name, kind, ...) \
  T482_CONTROL_STATE_##kind(T482_VISIT, name)
#include "tool/controls.inc"
#undef T482_CONTROL
#undef T482_VISIT
}
