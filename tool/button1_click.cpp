// The OK button: the one place where the OK command has effects. Its plan is
// worked out without any (ok_command.h); here it is carried out in the order
// the construction requires: refusals shown, the chain stored and saved,
// the status line, the records, and closing.
#include "tool/form.h"
#include "tool/ok_command.h"
#include "tool/texts.h"

void TForm1::Button1Click() {
  // A closed dialog has handed its model to the host already.
  if (Closed()) return;
  WindowLeft = Port().DialogLeft();
  WindowTop = Port().DialogTop();

  const TOkPlan plan = PlanOkCommand(*this);
  auto refuse = [this](const TDimRefusal& r) {
    if (r.Focus) Port().FocusControl(*r.Focus);
    if (r.Message) Port().ShowConfirmation(r.Message);
    if (r.CloseDialog) Close();
  };
  if (plan.Refusal) {
    refuse(*plan.Refusal);
    return;
  }

  // The chain now reaches point 1, and is saved before anything is drawn.
  PrevX1 = plan.Chain.First.X, PrevY1 = plan.Chain.First.Y;
  PrevX2 = plan.Chain.Last.X, PrevY2 = plan.Chain.Last.Y;
  PrevX3 = plan.Chain.Level.X, PrevY3 = plan.Chain.Level.Y;
  // A failed save is never shown, and the dimension is drawn all the same.
  (void)SaveSettings(ExePath + "t207.dat");
  if (plan.RefusalAfterSave) {
    refuse(*plan.RefusalAfterSave);
    return;
  }

  SetStatus(texts::kStatusBuilding);
  WriteDimension(Model, plan.Drawing);
  SetStatus(texts::kStatusWriting);
  Close();
}
