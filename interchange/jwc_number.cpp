// Quick real numbers for the reader (see jwc_number.h).
//
// Why the quick path is exact: a mantissa of at most 19 decimal digits is
// below 2^64 and so exact in the 64-bit significand of long double, and so
// is every power of ten up to 10^27 (5^27 < 2^64). One multiplication or
// division of two exact operands is correctly rounded, which is what the
// general reader's strtold gives for the same decimal text. Both then round
// that extended value to a double the same way.
#include "interchange/jwc_number.h"

#include <cstdint>

#include "support/number_text.h"

namespace {

constexpr int kMaxDigits = 19;
constexpr int kMaxPower = 27;

// 10^0 .. 10^27, each exact in long double.
constexpr long double kPowers[kMaxPower + 1] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
    1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
    1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
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
  uint64_t mantissa = 0;
  int significant = 0;  // digits from the first non-zero one
  int digits = 0;
  int shift = 0;  // the decimal point's effect on the exponent
  for (; p != end && IsDigit(*p); ++p, ++digits) {
    mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
    if (mantissa != 0) ++significant;
  }
  if (p != end && *p == '.') {
    for (++p; p != end && IsDigit(*p); ++p, ++digits, --shift) {
      mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
      if (mantissa != 0) ++significant;
    }
  }
  // Too many digits may have wrapped the mantissa: not for the quick path.
  if (digits == 0 || significant > kMaxDigits) return false;
  int exponent = 0;
  if (p != end && (*p == 'e' || *p == 'E')) {
    ++p;
    bool negativeExponent = false;
    if (p != end && (*p == '+' || *p == '-')) {
      negativeExponent = *p == '-';
      ++p;
    }
    int exponentDigits = 0;
    for (; p != end && IsDigit(*p); ++p, ++exponentDigits) {
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
  const int power = exponent + shift;
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
