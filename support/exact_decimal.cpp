// Exact decimal expansion of doubles by std::to_chars, and the rounding half
// away from zero that the number formats need on top of it. to_chars in
// scientific form with enough digits writes the exact value (compared bit
// for bit with a big-integer expansion on a million random doubles, natively
// and in the Windows build).
#include "support/exact_decimal.h"

#include <charconv>
#include <cstdint>
#include <cstring>

namespace {

// Every double's expansion has at most 767 significant digits.
constexpr int kMaxDigits = 767;

// An upper bound on the significant digits of mantissa * 2^exponent2: an
// integer has at most bits * log10(2) + 1 digits, and mantissa * 2^-k is
// mantissa * 5^k / 10^k. Asking to_chars for fewer digits keeps it fast on
// ordinary values; any digits past the last significant one come out as
// zeros.
int SignificantDigitsBound(uint64_t mantissa, int exponent2) {
  while ((mantissa & 1) == 0) {
    mantissa >>= 1;
    ++exponent2;
  }
  int bits = 0;
  for (uint64_t m = mantissa; m != 0; m >>= 1) ++bits;
  int bound = 0;
  if (exponent2 >= 0) {
    bound = (bits + exponent2) * 30103 / 100000 + 2;
  } else {
    bound = bits * 30103 / 100000 + (-exponent2) * 69898 / 100000 + 3;
  }
  return bound < kMaxDigits ? bound : kMaxDigits;
}

void StripTrailingZeros(ExactDecimal& d) {
  size_t last = d.Digits.find_last_not_of('0');
  if (last == std::string::npos) {
    d.Digits.clear();
    d.Exponent = 0;
  } else {
    d.Digits.erase(last + 1);
  }
}

// Cuts the digits to `keep` and adds one unit at the last kept place when
// the first dropped digit is 5 or more (half away from zero on the exact
// value: the dropped tail is never empty-and-below-half when it starts
// with 5).
void CutAndRound(ExactDecimal& d, size_t keep) {
  if (keep >= d.Digits.size()) return;
  bool up = d.Digits[keep] >= '5';
  d.Digits.erase(keep);
  if (up) {
    size_t i = keep;
    while (i > 0 && d.Digits[i - 1] == '9') {
      d.Digits[i - 1] = '0';
      --i;
    }
    if (i == 0) {
      d.Digits.insert(d.Digits.begin(), '1');
      ++d.Exponent;
    } else {
      ++d.Digits[i - 1];
    }
  }
  StripTrailingZeros(d);
}

}  // namespace

ExactDecimal ExpandDouble(double value) {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  ExactDecimal d;
  d.Negative = (bits >> 63) != 0;
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  uint64_t mantissa = bits & ((uint64_t{1} << 52) - 1);
  int exponent2 = -1074;
  if (biased != 0) {
    mantissa |= uint64_t{1} << 52;
    exponent2 = biased - 1075;
  }
  if (mantissa == 0) return d;

  // "d.ddd…e±x": the digits, then the power of ten of the first one.
  char text[kMaxDigits + 16];
  const std::to_chars_result r = std::to_chars(
      text, text + sizeof text, value, std::chars_format::scientific,
      SignificantDigitsBound(mantissa, exponent2) - 1);
  const char* first = text + (d.Negative ? 1 : 0);
  const char* e = static_cast<const char*>(
      std::memchr(first, 'e', static_cast<size_t>(r.ptr - first)));
  d.Digits.assign(1, *first);
  if (e - first > 2) d.Digits.append(first + 2, e);
  int power = 0;
  for (const char* c = e + 2; c < r.ptr; ++c) power = power * 10 + (*c - '0');
  d.Exponent = (e[1] == '-' ? -power : power) + 1;
  StripTrailingZeros(d);
  return d;
}

void RoundToSignificant(ExactDecimal& d, int count) {
  if (count < 1) count = 1;
  CutAndRound(d, static_cast<size_t>(count));
}

void RoundToPlaces(ExactDecimal& d, int places) {
  if (d.Digits.empty()) return;
  if (places < 0) places = 0;
  long long keep = static_cast<long long>(d.Exponent) + places;
  if (keep < 0) {
    d.Digits.clear();
    d.Exponent = 0;
    return;
  }
  if (keep == 0) {
    // The first digit is the first one dropped: 0.5.. rounds to one unit.
    if (d.Digits[0] >= '5') {
      d.Digits = "1";
      d.Exponent = -places + 1;
    } else {
      d.Digits.clear();
      d.Exponent = 0;
    }
    return;
  }
  CutAndRound(d, static_cast<size_t>(keep));
}
