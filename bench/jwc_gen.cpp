// Writes a large JWC_TEMP.TXT as the host writes it, for the benchmarks.
//
//   jwc_gen <output> <bytes> [seed]
//
// The same seed and size always give the same bytes. The file starts with
// "hq" and the header records, then holds mostly plain lines of four numbers
// (leading blank, up to 15 significant digits, the host's three-digit
// exponents), mixed with attribute changes (lg ly lc lt lw cn cn$), circles,
// quoted texts, points, polylines, dimensions and a few sl and BL records.
// Every line ends in CR LF; the file ends after the first line that reaches
// the requested size.
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// splitmix64: small, fast and the same on every platform.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  /// 0 .. n-1.
  uint32_t Below(uint32_t n) {
    return static_cast<uint32_t>((Next() >> 32) * n >> 32);
  }
  /// Uniform in [lo, hi).
  double Between(double lo, double hi) {
    return lo + (hi - lo) * static_cast<double>(Next() >> 11) * 0x1p-53;
  }

 private:
  uint64_t state_;
};

class Output {
 public:
  explicit Output(FILE* f) : f_(f) { buffer_.reserve(kFlushAt + 4096); }
  ~Output() { Flush(); }
  void Put(const char* s) { buffer_ += s; }
  void Put(const std::string& s) { buffer_ += s; }
  void Put(char c) { buffer_ += c; }
  void EndLine() {
    buffer_ += "\r\n";
    if (buffer_.size() >= kFlushAt) Flush();
  }
  uint64_t Size() const { return written_ + buffer_.size(); }
  bool Flush() {
    if (buffer_.empty()) return ok_;
    ok_ = ok_ &&
          std::fwrite(buffer_.data(), 1, buffer_.size(), f_) == buffer_.size();
    written_ += buffer_.size();
    buffer_.clear();
    return ok_;
  }
  bool Ok() const { return ok_; }

 private:
  static constexpr size_t kFlushAt = size_t{1} << 20;
  FILE* f_;
  std::string buffer_;
  uint64_t written_ = 0;
  bool ok_ = true;
};

// A number as the host writes it: %.15g with a three-digit exponent
// ("-3.2783543701953e-005"); sometimes a short one ("2345.67", "100").
std::string HostNumber(Random& r, double lo, double hi) {
  char buf[64];
  const uint32_t style = r.Below(100);
  double v = r.Between(lo, hi);
  if (style < 4) {
    // A direction component that is nearly zero.
    v = r.Between(-9.9, 9.9) * 1e-5;
  } else if (style < 12) {
    v = static_cast<double>(static_cast<int64_t>(v * 100)) / 100;
  } else if (style < 16) {
    v = static_cast<double>(static_cast<int64_t>(v));
  }
  std::snprintf(buf, sizeof buf, "%.15g", v);
  // The host's runtime writes at least three exponent digits.
  if (char* e = std::strchr(buf, 'e')) {
    char sign = e[1];
    int exponent = std::atoi(e + 2);
    std::snprintf(e, sizeof buf - static_cast<size_t>(e - buf), "e%c%03d", sign,
                  exponent);
  }
  return buf;
}

void Numbers(Output& out, Random& r, int count) {
  for (int i = 0; i < count; ++i) {
    out.Put(' ');
    out.Put(HostNumber(r, -20000, 20000));
  }
}

// Shift-JIS texts of the kinds a drawing holds.
const char* const kTexts[] = {
    "1,820",
    "3,460",
    "\x8e\xba\x93\xe0 \x88\xea\x8a\x4b",           // 室内 一階
    "\x97\x6d\x8e\xba 6\x8f\xe4",                  // 洋室 6畳
    "\x83\x4c\x83\x62\x83\x60\x83\x93",            // キッチン
    "W=1,200 \"A\"",                               // quotes inside
    "\x8a\x4b\x92\x69 \x81\x40 \x8f\xe3\x82\xe8",  // 階段 　 上り
};

const char* const kHexDigits = "0123456789abcdef";

void Header(Output& out) {
  const char* const lines[] = {
      "hq",
      "hk 0",
      "hs 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100",
      "hzs 841 594",
      "hcw 1.5 2 2.5 3 3.5 4 4.5 5 6 12",
      "hch 1.5 2 2.5 3 3.5 4 4.5 5 6 12",
      "hcd 0 0 0 0 0 0 0 0 0 0",
      "hcc      6      6      6      6      6      6      6      6      6  "
      "    6",
      "hn -15225.3814698562 -10767.2625565076 15701.7974636297 "
      "11878.1613487645",
      "hp1-  -39902.7596123089 -21231.6354329471",
      "hp2   -16512.3573276753 -18964.6813169972",
      "lg0",
      "lye",
      "lc4",
      "lt5",
      "lw1",
      "cn3",
      "cn\"$<\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e>",
      "#",
  };
  for (const char* line : lines) {
    out.Put(line);
    out.EndLine();
  }
}

