// The OK button: the one place where the OK command has effects. Its plan is
// worked out without any (ok_command.h); here it is carried out in the order
// the construction requires: refusals shown, the chain stored and saved,
// the status line, the records, and closing.
#include "interchange/jwc_writer.h"
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

  // A press that fails before its drawing is complete (memory running out,
  // which the window procedure catches) takes back the chain it stored, the
  // records it appended and the writer's record of what it wrote: no part
  // of its drawing reaches the host, and pressing again is the same press.
  // Only t207.dat keeps the chain once saved; pressing again saves it again.
  const TDimChain before = StoredChain(*this);
  TJwcWriterMark mark = MarkJwcWriter(Model);
  try {
    // The chain now reaches point 1, and is saved before anything is drawn.
    StoreChain(*this, plan.Chain);
    // A failed save is never shown, and the dimension is drawn all the same.
    (void)SaveSettings(ExePath + "t207.dat");
    if (plan.RefusalAfterSave) {
      refuse(*plan.RefusalAfterSave);
      return;
    }
    SetStatus(texts::kStatusBuilding);
    WriteDimension(Model, plan.Drawing);
  } catch (...) {
    StoreChain(*this, before);
    RollBackJwcWriter(Model, mark);
    throw;
  }
  SetStatus(texts::kStatusWriting);
  Close();
}
