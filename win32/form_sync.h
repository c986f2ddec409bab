// The one place where the form's control state and the dialog's windows meet.
// The form's handlers work on plain state; the dialog copies the windows into
// it before a handler reads them, and copies it back after the show handler
// has loaded the settings.
#pragma once

#include "win32/dialog.h"

/// Window values into the form: list selections, edit texts (as Shift-JIS),
/// check marks and radio selections.
void ControlsToForm(const DialogWindows& w, TForm1& form);

/// The form into the windows: list items and selections, edit texts and
/// their byte limits, check marks, radio captions and selections, the status
/// line and the notes.
void FormToControls(const TForm1& form, DialogWindows& w);
