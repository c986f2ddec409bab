// Reading the dialog and building the new dimension's geometry. Checks run
// in the dialog's fixed order so that the first bad control gets the focus;
// the side test and the zero-length test compare extended-precision values
// against a tolerance of 1e-10.
#include "tool/dim_input.h"

#include <cmath>
#include <utility>

#include "support/geometry.h"
#include "support/number_text.h"
#include "support/sjis.h"
#include "tool/dim_points.h"
#include "tool/texts.h"

namespace {

TDimRefusal Message(const char* text, bool closeDialog) {
  TDimRefusal r;
  r.Message = text;
  r.CloseDialog = closeDialog;
  return r;
}

// A prefix or suffix without visible content counts as empty; otherwise it
// stays exactly as typed, its blanks included.
std::string BlankChecked(const std::string& text) {
  return StripBlanks(text).empty() ? std::string() : text;
}

// The point in the axis frame about `centre` (turned by minus the axis
// angle), and back.
TDimPoint ToAxisFrame(TDimPoint p, TDimPoint centre, double axisAngle) {
  return Rotated(p, centre, -axisAngle);
}
TDimPoint FromAxisFrame(TDimPoint p, TDimPoint centre, double axisAngle) {
  return Rotated(p, centre, axisAngle);
}

// A stored coordinate at the scale it was saved with, moved to the current
// scale so that the chain keeps its place on the paper.
double ToCurrentScale(double v, double savedScale, double drawScale) {
  return static_cast<double>(v / static_cast<long double>(savedScale) *
                             drawScale);
}

double ToDrawingUnits(double paperMm, double drawScale) {
  return static_cast<double>(static_cast<long double>(paperMm) * drawScale);
}

// The foot of `end` on the dimension line through `level` along the axis.
TDimPoint FootOnDimensionLine(TDimPoint end, TDimPoint level,
                              double axisAngle) {
  const TDimPoint c = ToAxisFrame(level, end, axisAngle);
  return FromAxisFrame(TDimPoint{end.X, c.Y}, end, axisAngle);
}

bool HasPickedPoints(const JwwModel& m) {
  return m.HpPoints.size() > 2 && m.HpPoints[1].Used != 0 &&
         m.HpPoints[2].Used != 0;
}

}  // namespace

TDimRefusal UndrawableRefusal() {
  return Message(texts::kMsgZeroLength, false);
}

std::optional<ControlId> ReadDimSettings(const TForm1& form, TDimSettings& s) {
  s.StartKind = form.ComboBox1.ItemIndex;
  s.EndKind = form.ComboBox2.ItemIndex;
  s.EndScale = SafeStrToFloat(form.Edit1.Text);
  if (s.StartKind < 0) return ControlId::ComboBox1;
  if (s.EndKind < 0) return ControlId::ComboBox2;
  if (!(s.EndScale > 0)) return ControlId::Edit1;

  s.ArrowLength = SafeStrToFloat(form.Edit7.Text);
  s.ArrowAngle = SafeStrToFloat(form.Edit8.Text);
  if (s.ArrowLength <= 0 || s.ArrowLength > 1000) {
    return ControlId::Edit7;
  }
  if (s.ArrowAngle <= 0 || s.ArrowAngle >= 180) {
    return ControlId::Edit8;
  }

  s.TextTypeChoice = form.ComboBox3.ItemIndex;
  s.Prefix = BlankChecked(form.Edit2.Text);
  s.Suffix = BlankChecked(form.Edit3.Text);
  s.PrecisionIndex = form.ComboBox4.ItemIndex;
  s.RoundingMode = form.ComboBox5.ItemIndex;
  s.ShowZeros = form.RadioGroup1.ItemIndex;
  s.UnitChoice = form.RadioGroup2.ItemIndex;
  s.ThousandsComma = form.CheckBox1.Checked;
  s.AppendUnit = form.CheckBox2.Checked;
  s.FullWidth = form.CheckBox3.Checked;
  s.AsDimFigure = form.CheckBox4.Checked;
  s.ValueGap = SafeStrToFloat(form.Edit4.Text);
  s.PointGap = SafeStrToFloat(form.Edit5.Text);
  s.Overshoot = SafeStrToFloat(form.Edit6.Text);
  s.ReverseOverhang = SafeStrToFloat(form.Edit9.Text);
  if (s.TextTypeChoice < 0) return ControlId::ComboBox3;
  if (s.PrecisionIndex < 0) return ControlId::ComboBox4;
  if (s.RoundingMode < 0) return ControlId::ComboBox5;
  if (s.ShowZeros < 0) return ControlId::RadioGroup1;
  if (s.UnitChoice < 0) return ControlId::RadioGroup2;
  if (s.PointGap < 0) return ControlId::Edit5;
  if (s.Overshoot < 0) return ControlId::Edit6;
  if (s.ReverseOverhang < 0) return ControlId::Edit9;
  return std::nullopt;
}

