// Where the dialog may stand. A saved position can come from another screen
// set-up (a monitor since removed, a lower resolution); applied blindly it
// could leave the title bar where no mouse can reach it, and the dialog could
// then not be moved at all. Such a position is replaced by the design
// position on the primary monitor; every reachable position is kept exactly.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

/// True when enough of `titleBar` (screen pixels) lies inside the work area
/// of some monitor to be grabbed with the mouse.
bool TitleBarReachable(const RECT& titleBar);

/// The top-left corner for a window of `window`'s size whose caption strip
/// is `captionHeight` pixels high, wanted at (left, top): that point when
/// its title bar is reachable, otherwise the design position offset into the
/// primary monitor's work area.
POINT ReachablePosition(HWND window, int left, int top, int captionHeight);
