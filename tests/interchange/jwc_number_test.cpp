// The reader's quick real numbers must agree bit for bit with the general
// reader on every text, quick form or not.
#include "interchange/jwc_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "support/number_text.h"

namespace {

uint64_t Bits(double v) {
  uint64_t b;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

void ExpectSameAsGeneral(const std::string& text) {
  EXPECT_EQ(Bits(ReadJwcReal(text)), Bits(SafeStrToFloat(text)))
      << "text \"" << text << "\": " << ReadJwcReal(text) << " vs "
      << SafeStrToFloat(text);
}

TEST(ReadJwcReal, ReadsTheHostsNumbers) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"0", 0.0},
      {"-0", 0.0},
      {"-0.000", 0.0},
      {"100", 100.0},
      {"2345.67", 2345.67},
      {"-1234.5678901234", -1234.5678901234},
      {"-3.2783543701953e-005", -3.2783543701953e-5},
      {"1e+06", 1e6},
      {"749.999999999999", 749.999999999999},
      {".5", 0.5},
      {"5.", 5.0},
      {"+7", 7.0},
      {"1E3", 1000.0},
      {"", 0.0},
      {"-", 0.0},
      {".", 0.0},
      {"1e", 0.0},
      {"1e+", 0.0},
      {"1.2.3", 0.0},
      {"12a", 0.0},
      {"\"1,820", 0.0},
      {"1,5", 0.0},
      {"--1", 0.0},
      {"inf", 0.0},
      {"nan", 0.0},
      {"0x10", 0.0},
      {"1e400", 0.0},  // overflows a double: refused
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Bits(ReadJwcReal(c.text)), Bits(c.value)) << c.text;
    ExpectSameAsGeneral(c.text);
  }
}

// Texts at the edges of the quick path: digit counts around 19, powers of
// ten around 27, long exponents, leading zeros and blanks.
TEST(ReadJwcReal, AgreesWithTheGeneralReaderAtTheQuickPathsEdges) {
  const char* const texts[] = {
      "9999999999999999999",       // 19 digits: quick
      "18446744073709551615",      // 20 digits: general
      "99999999999999999999",      // would wrap a 64-bit mantissa
      "0.0000000000000000000001",  // leading zeros do not count
      "000000000000000000000000012345",
      "1234567890123456789e27",
      "1234567890123456789e28",
      "1234567890123456789e-27",
      "1234567890123456789e-28",
      "1e-27",
      "1e-28",
      "1e27",
      "1e28",
      "12345678901234567890e-40",
      "1e0001",
      "1e00001",
      "1e-0000000000005",
      "4.9e-324",
      "2.2250738585072014e-308",
      "1.7976931348623157e308",
      "1.7976931348623159e308",
      " 5",
      "5 ",
      "  -2.5e-3",
      "0.1",
      "0.3",
      "9007199254740993",  // 2^53 + 1
      "9007199254740992.5",
      "18014398509481985",  // needs the extended rounding
      "1.00000000000000011102230246251565404236316680908203125",
      // Bytes next to the digits ('/' and ':') inside a block of eight.
      "1234567/",
      "1234567:",
      "/1234567",
      "12345678:",
      "123456789012345/",
      "1234:678",
      "12345678.12345678",
      "12345678e1",
      "0000000000000000000000000000.5",
  };
  for (const char* text : texts) ExpectSameAsGeneral(text);
}

// Random texts of the quick form and just outside it. Near-halfway values
// between doubles are where a conversion that skipped the extended step
// would differ, so long mantissas are frequent.
TEST(ReadJwcReal, AgreesWithTheGeneralReaderOnRandomTexts) {
  std::mt19937_64 random(482);
  for (int i = 0; i < 200000; ++i) {
    std::string text;
    if (random() % 4 == 0) text += random() % 2 ? '-' : '+';
    const int digits = 1 + static_cast<int>(random() % 21);
    const int point = static_cast<int>(random() % (digits + 2));
    for (int d = 0; d < digits; ++d) {
      if (d == point) text += '.';
      text += static_cast<char>('0' + random() % 10);
    }
    if (random() % 3 == 0) {
      char exponent[16];
      std::snprintf(exponent, sizeof exponent, "%s%c%d",
                    random() % 2 ? "e" : "E", random() % 2 ? '-' : '+',
                    static_cast<int>(random() % 40));
      text += exponent;
    }
    ExpectSameAsGeneral(text);
    if (HasFailure()) break;
  }
}

// Long digit runs with one byte changed: whatever the byte and wherever it
// falls in a block of eight digits, both readers agree.
TEST(ReadJwcReal, AgreesWithTheGeneralReaderOnDamagedDigitRuns) {
  const char bytes[] = {'/', ':', ' ', 'a', '.', 'e', '-', '0', '\x82', '"'};
  std::mt19937_64 random(7);
  for (int i = 0; i < 50000; ++i) {
    std::string text;
    const int digits = 1 + static_cast<int>(random() % 24);
    for (int d = 0; d < digits; ++d) {
      text += static_cast<char>('0' + random() % 10);
    }
    text[random() % text.size()] = bytes[random() % sizeof bytes];
    ExpectSameAsGeneral(text);
    if (HasFailure()) break;
  }
}

// Doubles written with 15 to 17 significant digits, as the host and the
// general format write them, read back identically.
TEST(ReadJwcReal, AgreesWithTheGeneralReaderOnPrintedDoubles) {
  std::mt19937_64 random(1);
  for (int i = 0; i < 100000; ++i) {
    const double v = std::ldexp(static_cast<double>(random() >> 11) * 0x1p-53,
                                static_cast<int>(random() % 60) - 30) *
                     (random() % 2 ? 1 : -1);
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", 15 + static_cast<int>(i % 3), v);
    ExpectSameAsGeneral(text);
    if (HasFailure()) break;
  }
}

}  // namespace
