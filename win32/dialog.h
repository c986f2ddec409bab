// The dialog window of the tool: built from the table of controls, owned by a
// hidden application window that carries the application's title. One
// instance per process; its window procedure drives the form's handlers.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <array>

#include "tool/controls.h"
#include "win32/dialog_fonts.h"

class TForm1;

struct DialogWindows {
  HWND app = nullptr;     // hidden owner, titled with the application title
  HWND dialog = nullptr;  // the dialog Form1
  /// One window per control, by ControlId (the group box for a radio
  /// group); null until the controls are created.
  std::array<HWND, kControlCount> controls{};
  /// The two buttons of each radio group, by ControlId; null for the other
  /// controls.
  std::array<std::array<HWND, 2>, kControlCount> radios{};
  HWND status = nullptr;  // LabelA1
  HWND memo = nullptr;    // Memo1
  DialogFonts fonts;
  HBRUSH white = nullptr;
  HBRUSH memoBrush = nullptr;
  HBRUSH statusBrush = nullptr;
  int captionHeight = 0;  // window top to client top, pixels

  /// The window of a form control (the checked or first button for a radio
  /// group), or null.
  HWND Window(ControlId id) const;
  /// Button k (0 or 1) of a radio group, or null.
  HWND RadioButton(ControlId id, int k) const;
};

/// Creates the application window and the dialog (hidden) and queues the
/// form's show handler, which fills the controls from the form. False when
/// a window could not be created.
[[nodiscard]] bool CreateMainDialog(HINSTANCE instance, TForm1& form,
                                    DialogWindows& w);

/// Runs the message loop until the dialog has been closed.
void RunMessageLoop(DialogWindows& w);

/// Asks the dialog to go away once the current handler has returned.
void QueueDialogDestruction(DialogWindows& w);
