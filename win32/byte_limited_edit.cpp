// Byte-limited edits (see byte_limited_edit.h). The original window procedure
// and the limit of each edit are kept in a table of the process: the edits
// live on the dialog's one thread, and a window property would cost Wine a
// call to its server for every message the edit gets.
#include "win32/byte_limited_edit.h"

#include <string>
#include <vector>

#include "support/wide_text.h"
#include "win32/window_text.h"

namespace {

struct LimitedEdit {
  HWND edit;
  WNDPROC original;
  int limit;
};
std::vector<LimitedEdit> g_edits;

LimitedEdit* Find(HWND edit) {
  for (LimitedEdit& e : g_edits) {
    if (e.edit == edit) return &e;
  }
  return nullptr;
}

bool MayInsertText(UINT message) {
  switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_IME_COMPOSITION:
    case WM_PASTE:
    case WM_UNDO:
    case EM_UNDO:
    case EM_REPLACESEL: return true;
    default: return false;
  }
}

LRESULT CALLBACK LimitedEditProc(HWND edit, UINT message, WPARAM wParam,
                                 LPARAM lParam) {
  LimitedEdit* entry = Find(edit);
  if (entry == nullptr) return DefWindowProcW(edit, message, wParam, lParam);
  const WNDPROC original = entry->original;
  const int limit = entry->limit;
  if (message == WM_NCDESTROY) {
    g_edits.erase(g_edits.begin() + (entry - g_edits.data()));
    SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    return CallWindowProcW(original, edit, message, wParam, lParam);
  }
  if (limit <= 0 || !MayInsertText(message)) {
    return CallWindowProcW(original, edit, message, wParam, lParam);
  }
  try {
    std::wstring before = WindowText(edit);
    DWORD selStart = 0, selEnd = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart),
                 reinterpret_cast<LPARAM>(&selEnd));
    LRESULT result = CallWindowProcW(original, edit, message, wParam, lParam);
    std::wstring after = WindowText(edit);
    if (after != before) {
      int bytes = SjisByteCount(after);
      if (bytes > limit && bytes > SjisByteCount(before)) {
        SetWindowTextW(edit, before.c_str());
        SendMessageW(edit, EM_SETSEL, selStart, selEnd);
        MessageBeep(MB_OK);
      }
    }
    return result;
  } catch (...) {
    return 0;  // nothing may leave a window procedure
  }
}

}  // namespace

void LimitEditBytes(HWND edit, int maxBytes) {
  if (LimitedEdit* entry = Find(edit)) {
    entry->limit = maxBytes;
    return;
  }
  WNDPROC original =
      reinterpret_cast<WNDPROC>(GetWindowLongPtrW(edit, GWLP_WNDPROC));
  try {
    g_edits.push_back(LimitedEdit{edit, original, maxBytes});
  } catch (...) {
    return;  // out of memory: the edit keeps only its own behaviour
  }
  SetWindowLongPtrW(edit, GWLP_WNDPROC,
                    reinterpret_cast<LONG_PTR>(&LimitedEditProc));
}