void Attribute(Output& out, Random& r) {
  char buf[64];
  switch (r.Below(7)) {
    case 0:
      std::snprintf(buf, sizeof buf, "lg%c", kHexDigits[r.Below(16)]);
      break;
    case 1:
      std::snprintf(buf, sizeof buf, "ly%c", kHexDigits[r.Below(16)]);
      break;
    case 2: std::snprintf(buf, sizeof buf, "lc%u", 1 + r.Below(9)); break;
    case 3: std::snprintf(buf, sizeof buf, "lt%u", 1 + r.Below(9)); break;
    case 4: std::snprintf(buf, sizeof buf, "lw%u", r.Below(3)); break;
    case 5:
      if (r.Below(4) == 0) {
        std::snprintf(buf, sizeof buf, "cn0 3.5 3.5 0 %u", 1 + r.Below(9));
      } else {
        std::snprintf(buf, sizeof buf, "cn%u", 1 + r.Below(10));
      }
      break;
    default: std::snprintf(buf, sizeof buf, "pn%u", 1 + r.Below(9)); break;
  }
  out.Put(buf);
  out.EndLine();
}

void Text(Output& out, Random& r, const char* key) {
  out.Put(key);
  Numbers(out, r, 2);
  out.Put(' ');
  out.Put(HostNumber(r, -1, 1));
  out.Put(' ');
  out.Put(HostNumber(r, 0, 1000));
  out.Put(" \"");
  out.Put(kTexts[r.Below(sizeof kTexts / sizeof kTexts[0])]);
  out.EndLine();
}

// One record, or a short group of records (polyline, dimension).
void Record(Output& out, Random& r) {
  const uint32_t pick = r.Below(1000);
  if (pick < 860) {  // plain line
    Numbers(out, r, 4);
    out.EndLine();
  } else if (pick < 900) {
    Attribute(out, r);
  } else if (pick < 920) {
    out.Put("ci");
    Numbers(out, r, 3);
    out.EndLine();
  } else if (pick < 930) {
    out.Put("ci");
    Numbers(out, r, 3);
    out.Put(" 285.029296875 15.029296875 1 74.9706878662109");
    out.EndLine();
  } else if (pick < 950) {
    Text(out, r, r.Below(2) ? "ch" : "cs");
  } else if (pick < 965) {
    out.Put("pt");
    Numbers(out, r, 2);
    out.EndLine();
  } else if (pick < 970) {
    out.Put("pt");
    Numbers(out, r, 2);
    out.Put(" 1 0 3");
    out.EndLine();
  } else if (pick < 980) {  // polyline
    out.Put("pl");
    out.EndLine();
    const int n = 2 + static_cast<int>(r.Below(6));
    for (int i = 0; i < n; ++i) {
      Numbers(out, r, 4);
      out.EndLine();
    }
    out.Put("#");
    out.EndLine();
  } else if (pick < 988) {  // dimension
    out.Put("msg");
    out.EndLine();
    Numbers(out, r, 4);
    out.EndLine();
    Text(out, r, "cs");
  } else if (pick < 992) {
    out.Put("z3");
    out.EndLine();
    out.Put("hhp1ln");
    out.EndLine();
  } else if (pick < 996) {
    out.Put("sl");
    Numbers(out, r, r.Below(2) ? 4 : 8);
    out.EndLine();
  } else {
    out.Put("BL");
    Numbers(out, r, 2);
    out.Put(" \"\x95\x94\x95\x69-");  // 部品-
    out.Put(std::to_string(r.Below(100)));
    out.EndLine();
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <output> <bytes> [seed]\n", argv[0]);
    return 2;
  }
  const uint64_t target = std::strtoull(argv[2], nullptr, 10);
  const uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 482;
  FILE* f = std::fopen(argv[1], "wb");
  if (f == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  Random r(seed);
  {
    Output out(f);
    Header(out);
    while (out.Size() < target) Record(out, r);
    if (!out.Flush()) {
      std::fclose(f);
      std::remove(argv[1]);
      return 1;
    }
  }
  if (std::fclose(f) != 0) {
    std::remove(argv[1]);
    return 1;
  }
  return 0;
}
