#include "tool/message_utf8.h"

#include <cstdio>

#include "support/sjis.h"
#include "tool/texts.h"

std::string MessageUtf8(const std::string& sjis) {
  for (const texts::MessageSpelling& m : texts::kMessages) {
    if (sjis == m.Sjis) return m.Utf8;
  }
  // Unknown text: printable ASCII as is, every byte of a double-byte
  // character and every other byte escaped.
  std::string out;
  bool trail = false;
  for (unsigned char c : sjis) {
    const bool escape =
        trail || IsLeadByte(c) || c < 0x20 || c >= 0x7F || c == '\\';
    trail = !trail && IsLeadByte(c);
    if (!escape) {
      out += static_cast<char>(c);
      continue;
    }
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", c);
    out += hex;
  }
  return out;
}
