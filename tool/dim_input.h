// The first half of the OK command, without effects: the dialog's settings
// read and checked, the stored chain brought into the current drawing's
// units, the side on which the new point extends it, the extended chain and
// the geometry of the new dimension. Button1Click shows, saves and closes.
#pragma once

#include <optional>

#include "interchange/jww_model.h"
#include "tool/controls.h"
#include "tool/dim_types.h"
#include "tool/form.h"

/// Why the OK command stops: a bad setting gets the focus without a message;
/// anything else shows a message, after which the dialog closes or stays
/// open.
struct TDimRefusal {
  std::optional<ControlId> Focus;
  const char* Message = nullptr;  // Shift-JIS; null with Focus
  bool CloseDialog = false;
};

/// The refusal of a dimension that cannot be drawn (no length, or numbers
/// that overflowed): the zero-length message, the dialog staying open for
/// other settings.
TDimRefusal UndrawableRefusal();

/// A dimension chain as the settings file stores it: its first end, its last
/// end and its level point.
struct TDimChain {
  TDimPoint First, Last, Level;
};

/// Reads every setting control in a fixed order and checks it. Returns the
/// first control holding a bad value, or nothing when all are good.
[[nodiscard]] std::optional<ControlId> ReadDimSettings(const TForm1& form,
                                                       TDimSettings& settings);

/// What the chain and the picked points make of the new dimension.
struct TDimSpanPlan {
  /// Set when the command stops before the chain is stored or saved.
  std::optional<TDimRefusal> Refusal;
  /// The chain reaching point 1, in current drawing units: stored and saved
  /// even when the dimension then turns out undrawable.
  TDimChain Chain;
  TDimSpan Span;
  /// False when the line has no length (or overflowed): refused with a
  /// message after the save, the dialog staying open.
  bool Drawable = false;
};

/// Builds the new dimension's geometry from the checked settings, the chain
/// `stored` at `savedScale` and the model's picked points.
TDimSpanPlan BuildDimSpan(const TDimSettings& settings, const JwwModel& m,
                          const TDimChain& stored, double savedScale);
