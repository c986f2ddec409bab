// Full-width conversion of the value text from the tables of
// full_width_table.cpp, so that every platform gives the same bytes.
//
// A slice is walked by the double-byte rule of sjis.h: double-byte
// hiragana become katakana, every other double-byte character (and a lead
// byte cut off by the end) stays. A half-width katakana followed by the
// voiced or semi-voiced mark becomes one character where code page 932 has
// it (ｶﾞ -> ガ, ﾊﾟ -> パ); otherwise both are converted on their own
// (ﾜﾞ -> ワ゛).
#include "support/full_width.h"

#include <cstdint>

#include "support/full_width_table.h"
#include "support/sjis.h"

namespace {

// The slice size that keeps a converted slice (at most twice as long) and
// its terminating zero inside the platform mapping's 256-byte buffer.
constexpr int32_t kSliceBytes = 126;

void AppendCode(std::string& out, uint16_t code) {
  out += static_cast<char>(code >> 8);
  out += static_cast<char>(code & 0xFF);
}

// Code page 932 hiragana ぁ..ん (0x829F..0x82F1) and katakana ァ..ン
// (0x8340..0x8393) run in the same order; katakana skip the byte 0x7F. The
// iteration marks ゝ ゞ (0x8154, 0x8155) become ヽ ヾ (0x8152, 0x8153).
uint16_t HiraganaToKatakana(unsigned char lead, unsigned char trail) {
  if (lead == 0x81 && (trail == 0x54 || trail == 0x55)) {
    return static_cast<uint16_t>(0x8100 + trail - 2);
  }
  if (lead != 0x82 || trail < 0x9F || trail > 0xF1) return 0;
  int index = trail - 0x9F;
  int katakana = 0x40 + index + (index >= 0x3F ? 1 : 0);
  return static_cast<uint16_t>(0x8300 + katakana);
}

}  // namespace

std::string MapToFullWidth(std::string_view slice) {
  // The platform mapping sees the slice up to its first zero byte.
  size_t end = slice.find('\0');
  if (end != std::string_view::npos) slice = slice.substr(0, end);

  std::string out;
  out.reserve(slice.size() * 2);
  for (size_t i = 0; i < slice.size();) {
    unsigned char b = static_cast<unsigned char>(slice[i]);
    if (IsLeadByte(b)) {
      if (i + 1 >= slice.size()) {
        out += slice[i];
        break;
      }
      unsigned char trail = static_cast<unsigned char>(slice[i + 1]);
      uint16_t katakana = HiraganaToKatakana(b, trail);
      if (katakana != 0) {
        AppendCode(out, katakana);
      } else {
        out.append(slice.substr(i, 2));
      }
      i += 2;
      continue;
    }
    uint16_t code = 0;
    if (b >= 0x20 && b <= 0x7E) {
      code = kAsciiFullWidth[b - 0x20];
    } else if (b >= 0xA1 && b <= 0xDF) {
      code = kKanaFullWidth[b - 0xA1];
      if (i + 1 < slice.size()) {
        unsigned char mark = static_cast<unsigned char>(slice[i + 1]);
        uint16_t combined = mark == 0xDE   ? kVoicedFullWidth[b - 0xA1]
                            : mark == 0xDF ? kSemiVoicedFullWidth[b - 0xA1]
                                           : 0;
        if (combined != 0) {
          AppendCode(out, combined);
          i += 2;
          continue;
        }
      }
    }
    if (code != 0) {
      AppendCode(out, code);
    } else {
      out += slice[i];
    }
    ++i;
  }
  return out;
}

std::string ToFullWidth(std::string_view text) {
  std::string out;
  int64_t position = 1;
  while (position <= static_cast<int64_t>(text.size())) {
    WholeChars slice =
        CopyWholeChars(text, static_cast<int32_t>(position), kSliceBytes);
    if (slice.Taken == 0) break;
    out += MapToFullWidth(slice.Part);
    position += slice.Taken;
  }
  return out;
}
