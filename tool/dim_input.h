// The first half of the OK command: the dialog's settings read and checked,
// the stored chain brought into the current drawing's units, the side on
// which the new point extends it, the chain saved, and the geometry of the
// new dimension.
#pragma once

#include "tool/dim_types.h"
#include "tool/form.h"

/// Reads every setting control in a fixed order and checks it. Returns false
/// after moving the focus to the first control holding a bad value; nothing
/// is shown and the dialog stays open.
bool ReadDimSettings(TForm1& form, TDimSettings& settings);

enum class TDimSpanOutcome {
  Ready,          // span filled, settings file saved
  NoPickedPoint,  // host gave no point 1 or 2: message, dialog closed
  Inside,         // point 1 within the chain: message, dialog closed
  Unusable,       // stored chain overflows at this scale: message, open
  ZeroLength,     // saved, but nothing to draw: message, dialog stays open
};

/// Builds the new dimension's geometry from the checked settings, the
/// stored chain and the picked points; extends and saves the chain. Every
/// outcome but Ready has already been shown to the user.
TDimSpanOutcome BuildDimSpan(TForm1& form, const TDimSettings& settings,
                             TDimSpan& span);
