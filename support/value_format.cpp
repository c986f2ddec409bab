// Rounding and fixed-decimal formatting of the dimension value.
//
// RoundDecimals works in extended precision, which decides halves: a double
// lying just below a half stays below it. FormatFixed and FormatGrouped
// round the exact decimal value of the double, so they write the same bytes
// with every C library; they always use "." and ",", whatever the regional
// settings. Digits outside 0..18 are clamped to that range; infinities and
// NaN are written "INF", "-INF" and "NAN".
#include "support/value_format.h"

#include <cmath>

#include "support/exact_decimal.h"

namespace {

constexpr int32_t kMaxFixedDigits = 18;

std::string FormatRounded(int32_t digits, double value, bool grouped) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (digits < 0) digits = 0;
  if (digits > kMaxFixedDigits) digits = kMaxFixedDigits;

  ExactDecimal d = ExpandDouble(value);
  RoundToPlaces(d, digits);
  const int e = d.Exponent;
  auto digitAt = [&d](int position) {
    // Digit at `position` (0 = first significant digit), zero elsewhere.
    return position >= 0 && position < static_cast<int>(d.Digits.size())
               ? d.Digits[static_cast<size_t>(position)]
               : '0';
  };

  std::string integer;
  for (int p = 0; p < e; ++p) integer += digitAt(p);
  if (integer.empty()) integer += '0';
  if (grouped) {
    for (size_t at = integer.size(); at > 3; at -= 3) {
      integer.insert(at - 3, 1, ',');
    }
  }

  // Zero, and a value that rounds to zero, get no sign.
  std::string out = d.Negative && !d.Digits.empty() ? "-" : "";
  out += integer;
  if (digits > 0) {
    out += '.';
    for (int p = e; p < e + digits; ++p) out += digitAt(p);
  }
  return out;
}

}  // namespace

double RoundDecimals(int32_t digits, int32_t mode, double x) {
  long double factor = 1;
  if (digits >= 1 && digits <= 13) {
    for (int32_t i = 0; i < digits; ++i) factor *= 10;
  }
  long double a = std::fabs(static_cast<long double>(x));
  long double scaled = a * factor;
  if (mode == 1) {
    scaled += 0.9L;
  } else if (mode != 0) {
    scaled += 0.5L;
  }
  long double r = std::trunc(scaled) / factor;
  double result = static_cast<double>(r);
  return x < 0 ? -result : result;
}

std::string FormatFixed(int32_t digits, double value) {
  return FormatRounded(digits, value, false);
}

std::string FormatGrouped(int32_t digits, double value) {
  return FormatRounded(digits, value, true);
}
