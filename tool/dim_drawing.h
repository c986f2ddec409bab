// The second half of the OK command: every point of the new dimension worked
// out, then its drawing records written in a fixed order.
#pragma once

#include "interchange/jww_model.h"
#include "tool/dim_types.h"
#include "tool/end_markers.h"
#include "tool/value_text.h"

/// Everything the dimension's records are made of, worked out before the
/// first record is written; writing needs nothing else but the model's
/// initial attributes.
struct TDimDrawing {
  bool DrawExtensionA = false;  // the chain's old end already has its line
  bool DrawExtensionB = false;
  TDimPoint ExtensionA0, ExtensionA1;  // from near the measured point to
  TDimPoint ExtensionB0, ExtensionB1;  // a little past the dimension line
  TValueBlock Value;
  TDimPoint Middle;              // M, the middle of the dimension line
  TDimPoint Underline0;          // T0, start of the line under the value
  TDimPoint Underline1;          // T1, its end
  TDimPoint LeaderEnd;           // T0 or T1, whichever the leader runs to
  TEndMarkerShape StartMarker;   // at LineEndA
  TEndMarkerShape FinishMarker;  // at LineEndB
};

/// True when the axis angle equals the previous run's modulo 360 (within
/// 1e-10).
bool SameAxisAngle(double axisAngle, double savedAxisAngle);

/// The extension line at measured end `z`: from PointGap off the point to
/// Overshoot past the dimension line through `level`, on the line's side.
void ExtensionLine(TDimPoint z, TDimPoint level, double axisAngle,
                   double pointGap, double overshoot, TDimPoint& start,
                   TDimPoint& finish);

/// Works out every point of the dimension.
TDimDrawing PlanDimension(const TDimSettings& s, const TDimSpan& span,
                          const JwwModel& m, double savedAxisAngle);

/// Writes the planned records into the model's output lines.
void WriteDimension(JwwModel& m, const TDimDrawing& d);

/// False when some point or angle of the drawing overflowed: nothing of it
/// may be written.
[[nodiscard]] bool AllFinite(const TDimDrawing& d);
