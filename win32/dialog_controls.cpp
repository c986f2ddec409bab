// The dialog's controls, created from the table of controls (see
// dialog_controls.h), and the lookup of a control's window by its ControlId.
#include "win32/dialog_controls.h"

#include <imm.h>

#include <array>
#include <string>

#include "support/wide_text.h"
#include "tool/form.h"
#include "win32/dialog_layout.h"

namespace {

constexpr int kFirstChildId = 100;
constexpr int kListVisibleItems = 8;  // rows of an opened drop-down list

constexpr const ControlSpec& kStatus = SpecOf(ControlId::LabelA1);
static_assert(kStatus.kind == ControlKind::StatusLine && kStatus.left == 0 &&
                  kStatus.top ==
                      layout::kClientHeight - layout::kStatusHeight &&
                  kStatus.width == layout::kClientWidth &&
                  kStatus.height == layout::kStatusHeight,
              "the status line spans the bottom of the client area");

// The form's state of each radio group, by ControlId; null for the other
// controls (`{}` for those whose kind keeps no state).
using RadioGroupMember = TRadioGroup TForm1Controls::*;
constexpr RadioGroupMember RadioGroupOf(RadioGroupMember member) {
  return member;
}
template <typename State>
constexpr RadioGroupMember RadioGroupOf(State TForm1Controls::*) {
  return nullptr;
}
constexpr RadioGroupMember kRadioGroups[kControlCount] = {
#define T482_STATE(type, name) RadioGroupOf(&TForm1Controls::name)
#define T482_CONTROL(name, kind, ...) \
  {T482_CONTROL_STATE_##kind(T482_STATE, name)},
#include "tool/controls.inc"
#undef T482_CONTROL
#undef T482_STATE
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

}  // namespace

bool CreateControls(DialogWindows& w, const TForm1& form) {
  TextMeasure measure;
  const int lineHeight = measure.LineHeight(w.fonts.font);
  const int smallLineHeight = measure.LineHeight(w.fonts.smallFont);
  for (int i = 0; i < kControlCount; ++i) {
    const ControlSpec& s = kControls[i];
    std::wstring caption = s.caption ? SjisToWide(*s.caption) : std::wstring();
    HFONT font = s.smallFont ? w.fonts.smallFont : w.fonts.font;
    int fontLineHeight = s.smallFont ? smallLineHeight : lineHeight;
    int id = kFirstChildId + i;
    if (i == static_cast<int>(ControlId::Button1)) id = IDOK;
    if (i == static_cast<int>(ControlId::Button2)) id = IDCANCEL;
    DWORD tab = IsTabStop(s.kind) ? WS_TABSTOP | WS_GROUP : 0;
    HWND h = nullptr;
    switch (s.kind) {
      case ControlKind::DropDownList: {
        h = CreateChild(w.dialog, L"COMBOBOX", L"",
                        WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL | tab, 0,
                        s.left, s.top, s.width,
                        s.height + kListVisibleItems * fontLineHeight + 2, id,
                        font);
        if (h != nullptr) FitListHeight(h, s.height);
        break;
      }
      case ControlKind::Edit:
        h = CreateChild(w.dialog, L"EDIT", L"",
                        WS_VISIBLE | ES_AUTOHSCROLL | tab, WS_EX_CLIENTEDGE,
                        s.left, s.top, s.width, s.height, id, font);
        break;
      case ControlKind::RadioGroup: {
        h = CreateChild(w.dialog, L"BUTTON", caption, WS_VISIBLE | BS_GROUPBOX,
                        0, s.left, s.top, s.width, s.height, id, font);
        // Two columns under the caption, as a two-column radio group lays
        // out its buttons, with the form's initial items: the form later
        // sets only what differs.
        const TRadioGroup& state = form.*kRadioGroups[i];
        std::array<HWND, 2>& buttons = w.radios[static_cast<size_t>(i)];
        int columnWidth = (s.width - 10) / 2;
        int rowHeight = s.height - fontLineHeight - 5;
        for (int k = 0; k < 2; ++k) {
          const bool exists = static_cast<size_t>(k) < state.Items.size();
          buttons[static_cast<size_t>(k)] = CreateChild(
              w.dialog, L"BUTTON",
              exists ? SjisToWide(state.Items[static_cast<size_t>(k)])
                     : std::wstring(),
              (exists ? WS_VISIBLE : 0) | BS_AUTORADIOBUTTON |
                  (k == 0 ? tab : 0),
              0, s.left + 8 + k * columnWidth, s.top + fontLineHeight + 1,
              columnWidth, rowHeight, id + 1000 * (k + 1), font);
          if (buttons[static_cast<size_t>(k)] == nullptr) return false;
        }
        CheckRadioButtons(buttons, state.ItemIndex);
        break;
      }
      case ControlKind::CheckBox:
        h = CreateChild(w.dialog, L"BUTTON", caption,
                        WS_VISIBLE | BS_AUTOCHECKBOX | tab, 0, s.left, s.top,
                        s.width, s.height, id, font);
        break;
      case ControlKind::Button: {
        bool isDefault = id == IDOK;
        h = CreateChild(
            w.dialog, L"BUTTON", caption,
            WS_VISIBLE | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | tab,
            0, s.left, s.top, s.width, s.height, id, font);
        break;
      }
      case ControlKind::Memo:
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
      case ControlKind::Label: {
        const int width = measure.CaptionWidth(font, caption);
        h = CreateChild(w.dialog, L"STATIC", caption,
                        WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, s.left,
                        s.top, width, fontLineHeight, id, font);
        break;
      }
      case ControlKind::StatusLine:
        h = CreateChild(w.dialog, L"STATIC", L"",
                        WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX,
                        0, s.left, s.top, s.width, s.height, id, font);
        w.status = h;
        break;
    }
    if (h == nullptr) return false;
    w.controls[static_cast<size_t>(i)] = h;
    if (!s.imeAllowed &&
        (s.kind == ControlKind::Edit || s.kind == ControlKind::DropDownList)) {
      ImmAssociateContext(h, nullptr);
    }
  }
  return true;
}

void CheckRadioButtons(const std::array<HWND, 2>& buttons, int index) {
  // A plain radio button is checked as it is told; the style is the type of
  // button only, and neither change repaints.
  for (HWND button : buttons) {
    if (button != nullptr)
      SendMessageW(button, BM_SETSTYLE, BS_RADIOBUTTON, FALSE);
  }
  for (int k = 0; k < 2; ++k) {
    HWND button = buttons[static_cast<size_t>(k)];
    if (button == nullptr) continue;
    SendMessageW(button, BM_SETCHECK, k == index ? BST_CHECKED : BST_UNCHECKED,
                 0);
  }
  for (HWND button : buttons) {
    if (button != nullptr)
      SendMessageW(button, BM_SETSTYLE, BS_AUTORADIOBUTTON, FALSE);
  }
}

HWND DialogWindows::Window(ControlId id) const {
  const size_t i = static_cast<size_t>(id);
  if (i >= controls.size()) return nullptr;
  if (radios[i][0] != nullptr) {
    HWND second = radios[i][1];
    if (second != nullptr &&
        SendMessageW(second, BM_GETCHECK, 0, 0) == BST_CHECKED) {
      return second;
    }
    return radios[i][0];
  }
  return controls[i];
}

HWND DialogWindows::RadioButton(ControlId id, int k) const {
  const size_t i = static_cast<size_t>(id);
  return i < radios.size() ? radios[i][static_cast<size_t>(k)] : nullptr;
}
