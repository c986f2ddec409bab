// The start-up floor: the least a Win32 program does to show a window. It
// registers a class, creates one empty top-level window with the tool's
// dialog caption and runs the message loop. Built by the Windows build as
// floor_window.exe, with the toolchain's flags and the manifest of t482.exe
// (common controls 6) like t482.exe.
//
// Built as floor_controls.exe (FLOOR_CONTROLS) it also creates, before showing
// the window, as many standard controls of each kind as the tool's dialog has,
// in a Japanese font: the floor of any dialog of that size, which tells the
// cost of the controls themselves from the cost of the tool's own work.
// Both stamp the stages of start-up they share with t482.exe
// (startup_stamps.h).
#include <windows.h>

#include "win32/startup_stamps.h"

namespace {

LRESULT CALLBACK FloorProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

#ifdef FLOOR_CONTROLS
struct ControlKind {
  const wchar_t* cls;
  DWORD style;
  DWORD exStyle;
  int count;
};

// Labels, edits, drop-down lists, check boxes, push buttons, the memo,
// the radio groups' frames and buttons, the status line.
const ControlKind kKinds[] = {
    {L"STATIC", SS_LEFT, 0, 23},
    {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 9},
    {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 5},
    {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 4},
    {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 2},
    {L"EDIT", ES_MULTILINE | ES_READONLY | WS_VSCROLL, WS_EX_CLIENTEDGE, 1},
    {L"BUTTON", BS_GROUPBOX, 0, 2},
    {L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, 0, 4},
};

void CreateControls(HWND parent, HINSTANCE instance) {
  // "ＭＳ ゴシック"
  HFONT font = CreateFontW(
      -12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
      FIXED_PITCH | FF_MODERN, L"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF");
  int n = 0;
  for (const ControlKind& kind : kKinds) {
    for (int i = 0; i < kind.count; ++i, ++n) {
      // "設定" as every caption.
      HWND control = CreateWindowExW(
          kind.exStyle, kind.cls, L"\u8A2D\u5B9A",
          WS_CHILD | WS_VISIBLE | kind.style, (n % 6) * 100, (n / 6) * 30, 90,
          kind.style & CBS_DROPDOWNLIST ? 200 : 24, parent,
          reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + n)), instance,
          nullptr);
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    }
  }
}
#endif

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  StartupStamp("to WinMain");
  WNDCLASSW wc = {};
  wc.lpfnWndProc = FloorProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"T482BenchFloor";
  if (!RegisterClassW(&wc)) return 1;
  // "ハルカゼ", the caption the benchmark waits for.
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"\u30CF\u30EB\u30AB\u30BC",
                              WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                              620, 480, nullptr, nullptr, instance, nullptr);
  if (hwnd == nullptr) return 1;
  StartupStamp("windows");
#ifdef FLOOR_CONTROLS
  CreateControls(hwnd, instance);
  StartupStamp("controls");
#endif
  ShowWindow(hwnd, show);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
