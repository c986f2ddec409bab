// The dialog window: the window procedures of the dialog and of the
// application window, the creation of both, and the message loop.
//
// Life of the windows: the dialog is created hidden; a queued message then
// runs the form's show handler, so the confirmation box of a refusal has an
// owner; only a dialog that was not closed by it is shown. Every way of
// closing ends in TForm1::Close, which writes the interchange file before
// the port queues the destruction of the windows.
#include "win32/dialog.h"

#include <string>

#include "support/extended_precision.h"
#include "support/wide_text.h"
#include "tool/form.h"
#include "tool/texts.h"
#include "win32/dialog_controls.h"
#include "win32/dialog_layout.h"
#include "win32/form_sync.h"
#include "win32/startup_stamps.h"

namespace {

constexpr UINT kMsgFormShow = WM_APP + 1;
constexpr UINT kMsgDestroy = WM_APP + 2;
constexpr UINT kMsgActivateDialog = WM_APP + 3;

constexpr DWORD kDialogStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kDialogExStyle = 0;
const wchar_t kAppClass[] = L"T482Application";

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kMemoColour = RGB(187, 235, 244);
const COLORREF kStatusColour = RGB(231, 231, 231);

// The one dialog of the process and its form.
struct Context {
  DialogWindows* w = nullptr;
  TForm1* form = nullptr;
  bool inHandler = false;  // a handler of the form is running
  bool shown = false;
  bool painted = false;  // the shown dialog has been painted once
};
Context g;

// Runs a handler of the form; nothing it throws may leave the window
// procedure.
template <typename Handler>
void RunHandler(Handler handler) {
  if (g.form == nullptr || g.inHandler || g.form->Closed()) return;
  g.inHandler = true;
  // DLLs loaded into the process later (input methods, hooks) may have
  // changed the x87 precision since start-up.
  EnsureExtendedPrecision();
  try {
    handler();
  } catch (...) {
  }
  g.inHandler = false;
}

void OnFormShow(DialogWindows& w) {
  RunHandler([&w] {
    // The controls are still empty: the form holds their initial state, and
    // they are filled once, with the settings the show handler loads.
    g.form->FormShow();
    StartupStamp("host file and settings");
    if (g.form->Closed()) return;
    FormToControls(*g.form, w);
    StartupStamp("form to controls");
    // The dialog first: the application window is only a task-bar button,
    // and the user waits for the dialog.
    ShowWindow(w.dialog, SW_SHOW);
    ShowWindow(w.app, SW_SHOWNA);
    g.shown = true;
    HWND first = w.Window(ControlId::ComboBox1);
    if (first != nullptr) {
      SendMessageW(w.dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first),
                   TRUE);
    }
    StartupStamp("shown");
  });
}

void OnOk(DialogWindows& w) {
  RunHandler([&w] {
    ControlsToForm(w, *g.form);
    g.form->Button1Click();
  });
}

void OnCancel() {
  RunHandler([] { g.form->Button2Click(); });
}

void OnClose() {
  RunHandler([] { g.form->Close(); });
}

INT_PTR HandleDialogMessage(HWND dialog, UINT message, WPARAM wParam,
                            LPARAM lParam) {
  DialogWindows& w = *g.w;
  switch (message) {
    case WM_INITDIALOG: return FALSE;  // focus is set once the dialog is shown
    case WM_PAINT:
      if (g.shown && !g.painted) {
        g.painted = true;
        StartupStamp("first paint");
      }
      return FALSE;  // the dialog paints itself
    case kMsgFormShow: OnFormShow(w); return TRUE;
    case kMsgDestroy:
      // The owner takes its dialog with it.
      DestroyWindow(w.app != nullptr ? w.app : dialog);
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED || lParam == 0) {
        if (LOWORD(wParam) == IDOK) {
          OnOk(w);
          return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
          OnCancel();
          return TRUE;
        }
      }
      return FALSE;
    case WM_CLOSE: OnClose(); return TRUE;
    case WM_SYSCOMMAND:
      // Minimising the dialog minimises the application, whose task-bar
      // button carries the application's title.
      if ((wParam & 0xFFF0) == SC_MINIMIZE) {
        ShowWindow(w.app, SW_MINIMIZE);
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 0);
        return TRUE;
      }
      return FALSE;
    case WM_ENDSESSION:
      if (wParam) OnClose();
      return TRUE;
    case WM_DESTROY:
      // However the window goes, the form closes first.
      w.dialog = nullptr;
      if (g.form != nullptr && !g.form->Closed() && !g.inHandler) {
        try {
          g.form->Close();
        } catch (...) {
        }
      }
      PostQuitMessage(0);
      return TRUE;
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(w.white);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      HWND control = reinterpret_cast<HWND>(lParam);
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      if (control == w.memo) {
        SetBkColor(dc, kMemoColour);
        return reinterpret_cast<INT_PTR>(w.memoBrush);
      }
      if (control == w.status) {
        SetBkColor(dc, kStatusColour);
        return reinterpret_cast<INT_PTR>(w.statusBrush);
      }
      SetBkColor(dc, kWhite);
      return reinterpret_cast<INT_PTR>(w.white);
    }
  }
  return FALSE;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam,
                            LPARAM lParam) {
  if (g.w == nullptr) return FALSE;
  try {
    return HandleDialogMessage(dialog, message, wParam, lParam);
  } catch (...) {
    return FALSE;
  }
}

