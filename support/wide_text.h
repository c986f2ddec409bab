// Conversions between the tool's Shift-JIS byte strings, the UTF-16 text of
// the Win32 API and the UTF-8 paths of the file layer (Windows builds only).
// Code page 932 is named explicitly, so the results do not depend on the
// system's code page.
#pragma once

#include <string>

/// Shift-JIS bytes to UTF-16.
std::wstring SjisToWide(const std::string& sjis);
/// UTF-16 to Shift-JIS bytes; characters without a Shift-JIS form become "?".
std::string WideToSjis(const std::wstring& wide);
/// UTF-16 to UTF-8.
std::string WideToUtf8(const std::wstring& wide);
/// The length of a UTF-16 text once written as Shift-JIS, in bytes.
int SjisByteCount(const std::wstring& wide);
