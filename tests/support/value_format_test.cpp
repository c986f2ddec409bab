// Rounding of the dimension value and its fixed-decimal texts.
#include "support/value_format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <chrono>
#include <cmath>
#include <limits>

namespace {

struct RoundCase {
  int32_t digits;
  double x;
  double truncated;  // mode 0
  double roundedUp;  // mode 1
  double halfUp;     // mode 2 (and every other mode)
};

TEST(RoundDecimals, ThreeModesInExtendedPrecision) {
  const RoundCase cases[] = {
      {1, 12.34, 12.3, 12.4, 12.3},
      {1, 12.25, 12.2, 12.3, 12.3},
      // 12.35 is stored just below the half and stays below it.
      {1, 12.35, 12.3, 12.4, 12.3},
      {1, 12.305, 12.3, 12.3, 12.3},
      {1, 12.31, 12.3, 12.4, 12.3},
      {2, 2.675, 2.67, 2.68, 2.67},
      {2, 0.29, 0.28, 0.29, 0.29},
      {0, 2.5, 2, 3, 3},
      {0, -2.5, -2, -3, -3},
      {0, 2.05, 2, 2, 2},
      {0, 2.15, 2, 3, 2},
      {14, 2.7, 2, 3, 3},
      {-1, 2.7, 2, 3, 3},
      {INT32_MAX, 2.7, 2, 3, 3},
      {INT32_MIN, 2.7, 2, 3, 3},
      {13, 0.1234567890123456, 0.1234567890123, 0.1234567890124,
       0.1234567890123},
      {3, 1234.5675, 1234.567, 1234.568, 1234.568},
      {2, 1.005, 1, 1.01, 1},
      {2, 0, 0, 0, 0},
      // A tenth of a unit (the double lies a little above it) rounds up in
      // mode 1; a little less stays.
      {2, 0.001, 0, 0.01, 0},
      {2, 0.00099, 0, 0, 0},
      {2, 0.095, 0.09, 0.1, 0.1},
      {8, 1e300, 1e300, 1e300, 1e300},
  };
  for (const RoundCase& c : cases) {
    EXPECT_EQ(RoundDecimals(c.digits, 0, c.x), c.truncated)
        << c.digits << " " << c.x;
    EXPECT_EQ(RoundDecimals(c.digits, 1, c.x), c.roundedUp)
        << c.digits << " " << c.x;
    EXPECT_EQ(RoundDecimals(c.digits, 2, c.x), c.halfUp)
        << c.digits << " " << c.x;
    EXPECT_EQ(RoundDecimals(c.digits, 7, c.x), c.halfUp)
        << c.digits << " " << c.x;
    EXPECT_EQ(RoundDecimals(c.digits, -1, c.x), c.halfUp)
        << c.digits << " " << c.x;
  }
}

TEST(RoundDecimals, NonFiniteValuesPassThrough) {
  EXPECT_EQ(RoundDecimals(2, 2, INFINITY), INFINITY);
  EXPECT_EQ(RoundDecimals(2, 2, -INFINITY), -INFINITY);
  EXPECT_TRUE(std::isnan(RoundDecimals(2, 2, NAN)));
}

struct FixedCase {
  int32_t digits;
  double value;
  const char* fixed;
  const char* grouped;
};

TEST(FormatFixed, RoundsTheExactValueHalfAwayFromZero) {
  const FixedCase cases[] = {
      {2, 1.005, "1.00", "1.00"},
      {2, 0.125, "0.13", "0.13"},
      {2, -0.125, "-0.13", "-0.13"},
      {0, 2.5, "3", "3"},
      {0, -2.5, "-3", "-3"},
      {0, 0.5, "1", "1"},
      {0, 0.49999999999999994, "0", "0"},
      {3, 2, "2.000", "2.000"},
      {0, 1234567, "1234567", "1,234,567"},
      {0, 999, "999", "999"},
      {0, 1000, "1000", "1,000"},
      {1, 1234567.5, "1234567.5", "1,234,567.5"},
      {1, 999999.96, "1000000.0", "1,000,000.0"},
      {2, -1234.5, "-1234.50", "-1,234.50"},
      {0, 123456, "123456", "123,456"},
      {0, 12345, "12345", "12,345"},
      {2, 0, "0.00", "0.00"},
      {2, -0.0, "0.00", "0.00"},
      {2, -0.001, "0.00", "0.00"},
      {2, -0.005, "-0.01", "-0.01"},
      {1, 0.05, "0.1", "0.1"},
      {1, 0.15, "0.1", "0.1"},  // 0.1499999999999999944...
      {1, 0.25, "0.3", "0.3"},
      {1, 0.35, "0.3", "0.3"},  // 0.3499999999999999777...
      {4, 0.00005, "0.0001", "0.0001"},
      {4, 0.00004, "0.0000", "0.0000"},
      {8, 1.0 / 3, "0.33333333", "0.33333333"},
      {8, 2.0 / 3, "0.66666667", "0.66666667"},
      {8, 12345.678901234, "12345.67890123", "12,345.67890123"},
      {8, 4.9406564584124654e-324, "0.00000000", "0.00000000"},
      {2, 1e15 + 0.125, "1000000000000000.13", "1,000,000,000,000,000.13"},
      {0, 9007199254740993.0, "9007199254740992", "9,007,199,254,740,992"},
      // Digits outside 0..18 are clamped.
      {-3, 2.5, "3", "3"},
      {INT32_MIN, 2.5, "3", "3"},
      {19, 0.1, "0.100000000000000006", "0.100000000000000006"},
      {INT32_MAX, 0.1, "0.100000000000000006", "0.100000000000000006"},
      {2, INFINITY, "INF", "INF"},
      {2, -INFINITY, "-INF", "-INF"},
      {2, NAN, "NAN", "NAN"},
  };
  for (const FixedCase& c : cases) {
    EXPECT_EQ(FormatFixed(c.digits, c.value), c.fixed)
        << c.digits << " " << c.fixed;
    EXPECT_EQ(FormatGrouped(c.digits, c.value), c.grouped)
        << c.digits << " " << c.grouped;
  }
}

TEST(FormatFixed, HugeValuesAreWrittenInFullAndQuickly) {
  auto begin = std::chrono::steady_clock::now();
  std::string max = FormatFixed(8, DBL_MAX);
  EXPECT_EQ(max.size(), 309u + 9u);
  EXPECT_EQ(max.substr(0, 17), "17976931348623157");
  EXPECT_EQ(max.substr(309), ".00000000");
  std::string grouped = FormatGrouped(0, -1e300);
  EXPECT_EQ(grouped.substr(0, 6), "-1,000");
  EXPECT_EQ(grouped.size(), 1u + 301u + 100u);
  for (int i = 0; i < 200; ++i) FormatGrouped(i % 20, -DBL_MAX / (i + 1));
  EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(2));
}

}  // namespace