LRESULT CALLBACK AppProc(HWND app, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
      case WM_ACTIVATE:
        // The application window is only a task-bar button: hand the
        // activation on to the dialog or its message box.
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
          PostMessageW(app, kMsgActivateDialog, 0, 0);
        }
        return 0;
      case kMsgActivateDialog: {
        HWND popup = GetLastActivePopup(app);
        if (popup != app && IsWindowVisible(popup)) SetActiveWindow(popup);
        return 0;
      }
      case WM_CLOSE:
        if (g.w != nullptr && g.w->dialog != nullptr) {
          PostMessageW(g.w->dialog, WM_CLOSE, 0, 0);
        }
        return 0;
      case WM_ENDSESSION:
        if (wParam && g.w != nullptr && g.w->dialog != nullptr) {
          SendMessageW(g.w->dialog, WM_ENDSESSION, wParam, lParam);
        }
        return 0;
      case WM_DESTROY:
        if (g.w != nullptr) g.w->app = nullptr;
        PostQuitMessage(0);
        return 0;
    }
  } catch (...) {
    return 0;
  }
  return DefWindowProcW(app, message, wParam, lParam);
}

// An in-memory dialog template with the caption and no controls: they are
// created in pixels from the layout table, not in dialog units.
struct alignas(4) CaptionTemplate {
  DLGTEMPLATE header;
  WORD menu, windowClass;
  wchar_t title[32];
};

}  // namespace

bool CreateMainDialog(HINSTANCE instance, TForm1& form, DialogWindows& w) {
  g.w = &w;
  g.form = &form;
  w.fonts = CreateDialogFonts();
  StartupStamp("fonts");
  w.white = CreateSolidBrush(kWhite);
  w.memoBrush = CreateSolidBrush(kMemoColour);
  w.statusBrush = CreateSolidBrush(kStatusColour);

  WNDCLASSEXW appClass = {};
  appClass.cbSize = sizeof appClass;
  appClass.lpfnWndProc = AppProc;
  appClass.hInstance = instance;
  appClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  appClass.lpszClassName = kAppClass;
  if (!RegisterClassExW(&appClass)) return false;
  // Like a classic application object: a caption-only window without size
  // whose title is what the task bar shows for the program.
  int centreX = GetSystemMetrics(SM_CXSCREEN) / 2;
  int centreY = GetSystemMetrics(SM_CYSCREEN) / 2;
  w.app = CreateWindowExW(
      0, kAppClass, SjisToWide(texts::kAppTitle).c_str(),
      WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
      centreX, centreY, 0, 0, nullptr, nullptr, instance, nullptr);
  if (w.app == nullptr) return false;

  CaptionTemplate tpl = {};
  tpl.header.style = kDialogStyle;
  tpl.header.dwExtendedStyle = kDialogExStyle;
  lstrcpynW(tpl.title, SjisToWide(texts::kDialogCaption).c_str(),
            static_cast<int>(sizeof tpl.title / sizeof tpl.title[0]));
  w.dialog =
      CreateDialogIndirectParamW(instance, &tpl.header, w.app, DialogProc, 0);
  if (w.dialog == nullptr) return false;
  StartupStamp("windows");

  RECT frame = {0, 0, layout::kClientWidth, layout::kClientHeight};
  AdjustWindowRectEx(&frame, kDialogStyle, FALSE, kDialogExStyle);
  w.captionHeight = -frame.top;
  SetWindowPos(w.dialog, nullptr, layout::kDesignLeft, layout::kDesignTop,
               frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (!CreateControls(w, form)) return false;
  StartupStamp("controls");
  SendMessageW(w.dialog, DM_SETDEFID, IDOK, 0);
  PostMessageW(w.dialog, kMsgFormShow, 0, 0);
  return true;
}

void RunMessageLoop(DialogWindows& w) {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (w.dialog != nullptr && IsDialogMessageW(w.dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void QueueDialogDestruction(DialogWindows& w) {
  if (w.dialog == nullptr) return;
  ShowWindow(w.dialog, SW_HIDE);
  PostMessageW(w.dialog, kMsgDestroy, 0, 0);
}
