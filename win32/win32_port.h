// The form's window-system services on Win32, acting on the dialog's windows.
#pragma once

#include <string>

#include "tool/platform_port.h"
#include "win32/dialog.h"

class Win32Port : public PlatformPort {
 public:
  explicit Win32Port(DialogWindows& windows) : w_(windows) {}

  std::string ProgramFolder() override;
  /// Moves the dialog; a position whose title bar no mouse could reach is
  /// replaced by the design position on the primary monitor.
  void MoveDialog(int left, int top) override;
  int DialogLeft() override;
  int DialogTop() override;
  void FocusControl(ControlId id) override;
  void ShowStatus(const std::string& caption) override;
  void ShowConfirmation(const std::string& text) override;
  void CloseDialog() override;

 private:
  DialogWindows& w_;
};
