// The OK button: read and check the dialog, extend the chain, draw the
// dimension and close. Refusals are shown to the user; nothing is raised.
#include "tool/dim_drawing.h"
#include "tool/dim_input.h"
#include "tool/form.h"

void TForm1::Button1Click() {
  // A closed dialog has handed its model to the host already.
  if (Closed()) return;
  WindowLeft = Port().DialogLeft();
  WindowTop = Port().DialogTop();
  TDimSettings settings;
  if (!ReadDimSettings(*this, settings)) return;
  TDimSpan span;
  if (BuildDimSpan(*this, settings, span) != TDimSpanOutcome::Ready) return;
  DrawDimension(*this, settings, span);
}
