// What only a window system can do for the form. The Win32 front end and the
// headless runner (tests, t482-batch) each implement it; the form's handlers
// are the same code everywhere.
#pragma once

#include <string>

#include "tool/controls.h"

class PlatformPort {
 public:
  virtual ~PlatformPort() = default;
  /// The folder of the program's executable, ending in the path delimiter,
  /// as UTF-8.
  virtual std::string ProgramFolder() = 0;
  /// Moves the dialog so that its left and top edges are at these screen
  /// pixels.
  virtual void MoveDialog(int left, int top) = 0;
  /// The dialog's current left and top edges in screen pixels.
  virtual int DialogLeft() = 0;
  virtual int DialogTop() = 0;
  /// Moves the keyboard focus to a control.
  virtual void FocusControl(ControlId id) = 0;
  /// Shows a new caption (Shift-JIS) in the status line and repaints it at
  /// once.
  virtual void ShowStatus(const std::string& caption) = 0;
  /// Shows the modal confirmation box (caption "確認", question icon, one
  /// button "OK") with a Shift-JIS text and returns when it is dismissed.
  virtual void ShowConfirmation(const std::string& text) = 0;
  /// Takes the dialog off the screen and ends the message loop. The form has
  /// already run FormClose.
  virtual void CloseDialog() = 0;
};
