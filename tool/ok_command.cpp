// The OK command's plan: settings, chain, span and drawing, each step
// refusing in the order the dialog checks them.
#include "tool/ok_command.h"

TOkPlan PlanOkCommand(const TForm1& form) {
  TOkPlan plan;
  TDimSettings settings;
  if (const std::optional<ControlId> bad = ReadDimSettings(form, settings)) {
    TDimRefusal r;
    r.Focus = bad;
    plan.Refusal = r;
    return plan;
  }
  const TDimChain stored{{form.PrevX1, form.PrevY1},
                         {form.PrevX2, form.PrevY2},
                         {form.PrevX3, form.PrevY3}};
  const TDimSpanPlan span =
      BuildDimSpan(settings, form.Model, stored, form.SavedScale);
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
