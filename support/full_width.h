// Full-width conversion of a value text, from one table that gives the same
// bytes on every platform: ASCII 0x20..0x7E, half-width katakana (a voiced
// or semi-voiced mark combined where code page 932 has one character) and
// hiragana to katakana; everything else unchanged.
#pragma once

#include <string>
#include <string_view>

/// Converts one slice as the platform mapping would with its 256-byte output
/// buffer: the result ends at the first zero byte.
std::string MapToFullWidth(std::string_view slice);

/// Converts the whole text in slices of at most 126 bytes, never cutting a
/// double-byte character.
std::string ToFullWidth(std::string_view text);
