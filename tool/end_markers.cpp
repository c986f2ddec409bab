// End markers. Every angle is turned into radians in extended precision
// (angle / 180 x pi) right before its cosine or sine is taken, and points are
// rounded to doubles only once they are complete.
#include "tool/end_markers.h"

#include <cmath>

#include "interchange/jwc_writer.h"
#include "support/extended_precision.h"
#include "support/geometry.h"
#include "tool/dim_points.h"

namespace {

// 1.25 x sqrt(2): the diagonal markers (tilde and slash).
constexpr long double kDiagonalExtent = 1.7677669529663688110021109052621L;

// Extent of a point marker along the dimension line, paper millimetres at an
// end scale of 1.
long double PointMarkerExtent(int32_t kind) {
  switch (kind) {
    case 1:
    case 6:
    case 9:
    case 11: return 7.5L;
    case 2:
    case 3:
    case 4:
    case 5:
    case 7: return 1.25L;
    case 8:
    case 10: return kDiagonalExtent;
    default: return 0.0L;
  }
}

TDimPoint Along(TDimPoint from, long double distance, long double degrees) {
  const long double rad = DegToRad(degrees);
  return TDimPoint{static_cast<double>(from.X + distance * X87Cos(rad)),
                   static_cast<double>(from.Y + distance * X87Sin(rad))};
}

// AngleDeg of the vector plus the offset, stored as a double, then folded
// below 360. The sum is rounded to a double before the fold, not after it:
// taking 360 off a double in [360, 720] is exact and adds no rounding.
double MarkerAngle(TDimPoint to, TDimPoint from, long double offset) {
  const double dx =
      static_cast<double>(static_cast<long double>(to.X) - from.X);
  const double dy =
      static_cast<double>(static_cast<long double>(to.Y) - from.Y);
  double a = static_cast<double>(AngleDeg(dx, dy) + offset);
  if (a >= 360.0L) a = static_cast<double>(a - 360.0L);
  return a;
}

}  // namespace

long double MarkerFootprint(int32_t kind, const TDimSettings& s,
                            double drawScale) {
  if (kind == kLineArrowKind) {
    const long double extent = s.ArrowLength * X87Cos(DegToRad(s.ArrowAngle));
    return extent * drawScale;
  }
  return PointMarkerExtent(kind) * s.EndScale * drawScale;
}

TMarkerPlan PlanEndMarkers(const TDimSettings& s, const TDimSpan& span) {
  const long double start = MarkerFootprint(s.StartKind, s, span.DrawScale);
  const long double finish = MarkerFootprint(s.EndKind, s, span.DrawScale);
  TMarkerPlan plan;
  plan.Reversed = start + finish > static_cast<long double>(span.Length);
  const long double offset = plan.Reversed ? 180.0L : 0.0L;
  plan.StartAngle = MarkerAngle(span.LineEndA, span.LineEndB, offset);
  plan.FinishAngle = MarkerAngle(span.LineEndB, span.LineEndA, offset);
  return plan;
}

TEndMarkerShape ShapeEndMarker(TDimPoint d, double angle, int32_t kind,
                               bool reversed, const TDimSettings& s,
                               const TDimSpan& span) {
  TEndMarkerShape shape;
  shape.End = d;
  shape.Angle = angle;
  shape.Kind = kind;
  shape.Scale = s.EndScale;
  if (reversed && span.ReverseOverhang > 1e-10L) {
    shape.HasOverhang = true;
    shape.Overhang = Along(d, span.ReverseOverhang, angle + 180.0L);
  }
  if (kind == kLineArrowKind) {
    const long double wing =
        static_cast<long double>(s.ArrowLength) * span.DrawScale;
    shape.Wing1 = Along(d, wing, angle + 180.0L + s.ArrowAngle);
    shape.Wing2 = Along(d, wing, angle + 180.0L - s.ArrowAngle);
  }
  return shape;
}

void WriteEndMarker(JwwModel& m, const TEndMarkerShape& shape) {
  const TDimPoint d = shape.End;
  if (shape.HasOverhang) EmitDimSegment(m, d, shape.Overhang);
  if (shape.Kind == kLineArrowKind) {
    EmitDimSegment(m, d, shape.Wing1);
    EmitDimSegment(m, d, shape.Wing2);
  } else {
    EmitZFlags(m, kDimensionZFlag);
    EmitPoint(m, shape.Kind, d.X, d.Y, shape.Scale, shape.Angle);
  }
}

void WriteEndMarkers(JwwModel& m, const TEndMarkerShape& start,
                     const TEndMarkerShape& finish) {
  WriteEndMarker(m, start);
  EmitZFlags(m, kDimensionZFlag);
  WriteEndMarker(m, finish);
}
