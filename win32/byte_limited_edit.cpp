// Byte-limited edits (see byte_limited_edit.h). The original window procedure
// and the limit are kept as window properties of the edit.
#include "win32/byte_limited_edit.h"

#include <string>

#include "support/wide_text.h"
#include "win32/window_text.h"

namespace {

const wchar_t kOriginalProc[] = L"t482.EditProc";
const wchar_t kLimit[] = L"t482.EditLimit";

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
  WNDPROC original = reinterpret_cast<WNDPROC>(GetPropW(edit, kOriginalProc));
  if (original == nullptr) return DefWindowProcW(edit, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    RemovePropW(edit, kOriginalProc);
    RemovePropW(edit, kLimit);
    SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    return CallWindowProcW(original, edit, message, wParam, lParam);
  }
  int limit =
      static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(edit, kLimit)));
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
  SetPropW(edit, kLimit,
           reinterpret_cast<HANDLE>(static_cast<INT_PTR>(maxBytes)));
  if (GetPropW(edit, kOriginalProc) != nullptr) return;
  LONG_PTR original = GetWindowLongPtrW(edit, GWLP_WNDPROC);
  SetPropW(edit, kOriginalProc, reinterpret_cast<HANDLE>(original));
  SetWindowLongPtrW(edit, GWLP_WNDPROC,
                    reinterpret_cast<LONG_PTR>(&LimitedEditProc));
}
