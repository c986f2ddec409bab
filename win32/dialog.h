// The dialog window of the tool: built from the layout table, owned by a
// hidden application window that carries the application's title. One
// instance per process; its window procedure drives the form's handlers.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <vector>

#include "tool/controls.h"
#include "win32/dialog_layout.h"

class TForm1;

struct DialogWindows {
  HWND app = nullptr;     // hidden owner, titled with the application title
  HWND dialog = nullptr;  // the dialog Form1
  /// One window per layout row (the group box for a radio group).
  std::vector<HWND> rows;
  /// The two buttons of each radio group, by layout row.
  std::vector<HWND> radios[2];
  HWND status = nullptr;  // LabelA1
  HWND memo = nullptr;    // Memo1
  HFONT font = nullptr;
  HFONT smallFont = nullptr;
  HBRUSH white = nullptr;
  HBRUSH memoBrush = nullptr;
  HBRUSH statusBrush = nullptr;
  int captionHeight = 0;  // window top to client top, pixels

  /// The window of a form control (the checked or first button for a radio
  /// group), or null.
  HWND Window(ControlId id) const;
  /// Index of a form control's layout row, or -1.
  static int Row(ControlId id);
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
