// The controls' names, and the check on the table that makes a tab stop's
// ControlId its place in the tab order.
#include "tool/controls.h"

namespace {
constexpr bool TabStopsFirst() {
  for (int i = 1; i < kControlCount; ++i) {
    if (IsTabStop(kControls[i].kind) && !IsTabStop(kControls[i - 1].kind))
      return false;
  }
  return true;
}
static_assert(TabStopsFirst(), "the tab stops stand first, in tab order");
}  // namespace

const char* ControlName(ControlId id) {
  const int i = static_cast<int>(id);
  return i >= 0 && i < kControlCount ? kControls[i].name : "?";
}
