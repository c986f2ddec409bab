// Program entry of t482.exe: extended precision for the arithmetic, the
// form, the dialog around it, and the message loop until the dialog closes.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "support/extended_precision.h"
#include "tool/form.h"
#include "win32/dialog.h"
#include "win32/startup_stamps.h"
#include "win32/win32_port.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  StartupStamp("to WinMain");
  // The start-up code may leave the x87 unit at 53 bits; the rounding of
  // dimension values needs all 64.
  EnsureExtendedPrecision();
  try {
    DialogWindows windows;
    Win32Port port(windows);
    TForm1 form(port);
    if (!CreateMainDialog(instance, form, windows)) return 1;
    RunMessageLoop(windows);
    // The loop ends when the dialog is gone, and the dialog closes the form
    // on its way out; this covers a loop ended by anything else. A form
    // that was never shown has no folder to write to.
    if (!form.Closed() && !form.ExePath.empty()) form.Close();
  } catch (...) {
    return 1;
  }
  return 0;
}
