// The programs compute with a 64-bit significand.
#include "support/extended_precision.h"

#include <gtest/gtest.h>

TEST(ExtendedPrecision, ControlWordSelects64BitSignificand) {
  EXPECT_EQ(ReadX87ControlWord() & 0x0300u, 0x0300u);
}

TEST(ExtendedPrecision, HalfJustBelowStaysBelow) {
  // 12.35 is stored as 12.3499999999999996...; times 10 plus a half, at a
  // 64-bit significand, stays below 124. At 53 bits it rounds up to 124.
  volatile double x = 12.35;
  long double r = static_cast<long double>(x) * 10 + 0.5L;
  EXPECT_EQ(static_cast<long long>(r), 123);
}
