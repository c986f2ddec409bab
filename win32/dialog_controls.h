// Creating the dialog's controls from the table in tool/controls.inc, one
// window per row in the row's order, which is the tab order.
#pragma once

#include <array>

#include "win32/dialog.h"

class TForm1;

/// Creates every control of the table in w.dialog, in w's fonts, with the
/// radio groups' items and choice as the form holds them; the other controls
/// are filled later from the form. False when a window could not be created.
[[nodiscard]] bool CreateControls(DialogWindows& w, const TForm1& form);

/// Checks the radio button `index` of a group (none when out of range) and
/// unchecks the other, without the walk over every control of the dialog
/// that Wine makes when an auto radio button is checked (about 25 ms once
/// all the controls exist). The buttons stay auto radio buttons for the user.
void CheckRadioButtons(const std::array<HWND, 2>& buttons, int index);
