// Reachability of the dialog's title bar (see window_placement.h).
#include "win32/window_placement.h"

#include <algorithm>
#include <climits>

#include "win32/dialog_layout.h"

namespace {

// The smallest part of the title bar that still lets the user drag it.
constexpr int kMinGripWidth = 40;
constexpr int kMinGripHeight = 6;

}  // namespace

bool TitleBarReachable(const RECT& titleBar) {
  HMONITOR monitor = MonitorFromRect(&titleBar, MONITOR_DEFAULTTONULL);
  if (monitor == nullptr) return false;
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return false;
  RECT grip = {};
  if (!IntersectRect(&grip, &titleBar, &info.rcWork)) return false;
  return grip.right - grip.left >= kMinGripWidth &&
         grip.bottom - grip.top >=
             std::min<LONG>(kMinGripHeight, titleBar.bottom - titleBar.top);
}

POINT ReachablePosition(HWND window, int left, int top, int captionHeight) {
  RECT frame = {};
  GetWindowRect(window, &frame);
  // 64-bit sums: a saved position near the int range must not wrap around.
  long long width = frame.right - frame.left;
  long long right = static_cast<long long>(left) + width;
  long long bottom = static_cast<long long>(top) + captionHeight;
  if (right <= INT_MAX && bottom <= INT_MAX) {
    RECT titleBar = {left, top, static_cast<LONG>(right),
                     static_cast<LONG>(bottom)};
    if (TitleBarReachable(titleBar)) return POINT{left, top};
  }
  POINT origin = {0, 0};
  HMONITOR primary = MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (primary != nullptr && GetMonitorInfoW(primary, &info)) {
    origin.x = info.rcWork.left;
    origin.y = info.rcWork.top;
  }
  return POINT{origin.x + layout::kDesignLeft, origin.y + layout::kDesignTop};
}
