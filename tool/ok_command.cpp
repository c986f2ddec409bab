// The OK command's plan: settings, chain, span and drawing, each step
// refusing in the order the dialog checks them.
#include "tool/ok_command.h"

TDimChain StoredChain(const TForm1& f) {
  return {{f.PrevX1, f.PrevY1}, {f.PrevX2, f.PrevY2}, {f.PrevX3, f.PrevY3}};
}

void StoreChain(TForm1& f, const TDimChain& c) {
  f.PrevX1 = c.First.X, f.PrevY1 = c.First.Y;
  f.PrevX2 = c.Last.X, f.PrevY2 = c.Last.Y;
  f.PrevX3 = c.Level.X, f.PrevY3 = c.Level.Y;
}

TOkPlan PlanOkCommand(const TForm1& form) {
  TOkPlan plan;
  TDimSettings settings;
  if (const std::optional<ControlId> bad = ReadDimSettings(form, settings)) {
    TDimRefusal r;
    r.Focus = bad;
    plan.Refusal = r;
    return plan;
  }
  const TDimSpanPlan span =
      BuildDimSpan(settings, form.Model, StoredChain(form), form.SavedScale);
  if (span.Refusal) {
    plan.Refusal = span.Refusal;
    return plan;
  }
  plan.Chain = span.Chain;
  if (!span.Drawable) {
    plan.RefusalAfterSave = UndrawableRefusal();
    return plan;
  }
  plan.Drawing =
      PlanDimension(settings, span.Span, form.Model, form.SavedAxisAngle);
  if (!AllFinite(plan.Drawing)) plan.RefusalAfterSave = UndrawableRefusal();
  return plan;
}
