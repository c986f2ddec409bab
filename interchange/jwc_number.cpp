// Quick real numbers for the reader (see jwc_number.h).
//
// Why the quick path is exact: a mantissa of at most 19 decimal digits is
// below 2^64 and so exact in the 64-bit significand of long double, and so
// is every power of ten up to 10^27 (5^27 < 2^64). One multiplication or
// division of two exact operands is correctly rounded, which is what the
// general reader's strtold gives for the same decimal text. Both then round
// that extended value to a double the same way.
#include "interchange/jwc_number.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "support/number_text.h"

namespace {

constexpr int kMaxDigits = 19;
constexpr int kMaxPower = 27;

// 10^0 .. 10^27, each exact in long double.
constexpr long double kPowers[kMaxPower + 1] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
    1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
    1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};

constexpr uint64_t kOnes = 0x0101010101010101ULL;
constexpr uint64_t kHighs = 0x8080808080808080ULL;
constexpr uint64_t kZeros = 0x3030303030303030ULL;  // eight '0'

constexpr uint64_t kSmallPowers[9] = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__

uint64_t Load8(const char* p) {
  uint64_t x;
  std::memcpy(&x, p, 8);
  return x;
}

// The count of decimal digits at the start of the eight bytes `x` (memory
// order). Flags every byte outside '0'..'9'; bytes after the first flagged
// one may be flagged wrongly, which does not matter for the count.
int LeadingDigits(uint64_t x) {
  const uint64_t mask = ((x - kOnes * 0x30) | (x + kOnes * 0x46) | x) & kHighs;
  return mask == 0 ? 8 : __builtin_ctzll(mask) / 8;
}

// The value of eight digit bytes.
uint64_t EightDigits(uint64_t x) {
  x -= kZeros;
  x = x * 10 + (x >> 8);  // pairs of digits
  return ((x & 0x000000FF000000FFULL) * (100 + (1000000ULL << 32)) +
          ((x >> 16) & 0x000000FF000000FFULL) * (1 + (10000ULL << 32))) >>
         32;
}

// The value of the first `n` (1..7) bytes of `x`, all digits: they move to
// the top and '0' fills the bytes below.
uint64_t FirstDigits(uint64_t x, int n) {
  return EightDigits((x << (8 * (8 - n))) | (kZeros >> (8 * n)));
}

#endif

// Appends the decimal digits at `p` to `mantissa` (which may wrap when
// there are more than 19; the caller then counts again) and returns the
// position after them. `text` is where the number starts: the bytes from
// there to `end` may all be read.
const char* TakeDigits(const char* text, const char* p, const char* end,
                       uint64_t& mantissa) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  // Eight bytes at a time: from `p` while eight remain, then the eight
  // that end at `end`, shifted so that `p` comes first.
  while (end - p >= 8) {
    const uint64_t x = Load8(p);
    const int n = LeadingDigits(x);
    if (n == 8) {
      mantissa = mantissa * 100000000 + EightDigits(x);
      p += 8;
      continue;
    }
    if (n != 0) mantissa = mantissa * kSmallPowers[n] + FirstDigits(x, n);
    return p + n;
  }
  if (p != end && end - text >= 8) {
    // The bytes past `end` that the shift brings in are zero: not digits.
    const uint64_t x = Load8(end - 8) >> (8 * (8 - (end - p)));
    const int n = LeadingDigits(x);
    if (n != 0) mantissa = mantissa * kSmallPowers[n] + FirstDigits(x, n);
    return p + n;
  }
#endif
  (void)text;
  for (; p != end; ++p) {
    const unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
    if (digit > 9) break;
    mantissa = mantissa * 10 + digit;
  }
  return p;
}

// Digits from the first non-zero one, the point skipped.
int SignificantDigits(const char* p, const char* end) {
  while (p != end && (*p == '0' || *p == '.')) ++p;
  int n = 0;
  for (; p != end; ++p) n += *p != '.';
  return n;
}

// The quick path; false when the text is not of its simple form (the
// general reader then decides, valid or not).
bool QuickReal(std::string_view text, double& value) {
  const char* p = text.data();
  const char* const end = p + text.size();
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  const char* const first = p;
  uint64_t mantissa = 0;
  p = TakeDigits(text.data(), p, end, mantissa);
  ptrdiff_t digits = p - first;
  ptrdiff_t shift = 0;  // the decimal point's effect on the exponent
  if (p != end && *p == '.') {
    const char* const fraction = ++p;
    p = TakeDigits(text.data(), p, end, mantissa);
    shift = fraction - p;
    digits -= shift;
  }
  if (digits == 0) return false;
  // Too many digits may have wrapped the mantissa: not for the quick path.
  if (digits > kMaxDigits && SignificantDigits(first, p) > kMaxDigits) {
    return false;
  }
  int exponent = 0;
  if (p != end && (*p == 'e' || *p == 'E')) {
    ++p;
    bool negativeExponent = false;
    if (p != end && (*p == '+' || *p == '-')) {
      negativeExponent = *p == '-';
      ++p;
    }
    int exponentDigits = 0;
    for (; p != end && *p >= '0' && *p <= '9'; ++p, ++exponentDigits) {
      if (exponentDigits == 4) return false;  // a long exponent: general path
      exponent = exponent * 10 + (*p - '0');
    }
    if (exponentDigits == 0) return false;
    if (negativeExponent) exponent = -exponent;
  }
  if (p != end) return false;
  if (mantissa == 0) {
    value = 0;  // zero has no sign
    return true;
  }
  const ptrdiff_t power = exponent + shift;
  if (power < -kMaxPower || power > kMaxPower) return false;
  const long double exact = static_cast<long double>(mantissa);
  const long double extended =
      power < 0 ? exact / kPowers[-power] : exact * kPowers[power];
  const double rounded = static_cast<double>(extended);
  value = negative ? -rounded : rounded;
  return true;
}

}  // namespace

double ReadJwcReal(std::string_view text) {
  double value = 0;
  if (QuickReal(text, value)) return value;
  return SafeStrToFloat(text);
}
