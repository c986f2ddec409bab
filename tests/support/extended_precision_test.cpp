// The programs compute with a 64-bit significand, and take their cosines
// and sines from the x87 unit.
#include "support/extended_precision.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "support/number_text.h"

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

TEST(ExtendedPrecision, DoublesRoundOnce) {
  // 1 + 2^-53 + 2^-97 rounds up to 1 + 2^-52 in one step. Doubles held in
  // x87 registers round it first to 64 bits (1 + 2^-53, a tie) and then to
  // even (1): the 32-bit build must keep doubles in SSE2 registers.
  volatile double one = 1.0;
  volatile double justOverHalfUlp = 0x1.00000000001p-53;
  const double sum = one + justOverHalfUlp;
  EXPECT_EQ(sum, 1.0 + 0x1p-52);
}

// The values where an exact argument reduction (glibc) and the x87
// instructions (the Windows runtime) part; the tool writes the latter.
TEST(ExtendedPrecision, X87CosineAndSinePinned) {
  volatile long double pi = kPiL;
  EXPECT_EQ(FormatGeneral(static_cast<double>(10.0L * X87Cos(pi / 2))),
            "-2.71050543121376E-19");
  EXPECT_EQ(FormatGeneral(static_cast<double>(10.0L * X87Sin(pi))),
            "-5.42101086242752E-19");
  volatile double halfPi = 1.5707963267948966;  // the double nearest pi/2
  EXPECT_EQ(X87Cos(halfPi), std::ldexp(2259.0L, -65));
  // Beyond 2^63 the argument is first reduced modulo the extended 2*pi.
  volatile double huge = 1e300;  // an angle the tool reads is a double
  EXPECT_EQ(X87Cos(huge), 0xd.0bebccd5e2333d1p-6L);
  EXPECT_EQ(X87Sin(huge), 0xf.a9fd927df34d214p-4L);
  EXPECT_TRUE(std::isnan(X87Cos(std::numeric_limits<long double>::infinity())));
}

namespace {

long double Fpatan(long double y, long double x) {
  long double r;
  __asm__("fpatan" : "=t"(r) : "0"(x), "u"(y) : "st(1)");
  return r;
}

long double Fsqrt(long double x) {
  __asm__("fsqrt" : "+t"(x));
  return x;
}

bool SameBits(long double a, long double b) {
  return std::memcmp(&a, &b, 10) == 0;
}

// Arguments of every magnitude and sign, from a fixed seed.
std::vector<long double> Arguments() {
  std::vector<long double> out = {0.0L, -0.0L,  1.0L,   -1.0L,
                                  kPiL, 1e-10L, 1e300L, 4e-320L};
  std::mt19937_64 random(482);
  for (int i = 0; i < 4000; ++i) {
    const long double m = static_cast<long double>(random()) / 0x1p64L;
    const int e = static_cast<int>(random() % 80) - 40;
    out.push_back((random() & 1 ? -m : m) * std::ldexp(1.0L, e));
  }
  return out;
}

}  // namespace

// atan2 and sqrt of long double stay the library's: both runtimes run the
// x87 fpatan and fsqrt for them.
TEST(ExtendedPrecision, LibraryAtan2AndSqrtAreTheX87Instructions) {
  const std::vector<long double> args = Arguments();
  int atan2Mismatches = 0, sqrtMismatches = 0;
  for (size_t i = 0; i < args.size(); ++i) {
    volatile long double y = args[i], x = args[(i * 7 + 3) % args.size()];
    if (!SameBits(std::atan2(y, x), Fpatan(y, x))) ++atan2Mismatches;
    volatile long double r = std::fabs(args[i]);
    if (!SameBits(std::sqrt(r), Fsqrt(r))) ++sqrtMismatches;
  }
  EXPECT_EQ(atan2Mismatches, 0);
  EXPECT_EQ(sqrtMismatches, 0);
}

#ifdef _WIN32
// The Windows runtime's own cosl and sinl, which the program called before.
TEST(ExtendedPrecision, X87CosineAndSineAreTheWindowsRuntimes) {
  std::vector<long double> args = Arguments();
  for (long double a : {0x1p63L, -0x1p63L, 0x1p70L, 1e4000L,
                        std::numeric_limits<long double>::infinity(),
                        std::numeric_limits<long double>::quiet_NaN()})
    args.push_back(a);
  int mismatches = 0;
  for (long double a : args) {
    volatile long double v = a;
    if (!SameBits(X87Cos(v), cosl(v)) || !SameBits(X87Sin(v), sinl(v)))
      ++mismatches;
  }
  EXPECT_EQ(mismatches, 0);
}
#endif
