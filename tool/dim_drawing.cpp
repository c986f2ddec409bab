// The dimension's records. All points are worked out first, so that a
// dimension whose coordinates would overflow can be refused before anything
// is written, rather than handing the host an infinity it cannot read.
#include "tool/dim_drawing.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "interchange/jwc_writer.h"
#include "support/extended_precision.h"
#include "support/geometry.h"
#include "tool/dim_points.h"

namespace {

// Extended arithmetic on doubles: each helper rounds its result to doubles
// once, at the end.
TDimPoint RoundedPoint(long double x, long double y) {
  return TDimPoint{static_cast<double>(x), static_cast<double>(y)};
}

TDimPoint Midpoint(TDimPoint a, TDimPoint b) {
  return RoundedPoint((static_cast<long double>(a.X) + b.X) / 2.0L,
                      (static_cast<long double>(a.Y) + b.Y) / 2.0L);
}

TDimPoint Offset(TDimPoint p, long double dx, long double dy) {
  return RoundedPoint(p.X + dx, p.Y + dy);
}

double Difference(double a, double b) {
  return static_cast<double>(static_cast<long double>(a) - b);
}

}  // namespace

bool AllFinite(const TDimDrawing& d) {
  const TDimPoint points[] = {d.ExtensionA0,
                              d.ExtensionA1,
                              d.ExtensionB0,
                              d.ExtensionB1,
                              d.Middle,
                              d.Underline0,
                              d.Underline1,
                              d.LeaderEnd,
                              d.StartMarker.Overhang,
                              d.StartMarker.Wing1,
                              d.StartMarker.Wing2,
                              d.FinishMarker.Overhang,
                              d.FinishMarker.Wing1,
                              d.FinishMarker.Wing2};
  const double numbers[] = {d.Value.DirX, d.Value.DirY, d.StartMarker.Angle,
                            d.FinishMarker.Angle};
  return std::all_of(std::begin(points), std::end(points), Finite) &&
         std::all_of(std::begin(numbers), std::end(numbers),
                     [](double v) { return std::isfinite(v); });
}

bool SameAxisAngle(double axisAngle, double savedAxisAngle) {
  return fabsl(NormalizeDeg(Difference(axisAngle, savedAxisAngle))) <= 1e-10L;
}

void ExtensionLine(TDimPoint z, TDimPoint level, double axisAngle,
                   double pointGap, double overshoot, TDimPoint& start,
                   TDimPoint& finish) {
  const TDimPoint c = Rotated(level, z, -axisAngle);
  const long double sigma = c.Y >= z.Y ? 1.0L : -1.0L;
  const TDimPoint s{z.X, static_cast<double>(z.Y + sigma * pointGap)};
  const TDimPoint f{z.X, static_cast<double>(c.Y + sigma * overshoot)};
  start = Rotated(s, z, axisAngle);
  finish = Rotated(f, z, axisAngle);
}

TDimDrawing PlanDimension(const TDimSettings& s, const TDimSpan& span,
                          const JwwModel& m, double savedAxisAngle) {
  TDimDrawing d;
  const double axis = m.AxisAngle;
  // The chain's old end already carries the extension line the previous run
  // drew, unless the axis has turned since.
  const bool same = SameAxisAngle(axis, savedAxisAngle);
  d.DrawExtensionA = !(span.Side == TDimSide::Right && same);
  d.DrawExtensionB = !(span.Side == TDimSide::Left && same);
  ExtensionLine(span.EndA, span.LevelPoint, axis, span.PointGap, span.Overshoot,
                d.ExtensionA0, d.ExtensionA1);
  ExtensionLine(span.EndB, span.LevelPoint, axis, span.PointGap, span.Overshoot,
                d.ExtensionB0, d.ExtensionB1);

  d.Value = PrepareValueBlock(s, span, m);

  // The underline lies g below the text's baseline and reaches g past both
  // ends of the text; the leader goes to its end nearer the middle.
  const double theta = d.Value.Angle;
  const long double g = span.ValueGap;
  d.Middle = Midpoint(span.LineEndA, span.LineEndB);
  const TDimPoint offset = Rotated(TDimPoint{-span.ValueGap, -span.ValueGap},
                                   TDimPoint{0, 0}, theta);
  d.Underline0 = Offset(span.TextPoint, offset.X, offset.Y);
  const long double rad = DegToRad(theta);
  const long double underline =
      static_cast<long double>(d.Value.Length) * span.DrawScale + 2.0L * g;
  d.Underline1 =
      Offset(d.Underline0, underline * X87Cos(rad), underline * X87Sin(rad));
  const TDimPoint t1 = Rotated(d.Underline1, d.Middle, -theta);
  d.LeaderEnd = t1.X > d.Middle.X ? d.Underline0 : d.Underline1;

  const TMarkerPlan markers = PlanEndMarkers(s, span);
  d.StartMarker = ShapeEndMarker(span.LineEndA, markers.StartAngle, s.StartKind,
                                 markers.Reversed, s, span);
  d.FinishMarker = ShapeEndMarker(span.LineEndB, markers.FinishAngle, s.EndKind,
                                  markers.Reversed, s, span);
  return d;
}

void WriteDimension(JwwModel& m, const TDimDrawing& d) {
  EmitLayerGroup(m, m.InitGroup);
  EmitLayer(m, m.InitLayer);
  EmitLineColour(m, m.InitColour);
  EmitPointColour(m, m.InitColour);
  EmitLineType(m, m.InitLineType);
  EmitLineWidth(m, m.InitLineWidth);
  EmitFontName(m, m.InitFont);

  if (d.DrawExtensionA) EmitDimSegment(m, d.ExtensionA0, d.ExtensionA1);
  if (d.DrawExtensionB) EmitDimSegment(m, d.ExtensionB0, d.ExtensionB1);

  WriteValueBlock(m, d.Value);

  EmitDimSegment(m, d.Middle, d.LeaderEnd);
  EmitDimSegment(m, d.Underline0, d.Underline1);

  WriteEndMarkers(m, d.StartMarker, d.FinishMarker);

  EmitTextType(m, m.InitTextType, m.InitTextColour, m.InitTextWidth,
               m.InitTextHeight, m.InitTextSpacing);
}
