// Code page conversions on Windows (see wide_text.h).
#include "support/wide_text.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace {

constexpr UINT kShiftJis = 932;

std::wstring ToWide(UINT codePage, const std::string& text) {
  if (text.empty()) return std::wstring();
  int n = MultiByteToWideChar(codePage, 0, text.data(),
                              static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                      &out[0], n);
  return out;
}

std::string FromWide(UINT codePage, const std::wstring& text) {
  if (text.empty()) return std::string();
  int n = WideCharToMultiByte(codePage, 0, text.data(),
                              static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                      &out[0], n, nullptr, nullptr);
  return out;
}

}  // namespace

std::wstring SjisToWide(const std::string& sjis) {
  return ToWide(kShiftJis, sjis);
}

std::string WideToSjis(const std::wstring& wide) {
  return FromWide(kShiftJis, wide);
}

std::string WideToUtf8(const std::wstring& wide) {
  return FromWide(CP_UTF8, wide);
}

int SjisByteCount(const std::wstring& wide) {
  if (wide.empty()) return 0;
  return WideCharToMultiByte(kShiftJis, 0, wide.data(),
                             static_cast<int>(wide.size()), nullptr, 0, nullptr,
                             nullptr);
}
