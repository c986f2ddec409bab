// Fuzz target "numbers": any bytes as a number text, and the first eight
// bytes as a double.
//
// Checks, for every input:
// - SafeStrToInt accepts exactly its documented form and agrees with the C
//   library's strtoll on what it accepts;
// - SafeStrToFloat never gives an infinity, a NaN or a negative zero,
//   accepts every text of its documented form whose value is a double, and
//   agrees with strtod within one unit in the last place;
// - for every finite double x, FormatGeneral(x) has the documented shape
//   (at most 15 significant digits, no trailing zeros, no "INF"/"NAN") and
//   SafeStrToFloat reads it back within 15 significant digits of x;
//   formatting what was read back gives the same text again.
#pragma once

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz/fuzz_checks.h"
#include "support/number_text.h"

namespace fuzz {

inline bool IsDec(char c) {
  return c >= '0' && c <= '9';
}
inline bool IsHex(char c) {
  return IsDec(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

inline std::string CheckInt(const std::string& text) {
  // The documented form, matched by hand.
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i++] == '-';
  }
  int base = 10;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' &&
             (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  const std::string digits = text.substr(std::min(i, text.size()));
  bool form = !digits.empty();
  for (char c : digits) form = form && (base == 16 ? IsHex(c) : IsDec(c));
  // "0x" alone: "0" and then "x" without digits is no number either.
  int64_t want = 0;
  bool inRange = false;
  if (form) {
    errno = 0;
    char* end = nullptr;
    const unsigned long long mag = std::strtoull(digits.c_str(), &end, base);
    // Decimal: the signed range. Hexadecimal: any 32-bit pattern, the sign
    // applied modulo 2^32 and the result read as two's complement.
    const unsigned long long limit = base == 16 ? 0xFFFFFFFFULL
                                     : negative ? 0x80000000ULL
                                                : 0x7FFFFFFFULL;
    inRange = errno != ERANGE && mag <= limit;
    want = negative ? -static_cast<int64_t>(mag) : static_cast<int64_t>(mag);
    if (base == 16) {
      if (want < INT32_MIN) want += int64_t{1} << 32;
      if (want > INT32_MAX) want -= int64_t{1} << 32;
    }
  }
  int32_t got = 12345;
  const bool accepted = TryStrToInt(text, got);
  if (accepted != (form && inRange)) {
    return std::string("TryStrToInt ") + (accepted ? "accepted" : "refused") +
           " '" + text + "'";
  }
  if (accepted && got != want) {
    return "TryStrToInt read '" + text + "' as " + std::to_string(got);
  }
  if (SafeStrToInt(text) != (accepted ? got : 0)) return "SafeStrToInt differs";
  return "";
}

// blanks* sign? (digits ('.' digits*)? | '.' digits) ([eE] sign? digits)?
inline bool FloatForm(const std::string& t) {
  size_t i = 0;
  while (i < t.size() && t[i] == ' ') ++i;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  size_t digits = 0;
  while (i < t.size() && IsDec(t[i])) ++i, ++digits;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && IsDec(t[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    size_t exp = 0;
    while (i < t.size() && IsDec(t[i])) ++i, ++exp;
    if (exp == 0) return false;
  }
  return i == t.size();
}

inline std::string CheckFloat(const std::string& text) {
  double got = 0;
  const bool accepted = TryStrToFloat(text, got);
  const double lenient = SafeStrToFloat(text);
  if (!std::isfinite(lenient)) return "SafeStrToFloat gave a non-finite value";
  if (lenient == 0 && std::signbit(lenient)) return "negative zero";
  if (!accepted) {
    if (lenient != 0) return "SafeStrToFloat of a refused text is not 0";
    if (!FloatForm(text)) return "";
    // Refusing a well-formed text is right only when it overflows.
    errno = 0;
    const double r = std::strtod(text.c_str(), nullptr);
    if (std::isfinite(r) && std::fabs(r) < DBL_MAX) {
      return "TryStrToFloat refused '" + text + "' (" + FormatExact(r) + ")";
    }
    return "";
  }
  if (!FloatForm(text)) return "TryStrToFloat accepted '" + text + "'";
  if (lenient != got) return "SafeStrToFloat differs from TryStrToFloat";
  const double r = std::strtod(text.c_str(), nullptr);
  if (std::isinf(r)) {
    // Only a text that rounds to the largest double may stand for it.
    if (std::fabs(got) != DBL_MAX) return "overflowing text read as a number";
    return "";
  }
  const double ulp = std::fabs(std::nextafter(r, 2 * r) - r);
  if (std::fabs(got - r) > (ulp > 0 ? ulp : DBL_TRUE_MIN)) {
    return "TryStrToFloat read '" + text + "' as " + FormatExact(got) +
           ", strtod as " + FormatExact(r);
  }
  return "";
}

// The shape of FormatGeneral's output.
inline std::string CheckFormatShape(const std::string& s) {
  if (s.empty()) return "empty";
  size_t i = s[0] == '-' ? 1 : 0;
  std::string digits;
  size_t intDigits = 0;
  bool point = false;
  for (; i < s.size() && s[i] != 'E'; ++i) {
    if (s[i] == '.') {
      if (point) return "two points";
      point = true;
    } else if (IsDec(s[i])) {
      digits += s[i];
      if (!point) ++intDigits;
    } else {
      return "stray byte";
    }
  }
  if (point && (s[i - 1] == '0' || s[i - 1] == '.')) return "trailing zero";
  if (i < s.size()) {  // exponent: one digit before any point
    if (intDigits != 1) return "exponent form with more than one leading digit";
    ++i;
    if (i < s.size() && s[i] == '-') ++i;
    if (i == s.size()) return "empty exponent";
    if (s[i] == '0') return "leading zero in the exponent";
    for (; i < s.size(); ++i) {
      if (!IsDec(s[i])) return "stray byte in the exponent";
    }
  }
  const size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) return s == "0" ? "" : "zero written as " + s;
  const size_t last = digits.find_last_not_of('0');
  if (last - first + 1 > 15) return "more than 15 significant digits";
  return "";
}

inline std::string CheckRoundTrip(double x) {
  if (!std::isfinite(x)) return "";
  const std::string s = FormatGeneral(x);
  if (std::string e = CheckFormatShape(s); !e.empty()) {
    return "FormatGeneral(" + FormatExact(x) + ") = " + s + ": " + e;
  }
  double y = 0;
  if (!TryStrToFloat(s, y)) {
    return "FormatGeneral(" + FormatExact(x) + ") = " + s + " does not read";
  }
  if (!WithinFifteenDigits(x, y)) {
    return "FormatGeneral(" + FormatExact(x) + ") = " + s + " reads as " +
           FormatExact(y);
  }
  if (std::fabs(y) >= DBL_MIN && FormatGeneral(y) != s) {
    return "FormatGeneral(" + FormatExact(y) + ") = " + FormatGeneral(y) +
           ", expected " + s;
  }
  return "";
}

inline std::string RunNumbers(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (std::string e = CheckInt(text); !e.empty()) return e;
  if (text.find('\0') == std::string::npos) {  // strtod stops at a NUL
    if (std::string e = CheckFloat(text); !e.empty()) return e;
  } else {
    double v = SafeStrToFloat(text);
    if (v != 0) return "a text with a NUL byte read as a number";
  }
  if (std::string e = CheckRoundTrip(SafeStrToFloat(text)); !e.empty()) {
    return e;
  }
  if (size >= 8) {
    double x;
    std::memcpy(&x, data, sizeof x);
    if (std::string e = CheckRoundTrip(x); !e.empty()) return e;
  }
  return "";
}

}  // namespace fuzz
