// The field splitter of the interchange reader. Bytes are only ever dropped,
// never added, so every field fits where its bytes lie in the line: a field
// stays in place, and moves down only to close the gap a dropped byte left
// inside it. A line without such bytes (nearly every line of a drawing) is
// not written at all. Runs of ordinary bytes are skipped eight at a time;
// the other bytes are classified through two tables (one while separating,
// one after).
#include "interchange/jwc_fields.h"

#include <cstdint>
#include <cstring>

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

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
#define JWC_FIELDS_WORDS 1

// A mask with the high bit set in the lowest byte of `x` (in memory order)
// that may need more than a copy: a byte below 0x21, a quote, an equals sign
// or a byte from 0x80 up. Bytes after that one may be flagged wrongly; only
// the lowest flag is used.
uint64_t MaybeSpecial(uint64_t x) {
  constexpr uint64_t kOnes = 0x0101010101010101ULL;
  constexpr uint64_t kHighs = 0x8080808080808080ULL;
  const uint64_t quote = x ^ (kOnes * '"');
  const uint64_t equals = x ^ (kOnes * '=');
  return ((x - kOnes * 0x21) | (quote - kOnes) | (equals - kOnes) | x) & kHighs;
}
#endif

}  // namespace

void JwcFields::Split(std::string_view line) {
  if (buffer_.size() < line.size()) buffer_.resize(line.size());
  if (!line.empty()) std::memcpy(&buffer_[0], line.data(), line.size());
  SplitInPlace(&buffer_[0], line.size());
}

// `w` is where the current field's next byte goes; it equals `i` until a
// byte inside the field has been dropped.
void JwcFields::SplitInPlace(char* data, size_t size) {
  auto* const p = reinterpret_cast<unsigned char*>(data);
  size_t w = 0;      // where the current field's next byte goes
  size_t start = 0;  // start of the current field
  int cur = 0;       // index of the current field
  const ByteClass* table = kSeparating.c;
  size_t i = 0;
  while (i < size) {
#ifdef JWC_FIELDS_WORDS
    if (w == i) {
      // Skip a run of ordinary bytes eight at a time; they stay where they
      // are. The first byte that might not be ordinary is looked up below.
      while (size - i >= 8) {
        uint64_t x;
        std::memcpy(&x, p + i, 8);
        const uint64_t mask = MaybeSpecial(x);
        if (mask != 0) {
          i += static_cast<size_t>(__builtin_ctzll(mask)) / 8;
          break;
        }
        i += 8;
      }
      w = i;
      if (i == size) break;
    }
#endif
    const unsigned char b = p[i];
    const ByteClass c = table[b];
    if (c == kPlain) {
      if (w != i) p[w] = b;
      ++w;
      ++i;
      continue;
    }
    ++i;
    if (c == kBlank) {
      if (w != start) {
        fields_[cur] = std::string_view(data + start, w - start);
        if (cur == kMaxFields - 1) {
          count_ = kMaxFields;  // fields past the 32nd are ignored
          return;
        }
        ++cur;
      }
      start = w = i;  // the next field starts after the blank
    } else if (c == kLead) {
      if (i >= size) break;  // a lead byte without its trail byte
      const unsigned char trail = p[i++];
      p[w++] = b;
      p[w++] = trail;
    } else if (c == kQuote) {
      table = kTaking.c;
    } else if (c == kEquals) {
      p[w++] = '=';
      table = kTaking.c;
    }
    // kDrop: nothing
  }
  fields_[cur] = std::string_view(data + start, w - start);
  count_ = cur + 1;
}

void JwcFields::Trim(size_t limit) {
  if (buffer_.size() <= limit) return;
  std::string().swap(buffer_);
  fields_.fill(std::string_view());
  count_ = 0;
}
