// Single-line edits whose limit counts Shift-JIS bytes, as the settings file
// stores them: a double-byte character counts two. The edit control's own
// limit counts UTF-16 units, so the check is done here around every message
// that can insert text (typing, the input method, pasting, undo).
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

/// Limits what the user can type into `edit` to `maxBytes` Shift-JIS bytes
/// (0: no limit). An insertion that would make the text longer than the
/// limit is refused as a whole. Text set by the program is never cut: a
/// longer text stays and can be shortened by the user.
void LimitEditBytes(HWND edit, int maxBytes);
