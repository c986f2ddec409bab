// Shift-JIS text helpers. Every routine walks the text from its first byte;
// a lead byte that is the very last byte of a text is a character of one
// byte (the text was cut inside a character): it is kept where a character
// is kept, and nothing beyond the text's end is ever read.
#include "support/sjis.h"

namespace {

// Bytes of the character starting at `i`: 2 for a double-byte character,
// 1 for a single-byte one or a lead byte cut off by the end of the text.
size_t CharBytes(std::string_view text, size_t i) {
  if (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
    return 2;
  }
  return 1;
}

}  // namespace

std::string StripBlanks(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    size_t n = CharBytes(text, i);
    unsigned char first = static_cast<unsigned char>(text[i]);
    if (n == 2) {
      bool fullWidthBlank =
          first == 0x81 && static_cast<unsigned char>(text[i + 1]) == 0x40;
      if (!fullWidthBlank) out.append(text.substr(i, 2));
    } else if (first > 0x20) {
      out += text[i];
    }
    i += n;
  }
  return out;
}

WholeChars CopyWholeChars(std::string_view text, int32_t start,
                          int32_t maxBytes) {
  WholeChars result;
  const int64_t length = static_cast<int64_t>(text.size());
  if (length == 0 || start < 1 || start > length || maxBytes <= 0) {
    return result;
  }
  // Window [first, last) in zero-based positions, clipped to the text.
  const int64_t first = static_cast<int64_t>(start) - 1;
  int64_t last = first + static_cast<int64_t>(maxBytes);
  if (last > length) last = length;
  for (int64_t i = 0; i < last;) {
    int64_t n = static_cast<int64_t>(CharBytes(text, static_cast<size_t>(i)));
    if (i >= first && i + n <= last) {
      result.Part.append(
          text.substr(static_cast<size_t>(i), static_cast<size_t>(n)));
    }
    i += n;
  }
  result.Taken = static_cast<int32_t>(result.Part.size());
  return result;
}

double TextLength(std::string_view text, double charWidth, double spacing) {
  long double length = 0;
  for (size_t i = 0; i < text.size();) {
    size_t n = CharBytes(text, i);
    bool more = i + n < text.size();
    unsigned char first = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(first)) {
      length += charWidth;
      if (more) length += spacing;
    } else {
      if (first >= 0x20) length += static_cast<long double>(charWidth) / 2;
      if (more) length += static_cast<long double>(spacing) / 2;
    }
    i += n;
  }
  return static_cast<double>(length);
}
