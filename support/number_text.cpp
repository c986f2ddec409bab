// Reading numbers from text and writing the general number format.
//
// The readers accept exactly the documented forms and refuse everything else
// (hexadecimal reals, "inf", "nan", thousands separators, trailing blanks).
// A decimal integer must lie in the signed 32-bit range. A hexadecimal one
// is a 32-bit two's complement pattern, as the classic runtime reads it:
// "$FFFFFFFF" is -1, "$80000000" the smallest integer, and a sign applies in
// 32 bits ("-$1" is -1, "-$FFFFFFFF" is 1). Leading zeros never count, so
// "$000000001" is 1; a value that needs more than 32 bits ("$100000000") is
// refused. Reals are converted by the C library's strtold on a text rebuilt
// from the checked digits without a decimal point, so the regional settings
// of the process never matter; a value that overflows a double is refused,
// one that underflows reads as its rounded value (possibly 0), and "-0"
// reads as plain 0.
//
// FormatGeneral works on the exact decimal expansion of the double, so it
// writes the same bytes with every C library. Negative zero is written "0";
// infinities and NaN, which no reader here produces, as "INF", "-INF" and
// "NAN".
#include "support/number_text.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "support/exact_decimal.h"

namespace {

// The largest value FormatGeneral writes: the largest double rounded to 15
// significant digits.
constexpr long double kLargestGeneralForm = 1.79769313486232e308L;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Position after the leading half-width blanks and the sign, if any.
size_t SkipBlanksAndSign(std::string_view text, bool& negative) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  return i;
}

// The signed integer whose two's complement pattern is `bits`.
int32_t AsSigned32(uint32_t bits) {
  if (bits <= 0x7FFFFFFF) return static_cast<int32_t>(bits);
  return static_cast<int32_t>(static_cast<int64_t>(bits) - (int64_t{1} << 32));
}

}  // namespace

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool TryStrToInt(std::string_view text, int32_t& value) {
  bool negative = false;
  size_t i = SkipBlanksAndSign(text, negative);
  int base = 10;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    i += 1;
  } else if (i + 1 < text.size() && text[i] == '0' &&
             (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return false;

  // A decimal magnitude must fit the signed range with its sign; a
  // hexadecimal one is a 32-bit pattern. The magnitude saturates just above
  // the limit, so that any number of digits (leading zeros too) is safe.
  const uint64_t limit = base == 16 ? uint64_t{0xFFFFFFFF}
                         : negative ? uint64_t{0x80000000}
                                    : uint64_t{0x7FFFFFFF};
  uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    int digit = base == 16 ? HexDigitValue(text[i])
                           : (IsDigit(text[i]) ? text[i] - '0' : -1);
    if (digit < 0) return false;
    magnitude =
        magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    if (magnitude > limit) magnitude = limit + 1;
  }
  if (magnitude > limit) return false;
  // The sign applies in 32 bits: "-$80000000" stays the smallest integer.
  uint32_t bits = static_cast<uint32_t>(magnitude);
  if (negative) bits = 0u - bits;
  value = AsSigned32(bits);
  return true;
}

int32_t SafeStrToInt(std::string_view text) {
  int32_t value = 0;
  return TryStrToInt(text, value) ? value : 0;
}

bool TryStrToFloat(std::string_view text, double& value) {
  bool negative = false;
  size_t i = SkipBlanksAndSign(text, negative);

  // Mantissa digits without the point; the point only shifts the exponent.
  std::string mantissa;
  long long shift = 0;
  size_t digits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
    mantissa += text[i];
  }
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
      mantissa += text[i];
      --shift;
    }
  }
  if (digits == 0) return false;

  // The exponent saturates far beyond any double's range; the digits of
  // the mantissa cannot make up for it.
  const long long kExponentCap = 1000000000000000LL;
  long long exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      negativeExponent = text[i] == '-';
      ++i;
    }
    size_t exponentDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++exponentDigits) {
      exponent = exponent * 10 + (text[i] - '0');
      if (exponent > kExponentCap) exponent = kExponentCap;
    }
    if (exponentDigits == 0) return false;
    if (negativeExponent) exponent = -exponent;
  }
  if (i != text.size()) return false;

  std::string plain = mantissa + "e" + std::to_string(exponent + shift);
  char* end = nullptr;
  long double extended = std::strtold(plain.c_str(), &end);
  if (end != plain.c_str() + plain.size() || !std::isfinite(extended)) {
    return false;
  }
  double rounded = static_cast<double>(extended);
  if (!std::isfinite(rounded)) {
    // FormatGeneral writes the largest doubles rounded up to 15 digits
    // (1.79769313486232E308), just beyond the largest double; that text
    // reads back as the largest double, so that both files keep such a
    // value. Anything further out is refused.
    if (extended > kLargestGeneralForm) return false;
    rounded = std::numeric_limits<double>::max();
  }
  // Zero has no sign here: "-0" reads as plain 0.
  if (rounded == 0) rounded = 0;
  value = negative ? -rounded : rounded;
  if (value == 0) value = 0;
  return true;
}

double SafeStrToFloat(std::string_view text) {
  double value = 0;
  return TryStrToFloat(text, value) ? value : 0;
}

std::string FormatGeneral(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  ExactDecimal d = ExpandDouble(value);
  RoundToSignificant(d, 15);
  // Negative zero is written as plain "0".
  if (d.Digits.empty()) return "0";

  std::string out = d.Negative ? "-" : "";
  const int e = d.Exponent;
  const int k = static_cast<int>(d.Digits.size());
  if (e >= -3 && e <= 15) {
    if (e <= 0) {
      out += "0.";
      out.append(static_cast<size_t>(-e), '0');
      out += d.Digits;
    } else if (k <= e) {
      out += d.Digits;
      out.append(static_cast<size_t>(e - k), '0');
    } else {
      out += d.Digits.substr(0, static_cast<size_t>(e));
      out += '.';
      out += d.Digits.substr(static_cast<size_t>(e));
    }
  } else {
    out += d.Digits[0];
    if (k > 1) {
      out += '.';
      out += d.Digits.substr(1);
    }
    out += 'E';
    out += std::to_string(e - 1);
  }
  return out;
}
