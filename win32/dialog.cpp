// The dialog window: creation from the layout table, the window procedures
// of the dialog and of the application window, and the message loop.
//
// Life of the windows: the dialog is created hidden; a queued message then
// runs the form's show handler, so the confirmation box of a refusal has an
// owner; only a dialog that was not closed by it is shown. Every way of
// closing ends in TForm1::Close, which writes the interchange file before
// the port queues the destruction of the windows.
#include "win32/dialog.h"

#include <imm.h>

#include <initializer_list>
#include <string>
#include <type_traits>

#include "support/extended_precision.h"
#include "support/wide_text.h"
#include "tool/form.h"
#include "tool/texts.h"
#include "win32/form_sync.h"

namespace {

constexpr UINT kMsgFormShow = WM_APP + 1;
constexpr UINT kMsgDestroy = WM_APP + 2;
constexpr UINT kMsgActivateDialog = WM_APP + 3;

constexpr DWORD kDialogStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kDialogExStyle = 0;
constexpr int kFirstChildId = 100;
constexpr int kListVisibleItems = 8;  // rows of an opened drop-down list
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
};
Context g;

HFONT CreateDialogFont(const std::wstring& face, int height) {
  return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                     SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                     face.empty() ? nullptr : face.c_str());
}

// Whether the font mapper gave the font the face it asks for, tried on a
// screen DC: the font is then realised for the measuring that follows.
bool HasFace(HFONT font, const std::wstring& face) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  wchar_t got[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, got);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  return lstrcmpiW(got, face.c_str()) == 0;
}

// The dialog's font of the given height in the designed face, or when that
// is missing in the nearest Japanese fixed-pitch face the system offers, or
// when neither is installed in the fixed-pitch face the mapper picks. The
// face found is left in face for the dialog's other font.
HFONT CreateFirstDialogFont(std::wstring& face, int height) {
  face = SjisToWide(texts::kDialogFont);
  for (const wchar_t* fallback : {L"MS Gothic", L""}) {
    HFONT font = CreateDialogFont(face, height);
    if (font == nullptr || HasFace(font, face)) return font;
    DeleteObject(font);
    face = fallback;
  }
  return CreateDialogFont(face, height);
}

// Measures captions in the dialog's fonts on one screen DC, kept for the
// whole construction of the controls.
class TextMeasure {
 public:
  TextMeasure() : dc_(GetDC(nullptr)) {}
  ~TextMeasure() {
    if (original_ != nullptr) SelectObject(dc_, original_);
    ReleaseDC(nullptr, dc_);
  }
  TextMeasure(const TextMeasure&) = delete;
  TextMeasure& operator=(const TextMeasure&) = delete;

  int LineHeight(HFONT font) {
    Select(font);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc_, &metrics);
    return metrics.tmHeight;
  }

  SIZE Extent(HFONT font, const std::wstring& text) {
    Select(font);
    SIZE size = {0, 0};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()),
                          &size);
    return size;
  }

 private:
  void Select(HFONT font) {
    if (font == selected_) return;
    HGDIOBJ previous = SelectObject(dc_, font);
    if (original_ == nullptr) original_ = previous;
    selected_ = font;
  }

  HDC dc_;
  HGDIOBJ original_ = nullptr;
  HFONT selected_ = nullptr;
};

