// The dimension's value text. The number is rounded and formatted by the
// support routines; only the number is ever converted to full width, the
// prefix, unit text and suffix stay exactly as typed.
#include "tool/value_text.h"

#include <cmath>

#include "interchange/jwc_writer.h"
#include "support/extended_precision.h"
#include "support/full_width.h"
#include "support/geometry.h"
#include "support/sjis.h"
#include "support/value_format.h"
#include "tool/dim_points.h"
#include "tool/texts.h"

namespace {

TValueTextType FromTable(const JwwModel& m, int32_t number) {
  TValueTextType t;
  const TJwwTextType& src = m.TextTypes[static_cast<size_t>(number)];
  t.Number = number;
  t.Width = src.Width;
  t.Height = src.Height;
  t.Spacing = src.Spacing;
  t.Colour = src.Colour;
  return t;
}

// Drops the zeros after the decimal point, and the point itself when no
// decimal digit stays; digits before the point are never touched.
void DropTrailingZeros(std::string& s) {
  const size_t point = s.find('.');
  if (point == std::string::npos) return;
  size_t cut = std::string::npos;
  for (size_t i = s.size(); i > point; --i) {
    const char c = s[i - 1];
    if (c != '0' && c != '.') break;
    cut = i - 1;
  }
  if (cut != std::string::npos) s.erase(cut);
}

// The dimension line as a segment, then the text type, cc 0 and the value
// as a "cs" text.
void WritePlain(JwwModel& m, const TValueBlock& v) {
  EmitDimSegment(m, v.LineEndA, v.LineEndB);
  EmitTextType(m, v.Type.Number, v.Type.Colour, v.Type.Width, v.Type.Height,
               v.Type.Spacing);
  EmitCc(m, 0);
  EmitZFlags(m, kDimensionZFlag);
  EmitText(m, 2, v.Text, v.TextPoint.X, v.TextPoint.Y, v.DirX, v.DirY);
}

// The text type, then the line and the value as one dimension figure.
void WriteFigure(JwwModel& m, const TValueBlock& v) {
  EmitTextType(m, v.Type.Number, v.Type.Colour, v.Type.Width, v.Type.Height,
               v.Type.Spacing);
  EmitDimension(m, v.Text, v.LineEndA.X, v.LineEndA.Y, v.LineEndB.X,
                v.LineEndB.Y, v.TextPoint.X, v.TextPoint.Y, v.DirX, v.DirY);
}

}  // namespace

TValueTextType ResolveValueTextType(int32_t choice, const JwwModel& m) {
  if (choice >= 1 && choice <= 10) return FromTable(m, choice);
  const int32_t current = m.InitTextType;
  if (current == 0) {
    TValueTextType t;
    t.Number = 0;
    t.Width = m.InitTextWidth;
    t.Height = m.InitTextHeight;
    t.Spacing = m.InitTextSpacing;
    t.Colour = m.InitTextColour;
    return t;
  }
  return FromTable(m, (current >= 1 && current <= 10) ? current : 1);
}

std::string ComposeDimValue(const TDimSettings& s, double length) {
  double v = length;
  if (s.UnitChoice == 1) v = static_cast<double>(v / 1000.0L);
  const double rounded = RoundDecimals(s.PrecisionIndex, s.RoundingMode, v);
  std::string text = s.ThousandsComma ? FormatGrouped(s.PrecisionIndex, rounded)
                                      : FormatFixed(s.PrecisionIndex, rounded);
  if (s.ShowZeros == 0) DropTrailingZeros(text);
  if (s.FullWidth) text = ToFullWidth(text);
  text = s.Prefix + text;
  if (s.AppendUnit) {
    if (s.UnitChoice == 0) text += "mm";
    if (s.UnitChoice == 1) text += texts::kUnitMetre;
  }
  return text + s.Suffix;
}

double TextAngle(double axisAngle) {
  long double t = NormalizeDeg(axisAngle);
  if (t >= 180.0L) t -= 180.0L;
  if (t > 90.00000001L) t += 180.0L;
  return static_cast<double>(t);
}

TValueBlock PrepareValueBlock(const TDimSettings& s, const TDimSpan& span,
                              const JwwModel& m) {
  TValueBlock v;
  v.Type = ResolveValueTextType(s.TextTypeChoice, m);
  v.Text = ComposeDimValue(s, span.Length);
  v.Length = TextLength(v.Text, v.Type.Width, v.Type.Spacing);
  v.Angle = TextAngle(m.AxisAngle);
  const long double rad = DegToRad(v.Angle);
  v.DirX = static_cast<double>(10.0L * X87Cos(rad));
  v.DirY = static_cast<double>(10.0L * X87Sin(rad));
  v.AsFigure = s.AsDimFigure;
  v.LineEndA = span.LineEndA;
  v.LineEndB = span.LineEndB;
  v.TextPoint = span.TextPoint;
  return v;
}

void WriteValueBlock(JwwModel& m, const TValueBlock& v) {
  if (v.AsFigure) {
    WriteFigure(m, v);
  } else {
    WritePlain(m, v);
  }
}
