// The OK command planned without effects: the checked settings, the chain
// extended to point 1 and every point of the new dimension, or the reason
// why the command stops. Button1Click carries the plan out.
#pragma once

#include <optional>

#include "tool/dim_drawing.h"
#include "tool/dim_input.h"
#include "tool/form.h"

struct TOkPlan {
  /// Set: the command stops at once; nothing is stored or saved.
  std::optional<TDimRefusal> Refusal;
  /// Otherwise the chain reaching point 1, stored and saved first.
  TDimChain Chain;
  /// Set: the command stops after the save, without drawing.
  std::optional<TDimRefusal> RefusalAfterSave;
  /// Otherwise the dimension to draw, every record of it worked out.
  TDimDrawing Drawing;
};

/// Plans one press of OK from the form's controls, its settings fields and
/// its model. Changes nothing.
TOkPlan PlanOkCommand(const TForm1& form);

/// The chain the form's settings fields hold (PrevX1 to PrevY3).
TDimChain StoredChain(const TForm1& form);

/// Puts the chain into the form's settings fields.
void StoreChain(TForm1& form, const TDimChain& chain);
