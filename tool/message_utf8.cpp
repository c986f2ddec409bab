#include "tool/message_utf8.h"

#include <cstdio>

#include "support/sjis.h"
#include "tool/texts.h"

namespace {

struct MessageSpelling {
  const char* const* Sjis;
  const char* Utf8;
};

// Each entry must read exactly as the text beside it in scripts/gen_texts.py.
const MessageSpelling kMessages[] = {
    {&texts::kMsgNoSettings,
     "t207_ミナトセ／t319_ツキシロが一度も実行されていません。"
     "先にそちらを実行して下さい。"},
    {&texts::kMsgInsideChain,
     "直前作図した水平寸法線の内側を指定する事は出来ません。"},
    {&texts::kMsgZeroLength, "寸法が「0」になりますので作図出来ません"},
    {&texts::kMsgNoPickedPoint, "点が指示されていません。"},
};

}  // namespace

std::string MessageUtf8(const std::string& sjis) {
  for (const MessageSpelling& m : kMessages) {
    if (sjis == *m.Sjis) return m.Utf8;
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
