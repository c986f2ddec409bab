// The field splitter of the interchange reader. Bytes are only ever dropped,
// never added, so a buffer as long as the line holds all fields back to back.
// The bytes are classified through two tables (one while separating, one
// after), so the common run of ordinary bytes is a tight copy loop.
#include "interchange/jwc_fields.h"

#include <cstdint>

#include "support/sjis.h"

namespace {

enum ByteClass : uint8_t { kPlain, kLead, kQuote, kEquals, kBlank, kDrop };

struct ClassTable {
  ByteClass c[256];
};

constexpr ClassTable MakeTable(bool separating) {
  ClassTable t{};
  for (int b = 0; b < 256; ++b) {
    ByteClass c = kPlain;
    if (IsLeadByte(static_cast<unsigned char>(b))) {
      c = kLead;
    } else if (separating && b == '"') {
      c = kQuote;
    } else if (separating && b == '=') {
      c = kEquals;
    } else if (separating && (b == ' ' || b == '\t')) {
      c = kBlank;
    } else if (b < 0x20 || b > 0xFD) {
      c = kDrop;  // a tab too, once not separating
    }
    t.c[b] = c;
  }
  return t;
}

constexpr ClassTable kSeparating = MakeTable(true);
constexpr ClassTable kTaking = MakeTable(false);

}  // namespace

void JwcFields::Split(std::string_view line) {
  if (buffer_.size() < line.size()) buffer_.resize(line.size());
  SplitInto(line.data(), line.size(), buffer_.data());
}

void JwcFields::SplitInPlace(char* data, size_t size) {
  SplitInto(data, size, data);
}

// `out` may be `line` itself: every step writes at most the bytes it has
// read, so the write position never passes the read position.
void JwcFields::SplitInto(const char* line, size_t size, char* out) {
  const auto* in = reinterpret_cast<const unsigned char*>(line);

  size_t w = 0;      // write position in out
  size_t start = 0;  // start of the current field in out
  int cur = 0;       // index of the current field
  const ByteClass* table = kSeparating.c;
  size_t i = 0;
  while (i < size) {
    const unsigned char b = in[i];
    const ByteClass c = table[b];
    if (c == kPlain) {
      out[w++] = static_cast<char>(b);
      ++i;
      continue;
    }
    ++i;
    if (c == kBlank) {
      if (w != start) {
        fields_[cur] = std::string_view(out + start, w - start);
        if (cur == kMaxFields - 1) {
          count_ = kMaxFields;  // fields past the 32nd are ignored
          return;
        }
        ++cur;
        start = w;
      }
    } else if (c == kLead) {
      if (i >= size) break;  // a lead byte without its trail byte
      const unsigned char trail = in[i++];
      out[w++] = static_cast<char>(b);
      out[w++] = static_cast<char>(trail);
    } else if (c == kQuote) {
      table = kTaking.c;
    } else if (c == kEquals) {
      out[w++] = '=';
      table = kTaking.c;
    }
    // kDrop: nothing
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