HWND CreateChild(HWND parent, const wchar_t* cls, const std::wstring& text,
                 DWORD style, DWORD exStyle, int x, int y, int cx, int cy,
                 int id, HFONT font) {
  HWND child = CreateWindowExW(
      exStyle, cls, text.c_str(), WS_CHILD | style, x, y, cx, cy, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      GetModuleHandleW(nullptr), nullptr);
  if (child != nullptr)
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

// Drop-down lists size their selection field from the font; make it the
// height the layout gives.
void FitListHeight(HWND list, int wanted) {
  RECT r = {};
  GetWindowRect(list, &r);
  int now = r.bottom - r.top;
  if (now == wanted) return;
  LRESULT field =
      SendMessageW(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  if (field == CB_ERR) return;
  SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
               field + (wanted - now));
}

// The notes take no keys from the dialog: Enter presses the default button,
// Esc cancels and Tab moves on, as everywhere else in the dialog.
WNDPROC g_memoProc = nullptr;
LRESULT CALLBACK NotesProc(HWND memo, UINT message, WPARAM wParam,
                           LPARAM lParam) {
  LRESULT result = CallWindowProcW(g_memoProc, memo, message, wParam, lParam);
  if (message == WM_GETDLGCODE) {
    result &=
        ~(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB | DLGC_HASSETSEL);
  }
  return result;
}

// The form's state of the radio group `id`, found through the table of
// controls; null for any other control.
const TRadioGroup* RadioGroupState(const TForm1& form, ControlId id) {
  const TRadioGroup* found = nullptr;
  ForEachControlState(form, [&](ControlId c, const auto& state) {
    if constexpr (std::is_same_v<std::decay_t<decltype(state)>, TRadioGroup>) {
      if (c == id) found = &state;
    }
  });
  return found;
}

bool CreateControls(DialogWindows& w, const TForm1& form) {
  int count = 0;
  const layout::ControlSpec* specs = layout::Controls(&count);
  w.rows.assign(static_cast<size_t>(count), nullptr);
  w.radios[0].assign(static_cast<size_t>(count), nullptr);
  w.radios[1].assign(static_cast<size_t>(count), nullptr);
  TextMeasure measure;
  const int lineHeight = measure.LineHeight(w.font);
  const int smallLineHeight = measure.LineHeight(w.smallFont);
  for (int i = 0; i < count; ++i) {
    const layout::ControlSpec& s = specs[i];
    std::wstring caption = s.caption ? SjisToWide(s.caption) : std::wstring();
    HFONT font = s.smallFont ? w.smallFont : w.font;
    int fontLineHeight = s.smallFont ? smallLineHeight : lineHeight;
    int id = kFirstChildId + i;
    if (s.formControl == static_cast<int>(ControlId::Button1)) id = IDOK;
    if (s.formControl == static_cast<int>(ControlId::Button2)) id = IDCANCEL;
    DWORD tab = s.tabOrder >= 0 ? WS_TABSTOP | WS_GROUP : 0;
    HWND h = nullptr;
    switch (s.kind) {
      case layout::Kind::DropDownList: {
        h = CreateChild(w.dialog, L"COMBOBOX", L"",
                        WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL | tab, 0,
                        s.left, s.top, s.width,
                        s.height + kListVisibleItems * fontLineHeight + 2, id,
                        font);
        if (h != nullptr) FitListHeight(h, s.height);
        break;
      }
      case layout::Kind::Edit:
        h = CreateChild(w.dialog, L"EDIT", L"",
                        WS_VISIBLE | ES_AUTOHSCROLL | tab, WS_EX_CLIENTEDGE,
                        s.left, s.top, s.width, s.height, id, font);
        break;
      case layout::Kind::RadioGroup: {
        h = CreateChild(w.dialog, L"BUTTON", caption, WS_VISIBLE | BS_GROUPBOX,
                        0, s.left, s.top, s.width, s.height, id, font);
        // Two columns under the caption, as a two-column radio group lays
        // out its buttons, with the form's initial items: the form later
        // sets only what differs.
        const TRadioGroup* group =
            RadioGroupState(form, static_cast<ControlId>(s.formControl));
        if (group == nullptr) return false;
        const TRadioGroup& state = *group;
        int columnWidth = (s.width - 10) / 2;
        int rowHeight = s.height - fontLineHeight - 5;
        for (int k = 0; k < 2; ++k) {
          const bool exists = static_cast<size_t>(k) < state.Items.size();
          w.radios[k][static_cast<size_t>(i)] = CreateChild(
              w.dialog, L"BUTTON",
              exists ? SjisToWide(state.Items[static_cast<size_t>(k)])
                     : std::wstring(),
              (exists ? WS_VISIBLE : 0) | BS_AUTORADIOBUTTON |
                  (k == 0 ? tab : 0),
              0, s.left + 8 + k * columnWidth, s.top + fontLineHeight + 1,
              columnWidth, rowHeight, id + 1000 * (k + 1), font);
          if (w.radios[k][static_cast<size_t>(i)] == nullptr) return false;
        }
        // The form's initial choice, while the group still ends the short
        // list of controls: checking an auto radio button walks them all to
        // clear the rest of its group.
        if (state.ItemIndex >= 0 && state.ItemIndex < 2) {
          SendMessageW(w.radios[state.ItemIndex][static_cast<size_t>(i)],
                       BM_SETCHECK, BST_CHECKED, 0);
        }
        break;
      }
      case layout::Kind::CheckBox:
        h = CreateChild(w.dialog, L"BUTTON", caption,
                        WS_VISIBLE | BS_AUTOCHECKBOX | tab, 0, s.left, s.top,
                        s.width, s.height, id, font);
        break;
      case layout::Kind::Button: {
        bool isDefault = id == IDOK;
        h = CreateChild(
            w.dialog, L"BUTTON", caption,
            WS_VISIBLE | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | tab,
            0, s.left, s.top, s.width, s.height, id, font);
        break;
      }
      case layout::Kind::Memo:
        h = CreateChild(w.dialog, L"EDIT", L"",
                        WS_VISIBLE | ES_MULTILINE | ES_READONLY | WS_VSCROLL |
                            ES_AUTOHSCROLL,
                        WS_EX_CLIENTEDGE, s.left, s.top, s.width, s.height, id,
                        font);
        w.memo = h;
        if (h != nullptr) {
          g_memoProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
              h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NotesProc)));
        }
        break;
      case layout::Kind::Label: {
        SIZE size = measure.Extent(font, caption);
        h = CreateChild(w.dialog, L"STATIC", caption,
                        WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, s.left,
                        s.top, size.cx, fontLineHeight, id, font);
        break;
      }
      case layout::Kind::StatusLine:
        h = CreateChild(w.dialog, L"STATIC", L"",
                        WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX,
                        0, s.left, s.top, s.width, s.height, id, font);
        w.status = h;
        break;
    }
    if (h == nullptr) return false;
    w.rows[static_cast<size_t>(i)] = h;
    if (s.formControl >= 0 && !s.imeAllowed &&
        (s.kind == layout::Kind::Edit ||
         s.kind == layout::Kind::DropDownList)) {
      ImmAssociateContext(h, nullptr);
    }
  }
  return true;
}

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
    if (g.form->Closed()) return;
    FormToControls(*g.form, w);
    ShowWindow(w.app, SW_SHOWNA);
    ShowWindow(w.dialog, SW_SHOW);
    g.shown = true;
    HWND first = w.Window(ControlId::ComboBox1);
    if (first != nullptr) {
      SendMessageW(w.dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first),
                   TRUE);
    }
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

