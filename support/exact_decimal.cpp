// Exact decimal expansion of doubles with a small base-10^9 big integer.
#include "support/exact_decimal.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr uint32_t kLimbBase = 1000000000u;

// Little-endian limbs of an unsigned integer in base 10^9.
using BigDecimal = std::vector<uint32_t>;

void MultiplySmall(BigDecimal& n, uint32_t factor) {
  uint64_t carry = 0;
  for (uint32_t& limb : n) {
    uint64_t product = static_cast<uint64_t>(limb) * factor + carry;
    limb = static_cast<uint32_t>(product % kLimbBase);
    carry = product / kLimbBase;
  }
  while (carry != 0) {
    n.push_back(static_cast<uint32_t>(carry % kLimbBase));
    carry /= kLimbBase;
  }
}

std::string ToDigits(const BigDecimal& n) {
  std::string out;
  for (size_t i = n.size(); i-- > 0;) {
    char chunk[10];
    uint32_t limb = n[i];
    for (int k = 8; k >= 0; --k) {
      chunk[k] = static_cast<char>('0' + limb % 10);
      limb /= 10;
    }
    chunk[9] = '\0';
    out += chunk;
  }
  size_t first = out.find_first_not_of('0');
  return first == std::string::npos ? std::string() : out.substr(first);
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
  int biased = static_cast<int>((bits >> 52) & 0x7FF);
  uint64_t mantissa = bits & ((uint64_t{1} << 52) - 1);
  int exponent2 = 0;
  if (biased == 0) {
    exponent2 = -1074;
  } else {
    mantissa |= uint64_t{1} << 52;
    exponent2 = biased - 1075;
  }
  if (mantissa == 0) return d;

  BigDecimal n;
  n.push_back(static_cast<uint32_t>(mantissa % kLimbBase));
  n.push_back(static_cast<uint32_t>((mantissa / kLimbBase) % kLimbBase));
  n.push_back(static_cast<uint32_t>(mantissa / kLimbBase / kLimbBase));
  int exponent10 = 0;
  if (exponent2 >= 0) {
    // mantissa * 2^e, in steps of at most 2^29.
    for (int left = exponent2; left > 0; left -= 29) {
      MultiplySmall(n, uint32_t{1} << (left < 29 ? left : 29));
    }
  } else {
    // mantissa * 2^-k = mantissa * 5^k / 10^k, 5^k in steps of at most 5^13.
    for (int left = -exponent2; left > 0; left -= 13) {
      uint32_t factor = 1;
      for (int i = 0; i < (left < 13 ? left : 13); ++i) factor *= 5;
      MultiplySmall(n, factor);
    }
    exponent10 = exponent2;
  }
  d.Digits = ToDigits(n);
  d.Exponent = static_cast<int>(d.Digits.size()) + exponent10;
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
