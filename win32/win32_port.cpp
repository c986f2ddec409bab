// Win32 implementation of the form's window-system services.
#include "win32/win32_port.h"

#include "support/wide_text.h"
#include "tool/texts.h"
#include "win32/window_placement.h"

std::string Win32Port::ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n =
        GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (n == 0) return std::string();
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);  // truncated: try a larger buffer
  }
  size_t cut = path.find_last_of(L"\\/");
  if (cut == std::wstring::npos) return std::string();
  return WideToUtf8(path.substr(0, cut + 1));
}

void Win32Port::MoveDialog(int left, int top) {
  if (w_.dialog == nullptr) return;
  POINT place = ReachablePosition(w_.dialog, left, top, w_.captionHeight);
  SetWindowPos(w_.dialog, nullptr, place.x, place.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Win32Port::DialogLeft() {
  RECT frame = {};
  if (w_.dialog != nullptr) GetWindowRect(w_.dialog, &frame);
  return frame.left;
}

int Win32Port::DialogTop() {
  RECT frame = {};
  if (w_.dialog != nullptr) GetWindowRect(w_.dialog, &frame);
  return frame.top;
}

void Win32Port::FocusControl(ControlId id) {
  HWND window = w_.Window(id);
  if (window == nullptr || w_.dialog == nullptr) return;
  // Through the dialog manager, so that the default button follows focus.
  SendMessageW(w_.dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(window),
               TRUE);
}

void Win32Port::ShowStatus(const std::string& caption) {
  if (w_.status == nullptr) return;
  SetWindowTextW(w_.status, SjisToWide(caption).c_str());
  // No messages are handled while the construction runs: paint now.
  UpdateWindow(w_.status);
}

void Win32Port::ShowConfirmation(const std::string& text) {
  HWND owner = w_.dialog != nullptr ? w_.dialog : w_.app;
  MessageBoxW(owner, SjisToWide(text).c_str(),
              SjisToWide(texts::kConfirmCaption).c_str(),
              MB_OK | MB_ICONQUESTION);
}

void Win32Port::CloseDialog() {
  QueueDialogDestruction(w_);
}
