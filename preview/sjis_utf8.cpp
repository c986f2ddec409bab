// Code page 932 to UTF-8 through the C library's iconv, one character at a
// time so that one bad character costs only itself.
#include "preview/sjis_utf8.h"

#include <iconv.h>

#include <cstdint>

#include "support/sjis.h"

namespace {

// One conversion descriptor for the whole program; (iconv_t)-1 when the C
// library knows no CP932, in which case only ASCII survives.
class Cp932Converter {
 public:
  Cp932Converter() : cd_(iconv_open("UTF-8", "CP932")) {}
  ~Cp932Converter() {
    if (Ok()) iconv_close(cd_);
  }
  Cp932Converter(const Cp932Converter&) = delete;
  Cp932Converter& operator=(const Cp932Converter&) = delete;

  bool Ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  /// Appends one character's UTF-8 form; false when it has none.
  bool Append(std::string_view ch, std::string& out) {
    if (!Ok()) return false;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // fresh shift state
    char in[2] = {0, 0};
    for (size_t i = 0; i < ch.size() && i < 2; ++i) in[i] = ch[i];
    char buffer[16];
    char* inPtr = in;
    size_t inLeft = ch.size();
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) ==
            static_cast<size_t>(-1) ||
        inLeft != 0 || outPtr == buffer) {
      return false;
    }
    out.append(buffer, outPtr);
    return true;
  }

 private:
  iconv_t cd_;
};

Cp932Converter& Converter() {
  static Cp932Converter converter;
  return converter;
}

}  // namespace

std::string SjisToUtf8(std::string_view sjis) {
  std::string out;
  out.reserve(sjis.size() * 3 / 2);
  size_t i = 0;
  while (i < sjis.size()) {
    const unsigned char b = static_cast<unsigned char>(sjis[i]);
    if (IsLeadByte(b)) {
      if (i + 1 >= sjis.size() || !Converter().Append(sjis.substr(i, 2), out)) {
        out += '?';
      }
      i += 2;
      continue;
    }
    if (b < 0x20 || b == 0x7F) {
      out += '?';  // control bytes have no place in XML text
    } else if (b < 0x80) {
      out += static_cast<char>(b);
    } else if (!Converter().Append(sjis.substr(i, 1), out)) {
      out += '?';  // 0xA0, 0xFE, 0xFF and the like
    }
    ++i;
  }
  return out;
}

std::string ValidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const unsigned char b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
      out += (b < 0x20 && b != '\t') || b == 0x7F ? '?' : static_cast<char>(b);
      ++i;
      continue;
    }
    // Length and the smallest code point of a sequence with this lead byte.
    size_t len = 0;
    uint32_t cp = 0, min = 0;
    if (b >= 0xC2 && b <= 0xDF) {
      len = 2, cp = b & 0x1F, min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
      len = 3, cp = b & 0x0F, min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
      len = 4, cp = b & 0x07, min = 0x10000;
    }
    bool ok = len > 0 && i + len <= text.size();
    for (size_t k = 1; ok && k < len; ++k) {
      const unsigned char c = static_cast<unsigned char>(text[i + k]);
      ok = (c & 0xC0) == 0x80;
      cp = (cp << 6) | (c & 0x3F);
    }
    ok = ok && cp >= min && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
    if (ok) {
      out.append(text.substr(i, len));
      i += len;
    } else {
      out += '?';
      ++i;
    }
  }
  return out;
}

std::string EscapeXml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default: out += c;
    }
  }
  return out;
}
