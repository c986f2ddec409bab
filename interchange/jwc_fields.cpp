// The field splitter of the interchange reader. Bytes are only ever dropped,
// never added, so a buffer as long as the line holds all fields back to back.
#include "interchange/jwc_fields.h"

#include "support/sjis.h"

void JwcFields::Split(std::string_view line) {
  if (buffer_.size() < line.size()) buffer_.resize(line.size());
  char* const out = buffer_.data();
  const auto* in = reinterpret_cast<const unsigned char*>(line.data());
  const size_t size = line.size();

  size_t w = 0;      // write position in out
  size_t start = 0;  // start of the current field in out
  int cur = 0;       // index of the current field
  bool separating = true;
  size_t i = 0;
  while (i < size) {
    const unsigned char b = in[i];
    if (IsLeadByte(b)) {
      if (i + 1 >= size) break;  // a lead byte without its trail byte
      out[w++] = static_cast<char>(b);
      out[w++] = static_cast<char>(in[i + 1]);
      i += 2;
      continue;
    }
    ++i;
    if (separating) {
      if (b == '"') {
        separating = false;
        continue;
      }
      if (b == '=') {
        out[w++] = '=';
        separating = false;
        continue;
      }
      if (b == ' ' || b == '\t') {
        if (w != start) {
          fields_[cur] = std::string_view(out + start, w - start);
          if (cur == kMaxFields - 1) {
            count_ = kMaxFields;  // fields past the 32nd are ignored
            return;
          }
          ++cur;
          start = w;
        }
        continue;
      }
    }
    if (b >= 0x20 && b <= 0xFD) out[w++] = static_cast<char>(b);
  }
  fields_[cur] = std::string_view(out + start, w - start);
  count_ = cur + 1;
}

void JwcFields::Trim(size_t limit) {
  if (buffer_.size() <= limit) return;
  std::string().swap(buffer_);
  fields_.fill(std::string_view());
  count_ = 0;
}
