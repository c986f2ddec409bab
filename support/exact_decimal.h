// The exact decimal expansion of a double, and its rounding half away from
// zero. Every double is a finite binary fraction, so its decimal expansion is
// finite too (at most 767 significant digits); working on those digits makes
// the number formats independent of the C library's printf.
#pragma once

#include <string>

/// value = (Negative ? -1 : 1) * 0.Digits * 10^Exponent, Digits without
/// leading or trailing zeros; empty Digits is zero.
struct ExactDecimal {
  bool Negative = false;
  std::string Digits;
  int Exponent = 0;
};

/// The exact expansion of a finite value (the caller screens out infinities
/// and NaN). Negative zero gives Negative set and empty Digits.
ExactDecimal ExpandDouble(double value);

/// Keeps at most `count` (>= 1) significant digits, rounding half away from
/// zero; trailing zeros are dropped afterwards.
void RoundToSignificant(ExactDecimal& d, int count);

/// Rounds half away from zero at `places` (>= 0) digits after the point;
/// trailing zeros are dropped afterwards, a value that rounds to nothing
/// gets empty Digits.
void RoundToPlaces(ExactDecimal& d, int places);
