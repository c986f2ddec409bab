// Copying between the form's state and the dialog's windows (see
// form_sync.h): one overload for each kind of state, over the form's controls
// as controls.inc lists them.
#include "win32/form_sync.h"

#include <string>
#include <vector>

#include "support/wide_text.h"
#include "tool/form.h"
#include "win32/byte_limited_edit.h"
#include "win32/dialog_controls.h"
#include "win32/window_text.h"

namespace {

// Only a text that differs: every new text is a call to the window server
// and a repaint.
void SetText(HWND window, const std::string& sjis) {
  const std::wstring wide = SjisToWide(sjis);
  if (WindowText(window) != wide) SetWindowTextW(window, wide.c_str());
}

// Window values into the form.

void Read(const DialogWindows& w, ControlId id, TComboBox& state) {
  HWND window = w.Window(id);
  if (window == nullptr) return;
  LRESULT index = SendMessageW(window, CB_GETCURSEL, 0, 0);
  state.ItemIndex = index == CB_ERR ? -1 : static_cast<int>(index);
}

void Read(const DialogWindows& w, ControlId id, TEdit& state) {
  HWND window = w.Window(id);
  if (window == nullptr) return;
  state.Text = WideToSjis(WindowText(window));
}

void Read(const DialogWindows& w, ControlId id, TCheckBox& state) {
  HWND window = w.Window(id);
  if (window == nullptr) return;
  state.Checked = SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The checked button of a radio group, -1 for none.
int CheckedRadio(const DialogWindows& w, ControlId id) {
  int index = -1;
  for (int k = 0; k < 2; ++k) {
    HWND button = w.RadioButton(id, k);
    if (button != nullptr &&
        SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED) {
      index = k;
    }
  }
  return index;
}

void Read(const DialogWindows& w, ControlId id, TRadioGroup& state) {
  state.ItemIndex = CheckedRadio(w, id);
}

// The user cannot change the notes or the status line.
void Read(const DialogWindows&, ControlId, TMemo&) {}
void Read(const DialogWindows&, ControlId, TLabel&) {}

// The form into the windows.

void Write(DialogWindows& w, ControlId id, const TComboBox& state) {
  HWND window = w.Window(id);
  if (window == nullptr) return;
  if (SendMessageW(window, CB_GETCOUNT, 0, 0) != 0)
    SendMessageW(window, CB_RESETCONTENT, 0, 0);
  // Room for all items at once, and no redrawing item by item.
  std::vector<std::wstring> items;
  items.reserve(state.Items.size());
  size_t chars = 0;
  for (const std::string& item : state.Items) {
    items.push_back(SjisToWide(item));
    chars += items.back().size() + 1;
  }
  SendMessageW(window, CB_INITSTORAGE, items.size(),
               static_cast<LPARAM>(chars * sizeof(wchar_t)));
  SendMessageW(window, WM_SETREDRAW, FALSE, 0);
  for (const std::wstring& item : items) {
    SendMessageW(window, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(item.c_str()));
  }
  SendMessageW(window, WM_SETREDRAW, TRUE, 0);
  SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(state.ItemIndex), 0);
}

void Write(DialogWindows& w, ControlId id, const TEdit& state) {
  HWND window = w.Window(id);
  if (window == nullptr) return;
  LimitEditBytes(window, state.MaxLength);
  SetText(window, state.Text);
}

void Write(DialogWindows& w, ControlId id, const TCheckBox& state) {
  HWND window = w.Window(id);
  if (window == nullptr) return;
  SendMessageW(window, BM_SETCHECK, state.Checked ? BST_CHECKED : BST_UNCHECKED,
               0);
}

void Write(DialogWindows& w, ControlId id, const TRadioGroup& state) {
  for (int k = 0; k < 2; ++k) {
    HWND button = w.RadioButton(id, k);
    if (button == nullptr) continue;
    bool exists = static_cast<size_t>(k) < state.Items.size();
    SetText(button, exists ? state.Items[static_cast<size_t>(k)] : "");
    const bool shown = (GetWindowLongPtrW(button, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != exists) ShowWindow(button, exists ? SW_SHOWNA : SW_HIDE);
  }
  const int wanted =
      state.ItemIndex >= 0 && state.ItemIndex < 2 ? state.ItemIndex : -1;
  if (CheckedRadio(w, id) != wanted)
    CheckRadioButtons({w.RadioButton(id, 0), w.RadioButton(id, 1)}, wanted);
}

void Write(DialogWindows& w, ControlId id, const TMemo& state) {
  HWND window = w.Window(id);
  if (window == nullptr) return;
  std::string notes;
  for (size_t i = 0; i < state.Lines.size(); ++i) {
    if (i > 0) notes += "\r\n";
    notes += state.Lines[i];
  }
  SetText(window, notes);
}

void Write(DialogWindows& w, ControlId id, const TLabel& state) {
  HWND window = w.Window(id);
  if (window != nullptr) SetText(window, state.Caption);
}

}  // namespace

void ControlsToForm(const DialogWindows& w, TForm1& form) {
  ForEachControlState(form,
                      [&w](ControlId id, auto& state) { Read(w, id, state); });
}

void FormToControls(const TForm1& form, DialogWindows& w) {
  ForEachControlState(
      form, [&w](ControlId id, const auto& state) { Write(w, id, state); });
}
