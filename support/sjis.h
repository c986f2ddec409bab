// Shift-JIS (code page 932) text helpers. Texts are byte strings walked from
// their first byte: a byte 0x80..0x9F or 0xE0..0xFD starts a double-byte
// character and takes the byte after it whatever its value.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

/// True for 0x80..0x9F and 0xE0..0xFD (0x80 and 0xFD included).
constexpr bool IsLeadByte(unsigned char b) {
  return (b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFD);
}

/// The text without half-width blanks, full-width blanks (0x81 0x40) and
/// control bytes (below 0x20). Empty when the text has no visible content.
std::string StripBlanks(std::string_view text);

struct WholeChars {
  std::string Part;
  int32_t Taken = 0;
};

/// The whole characters lying inside bytes Start..Start+MaxBytes-1
/// (positions from 1); a double-byte character straddling either end is left
/// out. Empty and 0 for empty text, Start out of range or MaxBytes <= 0.
WholeChars CopyWholeChars(std::string_view text, int32_t start,
                          int32_t maxBytes);

/// Drawn length of a text: CharWidth per double-byte character, half of it
/// per single-byte one, Spacing (half for single-byte and control bytes)
/// between characters, never after the last.
double TextLength(std::string_view text, double charWidth, double spacing);
