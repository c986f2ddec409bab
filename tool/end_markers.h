// The markers at the two ends of the dimension line: line arrows (two short
// wings) or point markers that the host draws from their code. When the two
// footprints do not fit between the ends, both markers are reversed: they sit
// outside and point inward, and the dimension line runs on past each end by
// the reverse overhang.
#pragma once

#include <cstdint>

#include "interchange/jww_model.h"
#include "tool/dim_types.h"

/// Marker kind of a line arrow; 1..11 are point markers written with that
/// code.
constexpr int32_t kLineArrowKind = 0;

/// Footprint of a marker along the dimension line, in drawing units: the
/// kind's extent times DrawScale, and for point markers times EndScale too.
/// A kind outside 0..11 has no footprint.
long double MarkerFootprint(int32_t kind, const TDimSettings& s,
                            double drawScale);

/// The reversal decision, taken once for both ends, and the marker angles.
struct TMarkerPlan {
  bool Reversed = false;
  double StartAngle = 0;   // at LineEndA, degrees
  double FinishAngle = 0;  // at LineEndB, degrees
};

/// Reversed exactly when the two footprints together exceed the length of
/// the dimension line (strictly); without reversal the angles point outward.
/// Each angle is the direction of its end plus the reversal's half turn,
/// stored as a double, less 360 when it reaches 360.
TMarkerPlan PlanEndMarkers(const TDimSettings& s, const TDimSpan& span);

/// Everything one end's records are made of.
struct TEndMarkerShape {
  TDimPoint End;     // D, the end of the dimension line the marker sits on
  double Angle = 0;  // the marker angle, degrees
  int32_t Kind = 0;  // kLineArrowKind, or the point marker's code
  double Scale = 0;  // written with a point marker: EndScale
  bool HasOverhang = false;
  TDimPoint Overhang;      // the dimension line continues from End to here
  TDimPoint Wing1, Wing2;  // line arrow: wings at +ArrowAngle, -ArrowAngle
};

/// The marker of kind `kind` at end point `d` with marker angle `angle`:
/// the overhang (reversed markers with an overhang above 1e-10 only) and,
/// for a line arrow, its two wings.
TEndMarkerShape ShapeEndMarker(TDimPoint d, double angle, int32_t kind,
                               bool reversed, const TDimSettings& s,
                               const TDimSpan& span);

/// Writes one end's records: overhang, then the wings or the point marker,
/// each after a dimension z-flag record.
void WriteEndMarker(JwwModel& m, const TEndMarkerShape& shape);

/// Both ends: the start marker, one z-flag record, the finish marker.
void WriteEndMarkers(JwwModel& m, const TEndMarkerShape& start,
                     const TEndMarkerShape& finish);