int DialogWindows::Row(ControlId id) {
  int count = 0;
  const layout::ControlSpec* specs = layout::Controls(&count);
  for (int i = 0; i < count; ++i) {
    if (specs[i].formControl == static_cast<int>(id)) return i;
  }
  return -1;
}

HWND DialogWindows::Window(ControlId id) const {
  int row = Row(id);
  if (row < 0 || static_cast<size_t>(row) >= rows.size()) return nullptr;
  if (radios[0][static_cast<size_t>(row)] != nullptr) {
    HWND second = radios[1][static_cast<size_t>(row)];
    if (second != nullptr &&
        SendMessageW(second, BM_GETCHECK, 0, 0) == BST_CHECKED) {
      return second;
    }
    return radios[0][static_cast<size_t>(row)];
  }
  return rows[static_cast<size_t>(row)];
}

bool CreateMainDialog(HINSTANCE instance, TForm1& form, DialogWindows& w) {
  g.w = &w;
  g.form = &form;
  std::wstring face;
  w.font = CreateFirstDialogFont(face, layout::kFontHeight);
  w.smallFont = CreateDialogFont(face, layout::kSmallFontHeight);
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

  RECT frame = {0, 0, layout::kClientWidth, layout::kClientHeight};
  AdjustWindowRectEx(&frame, kDialogStyle, FALSE, kDialogExStyle);
  w.captionHeight = -frame.top;
  SetWindowPos(w.dialog, nullptr, layout::kDesignLeft, layout::kDesignTop,
               frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (!CreateControls(w, form)) return false;
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