TDimSpanPlan BuildDimSpan(const TDimSettings& s, const JwwModel& m,
                          const TDimChain& stored, double savedScale) {
  TDimSpanPlan plan;
  TDimSpan& span = plan.Span;
  // Without the host's two picked points there is nothing to measure: the
  // model's empty entries would silently draw a dimension to the origin.
  if (!HasPickedPoints(m)) {
    plan.Refusal = Message(texts::kMsgNoPickedPoint, true);
    return plan;
  }
  const double axis = m.AxisAngle;

  // The stored chain in the current drawing's units.
  const double drawScale = InitGroupScale(m);
  auto current = [&](TDimPoint p) {
    return TDimPoint{ToCurrentScale(p.X, savedScale, drawScale),
                     ToCurrentScale(p.Y, savedScale, drawScale)};
  };
  TDimPoint a = current(stored.First);
  TDimPoint b = current(stored.Last);
  const TDimPoint c = current(stored.Level);
  const TDimPoint p1{m.HpPoints[1].X, m.HpPoints[1].Y};
  const TDimPoint p2{m.HpPoints[2].X, m.HpPoints[2].Y};

  // A chain that overflows at the current scale (or a scale that is no
  // number) cannot be drawn or stored: refuse before anything is saved, so
  // that neither file ever receives an infinity or a NaN.
  if (!std::isfinite(drawScale) || !Finite(a) || !Finite(b) || !Finite(c) ||
      !Finite(p1) || !Finite(p2)) {
    plan.Refusal = UndrawableRefusal();
    return plan;
  }

  // Order the ends along the axis, then see where point 1 lies.
  if (a.X > ToAxisFrame(b, a, axis).X) std::swap(a, b);
  const TDimPoint p1Axis = ToAxisFrame(p1, a, axis);
  const TDimPoint bAxis = ToAxisFrame(b, a, axis);
  if (static_cast<long double>(a.X) - 1e-10L > p1Axis.X) {
    span.Side = TDimSide::Left;
  } else if (static_cast<long double>(p1Axis.X) >
             static_cast<long double>(bAxis.X) + 1e-10L) {
    span.Side = TDimSide::Right;
  } else {
    plan.Refusal = Message(texts::kMsgInsideChain, true);
    return plan;
  }

  // The chain extended to point 1.
  if (span.Side == TDimSide::Left) {
    plan.Chain = TDimChain{p1, b, c};
    span.EndA = p1;
    span.EndB = a;
  } else {
    plan.Chain = TDimChain{a, p1, c};
    span.EndA = b;
    span.EndB = p1;
  }
  span.DrawScale = drawScale;
  span.LevelPoint = c;
  span.TextPoint = p2;

  span.ValueGap = ToDrawingUnits(s.ValueGap, drawScale);
  span.PointGap = ToDrawingUnits(s.PointGap, drawScale);
  span.Overshoot = ToDrawingUnits(s.Overshoot, drawScale);
  span.ReverseOverhang = ToDrawingUnits(s.ReverseOverhang, drawScale);

  span.LineEndA = FootOnDimensionLine(span.EndA, span.LevelPoint, axis);
  span.LineEndB = FootOnDimensionLine(span.EndB, span.LevelPoint, axis);
  span.Length = Distance(span.LineEndA.X, span.LineEndA.Y, span.LineEndB.X,
                         span.LineEndB.Y);

  // A line that overflowed, or distances that did, are as undrawable as a
  // line of no length.
  const bool finite =
      Finite(span.LineEndA) && Finite(span.LineEndB) &&
      std::isfinite(span.Length) && std::isfinite(span.ValueGap) &&
      std::isfinite(span.PointGap) && std::isfinite(span.Overshoot) &&
      std::isfinite(span.ReverseOverhang);
  plan.Drawable = finite && fabsl(span.Length) >= 1e-10L;
  return plan;
}
