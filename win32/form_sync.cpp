// Copying between the form's state and the dialog's windows (see
// form_sync.h). Each control kind has one table tying a control to its
// member of the form.
#include "win32/form_sync.h"

#include <string>

#include "support/wide_text.h"
#include "tool/form.h"
#include "win32/byte_limited_edit.h"

namespace {

struct ListMember {
  ControlId id;
  TComboBox TForm1::*member;
};
struct EditMember {
  ControlId id;
  TEdit TForm1::*member;
};
struct CheckMember {
  ControlId id;
  TCheckBox TForm1::*member;
};
struct RadioMember {
  ControlId id;
  TRadioGroup TForm1::*member;
};

const ListMember kLists[] = {
    {ControlId::ComboBox1, &TForm1::ComboBox1},
    {ControlId::ComboBox2, &TForm1::ComboBox2},
    {ControlId::ComboBox3, &TForm1::ComboBox3},
    {ControlId::ComboBox4, &TForm1::ComboBox4},
    {ControlId::ComboBox5, &TForm1::ComboBox5},
};
const EditMember kEdits[] = {
    {ControlId::Edit1, &TForm1::Edit1}, {ControlId::Edit2, &TForm1::Edit2},
    {ControlId::Edit3, &TForm1::Edit3}, {ControlId::Edit4, &TForm1::Edit4},
    {ControlId::Edit5, &TForm1::Edit5}, {ControlId::Edit6, &TForm1::Edit6},
    {ControlId::Edit7, &TForm1::Edit7}, {ControlId::Edit8, &TForm1::Edit8},
    {ControlId::Edit9, &TForm1::Edit9},
};
const CheckMember kChecks[] = {
    {ControlId::CheckBox1, &TForm1::CheckBox1},
    {ControlId::CheckBox2, &TForm1::CheckBox2},
    {ControlId::CheckBox3, &TForm1::CheckBox3},
    {ControlId::CheckBox4, &TForm1::CheckBox4},
};
const RadioMember kRadios[] = {
    {ControlId::RadioGroup1, &TForm1::RadioGroup1},
    {ControlId::RadioGroup2, &TForm1::RadioGroup2},
};

std::wstring WindowText(HWND window) {
  int n = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(window, &text[0], n + 1);
  text.resize(static_cast<size_t>(n > 0 ? n : 0));
  return text;
}

void SetText(HWND window, const std::string& sjis) {
  SetWindowTextW(window, SjisToWide(sjis).c_str());
}

}  // namespace

void ControlsToForm(const DialogWindows& w, TForm1& form) {
  for (const ListMember& list : kLists) {
    HWND window = w.Window(list.id);
    if (window == nullptr) continue;
    LRESULT index = SendMessageW(window, CB_GETCURSEL, 0, 0);
    (form.*list.member).ItemIndex =
        index == CB_ERR ? -1 : static_cast<int>(index);
  }
  for (const EditMember& edit : kEdits) {
    HWND window = w.Window(edit.id);
    if (window == nullptr) continue;
    (form.*edit.member).Text = WideToSjis(WindowText(window));
  }
  for (const CheckMember& check : kChecks) {
    HWND window = w.Window(check.id);
    if (window == nullptr) continue;
    (form.*check.member).Checked =
        SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  for (const RadioMember& radio : kRadios) {
    int row = DialogWindows::Row(radio.id);
    if (row < 0) continue;
    int index = -1;
    for (int k = 0; k < 2; ++k) {
      HWND button = w.radios[k][row];
      if (button != nullptr &&
          SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED) {
        index = k;
      }
    }
    (form.*radio.member).ItemIndex = index;
  }
}

void FormToControls(const TForm1& form, DialogWindows& w) {
  for (const ListMember& list : kLists) {
    HWND window = w.Window(list.id);
    if (window == nullptr) continue;
    const TComboBox& state = form.*list.member;
    SendMessageW(window, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : state.Items) {
      std::wstring wide = SjisToWide(item);
      SendMessageW(window, CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(wide.c_str()));
    }
    SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(state.ItemIndex), 0);
  }
  for (const EditMember& edit : kEdits) {
    HWND window = w.Window(edit.id);
    if (window == nullptr) continue;
    const TEdit& state = form.*edit.member;
    LimitEditBytes(window, state.MaxLength);
    SetText(window, state.Text);
  }
  for (const CheckMember& check : kChecks) {
    HWND window = w.Window(check.id);
    if (window == nullptr) continue;
    SendMessageW(window, BM_SETCHECK,
                 (form.*check.member).Checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  for (const RadioMember& radio : kRadios) {
    int row = DialogWindows::Row(radio.id);
    if (row < 0) continue;
    const TRadioGroup& state = form.*radio.member;
    for (int k = 0; k < 2; ++k) {
      HWND button = w.radios[k][row];
      if (button == nullptr) continue;
      bool exists = static_cast<size_t>(k) < state.Items.size();
      SetText(button, exists ? state.Items[static_cast<size_t>(k)] : "");
      ShowWindow(button, exists ? SW_SHOWNA : SW_HIDE);
      // Checking an auto radio button walks all of the dialog's controls
      // to clear the others of its group: only when it changes.
      const LRESULT check = state.ItemIndex == k ? BST_CHECKED : BST_UNCHECKED;
      if (SendMessageW(button, BM_GETCHECK, 0, 0) != check) {
        SendMessageW(button, BM_SETCHECK, static_cast<WPARAM>(check), 0);
      }
    }
  }
  if (w.status != nullptr) SetText(w.status, form.LabelA1.Caption);
  if (w.memo != nullptr) {
    std::string notes;
    for (size_t i = 0; i < form.Memo1.Lines.size(); ++i) {
      if (i > 0) notes += "\r\n";
      notes += form.Memo1.Lines[i];
    }
    SetText(w.memo, notes);
  }
}