namespace {

#if !defined(_WIN32)
// glibc's printf rounds the exact value, ties to even; away from exact ties
// it must agree with FormatFixed digit for digit.
TEST(FormatFixed, AgreesWithAnExactPrintfAwayFromTies) {
  uint64_t state = 0x2545F4914F6CDD1Du;
  int compared = 0;
  for (int i = 0; i < 20000; ++i) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    int digits = static_cast<int>(state % 9);
    double scale = std::ldexp(1.0, static_cast<int>(state >> 58) - 20);
    double value =
        (static_cast<double>(state >> 11) / 9007199254740992.0 - 0.5) * scale *
        1e6;
    char exact[512];
    std::snprintf(exact, sizeof exact, "%.60f", std::fabs(value));
    std::string text = exact;
    std::string tail = text.substr(text.find('.') + 1 + digits);
    if (tail[0] == '5' && tail.find_first_not_of('0', 1) == std::string::npos) {
      continue;
    }
    char expected[512];
    std::snprintf(expected, sizeof expected, "%.*f", digits, value);
    std::string want = expected;
    // printf keeps the sign of a value that rounds to zero; we do not.
    if (want[0] == '-' && want.find_first_not_of("-0.") == std::string::npos) {
      want.erase(0, 1);
    }
    EXPECT_EQ(FormatFixed(digits, value), want) << value << " " << digits;
    ++compared;
  }
  EXPECT_GT(compared, 15000);
}
#endif

}  // namespace
