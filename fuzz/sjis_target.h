// Fuzz target "sjis": the Shift-JIS helpers on any bytes. The first eight
// bytes also give CopyWholeChars its window and TextLength its sizes.
//
// Checks, for every input (a lead byte as the very last byte included):
// - StripBlanks keeps whole characters only, never a blank or control byte,
//   and stripping twice changes nothing more;
// - CopyWholeChars gives whole characters from inside the window, Taken
//   being their byte count;
// - ToFullWidth and MapToFullWidth at most double the length and keep the
//   text's characters whole (a text of whole characters stays one);
// - TextLength is finite and not negative for sizes that are.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "support/full_width.h"
#include "support/sjis.h"

namespace fuzz {

// Byte counts of the characters of `text`, walked from its first byte.
inline size_t NextChar(std::string_view text, size_t i) {
  return IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()
             ? i + 2
             : i + 1;
}

inline std::string CheckStrip(std::string_view text) {
  const std::string out = StripBlanks(text);
  if (out.size() > text.size()) return "StripBlanks grew the text";
  for (size_t i = 0; i < out.size(); i = NextChar(out, i)) {
    const unsigned char b = static_cast<unsigned char>(out[i]);
    if (NextChar(out, i) == i + 2) {
      if (b == 0x81 && static_cast<unsigned char>(out[i + 1]) == 0x40) {
        return "StripBlanks kept a full-width blank";
      }
    } else if (b <= 0x20) {
      return "StripBlanks kept a blank or control byte";
    }
  }
  if (StripBlanks(out) != out) return "StripBlanks is not idempotent";
  // Every character kept is one of the text's, in order.
  size_t from = 0;
  for (size_t i = 0; i < out.size();) {
    const size_t n = NextChar(out, i) - i;
    bool found = false;
    for (size_t j = from; j < text.size(); j = NextChar(text, j)) {
      if (NextChar(text, j) - j == n && text.substr(j, n) == out.substr(i, n)) {
        from = j + n;
        found = true;
        break;
      }
    }
    if (!found) return "StripBlanks produced a character not in the text";
    i += n;
  }
  return "";
}

inline std::string CheckCopy(std::string_view text, int32_t start,
                             int32_t maxBytes) {
  const WholeChars w = CopyWholeChars(text, start, maxBytes);
  if (w.Taken != static_cast<int32_t>(w.Part.size())) return "Taken differs";
  if (w.Part.empty()) return "";
  if (start < 1 || maxBytes <= 0 || static_cast<size_t>(start) > text.size()) {
    return "CopyWholeChars copied from outside the text";
  }
  if (w.Part.size() > static_cast<size_t>(maxBytes)) return "window overrun";
  // The part starts at the first character boundary at or after Start.
  size_t at = 0;
  while (at < static_cast<size_t>(start) - 1) at = NextChar(text, at);
  if (text.substr(at, w.Part.size()) != w.Part) {
    return "CopyWholeChars part is not the text at the window";
  }
  const size_t end = at + w.Part.size();
  if (end < text.size() && end > at) {
    size_t b = at;
    while (b < end) b = NextChar(text, b);
    if (b != end) return "CopyWholeChars cut a character";
  }
  return "";
}

inline std::string CheckFullWidth(std::string_view text) {
  const std::string full = ToFullWidth(text);
  if (full.size() > 2 * text.size()) return "ToFullWidth more than doubled";
  const std::string_view slice = text.substr(0, 126);
  if (MapToFullWidth(slice).size() > 2 * slice.size()) {
    return "MapToFullWidth more than doubled";
  }
  // A text of whole characters converts to whole characters: no lone lead
  // byte appears at its end.
  if (!text.empty() && text.find('\0') == std::string_view::npos) {
    size_t last = 0;
    for (size_t i = 0; i < text.size(); i = NextChar(text, i)) last = i;
    const bool whole = !(IsLeadByte(static_cast<unsigned char>(text[last])) &&
                         last + 1 == text.size());
    if (whole && !full.empty()) {
      size_t l = 0;
      for (size_t i = 0; i < full.size(); i = NextChar(full, i)) l = i;
      if (IsLeadByte(static_cast<unsigned char>(full[l])) &&
          l + 1 == full.size()) {
        return "ToFullWidth left a lone lead byte at the end";
      }
    }
  }
  return "";
}

inline std::string RunSjis(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (std::string e = CheckStrip(text); !e.empty()) return e;
  int32_t start = 0, maxBytes = 0;
  if (size >= 8) {
    std::memcpy(&start, data, 4);
    std::memcpy(&maxBytes, data + 4, 4);
    // Mostly small windows, so that they fall inside the text.
    if (data[0] & 1) {
      start = static_cast<int32_t>(static_cast<uint32_t>(start) % (size + 2));
      maxBytes =
          static_cast<int32_t>(static_cast<uint32_t>(maxBytes) % (size + 2));
    }
  }
  if (std::string e = CheckCopy(text, start, maxBytes); !e.empty()) return e;
  if (std::string e = CheckFullWidth(text); !e.empty()) return e;
  double width = 3, spacing = 0.5;
  if (size >= 16) {
    std::memcpy(&width, data, 8);
    std::memcpy(&spacing, data + 8, 8);
  }
  const double length = TextLength(text, width, spacing);
  if (std::isfinite(width) && std::isfinite(spacing) &&
      std::fabs(width) < 1e300 && std::fabs(spacing) < 1e300) {
    if (!std::isfinite(length)) return "TextLength not finite";
    if (width >= 0 && spacing >= 0 && length < 0) return "TextLength negative";
  }
  return "";
}

}  // namespace fuzz
