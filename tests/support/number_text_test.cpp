// Reading numbers from text and the general number format.
#include "support/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>

namespace {

struct IntCase {
  const char* text;
  bool valid;
  int32_t value;
};

TEST(TryStrToInt, AcceptsDecimalAndHexadecimalForms) {
  const IntCase cases[] = {
      {"", false, 0},
      {"0", true, 0},
      {"12", true, 12},
      {"  12", true, 12},
      {"12 ", false, 0},
      {"12a", false, 0},
      {"-", false, 0},
      {"+", false, 0},
      {" ", false, 0},
      {"-5", true, -5},
      {"+7", true, 7},
      {"- 5", false, 0},
      {"--5", false, 0},
      {"\t5", false, 0},
      {"-0", true, 0},
      {"007", true, 7},
      {"1.0", false, 0},
      {"1e3", false, 0},
      {"$F", true, 15},
      {"$a", true, 10},
      {"$", false, 0},
      {"-$10", true, -16},
      {"x1F", true, 31},
      {"X1f", true, 31},
      {"x", false, 0},
      {"-x", false, 0},
      {"+X", false, 0},
      {"0x1A", true, 26},
      {"0X1a", true, 26},
      {"0x", false, 0},
      {"-0x10", true, -16},
      {"00x1", false, 0},
      {"$0x1", false, 0},
      {"$g", false, 0},
      {"0x 1", false, 0},
      {" $7", true, 7},
      // Decimal: the signed 32-bit range.
      {"2147483647", true, 2147483647},
      {"2147483648", false, 0},
      {"-2147483648", true, INT32_MIN},
      {"-2147483649", false, 0},
      {"4294967295", false, 0},
      {"00000000000000000000002147483647", true, 2147483647},
      {"99999999999999999999999999999999", false, 0},
      // Hexadecimal: a 32-bit pattern, the sign applied in 32 bits; leading
      // zeros do not count.
      {"$7FFFFFFF", true, 2147483647},
      {"$80000000", true, INT32_MIN},
      {"-$80000000", true, INT32_MIN},
      {"$FFFFFFFF", true, -1},
      {"0xFFFFFFFE", true, -2},
      {"-$1", true, -1},
      {"-$FFFFFFFF", true, 1},
      {"$0FFFFFFFF", true, -1},
      {"$100000000", false, 0},
      {"-$100000000", false, 0},
      {"$00000000000000000000000000001", true, 1},
      {"$FFFFFFFFFFFFFFFFFFFFFFFF", false, 0},
  };
  for (const IntCase& c : cases) {
    int32_t value = 12345;
    bool valid = TryStrToInt(c.text, value);
    EXPECT_EQ(valid, c.valid) << '"' << c.text << '"';
    EXPECT_EQ(value, c.valid ? c.value : 12345) << '"' << c.text << '"';
    EXPECT_EQ(SafeStrToInt(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(TryStrToInt, StopsAtTheViewsEnd) {
  // A view into a longer buffer: the digits after it are not read.
  const char buffer[] = "12345";
  EXPECT_EQ(SafeStrToInt(std::string_view(buffer, 2)), 12);
  EXPECT_EQ(SafeStrToInt(std::string("1\0"
                                     "2",
                                     3)),
            0);
}

struct FloatCase {
  const char* text;
  bool valid;
  double value;
};

TEST(TryStrToFloat, AcceptsPlainDecimalForms) {
  const FloatCase cases[] = {
      {"", false, 0},
      {"0", true, 0},
      {"1.5", true, 1.5},
      {" 1.5", true, 1.5},
      {"   -1.5", true, -1.5},
      {"1.5 ", false, 0},
      {"1,5", false, 0},
      {"1.5e3", true, 1500},
      {"1.5E3", true, 1500},
      {"1.5e+3", true, 1500},
      {"15e-1", true, 1.5},
      {".5", true, 0.5},
      {"-.5", true, -0.5},
      {"2.", true, 2},
      {"+2.", true, 2},
      {".", false, 0},
      {"-", false, 0},
      {"+", false, 0},
      {"-.", false, 0},
      {"--5", false, 0},
      {"+-5", false, 0},
      {"- 5", false, 0},
      {"e5", false, 0},
      {".e5", false, 0},
      {"1e", false, 0},
      {"1e+", false, 0},
      {"1e-", false, 0},
      {"1e 5", false, 0},
      {"1e5.0", false, 0},
      {"1..5", false, 0},
      {"1.5.", false, 0},
      {"\t1", false, 0},
      {"nan", false, 0},
      {"NaN", false, 0},
      {"inf", false, 0},
      {"-infinity", false, 0},
      {"0x", false, 0},
      {"0x10", false, 0},
      {"0x1p3", false, 0},
      {"$", false, 0},
      {"$10", false, 0},
      {"1d3", false, 0},
      {"0.1", true, 0.1},
      {"0.3", true, 0.3},
      {"123456789012345678901234567890", true, 1.2345678901234568e29},
      {"0.000000000000000000000000000001", true, 1e-30},
      {"1e308", true, 1e308},
      {"1.7976931348623157e308", true, DBL_MAX},
      {"-1.7976931348623157e308", true, -DBL_MAX},
      {"4.9406564584124654e-324", true, 4.9406564584124654e-324},
      {"1e-400", true, 0},
      {"1e-99999999999999999999", true, 0},
      {"0e99999999999999999999", true, 0},
      {"0.0000e400", true, 0},
      // Too large for a double: refused, never infinity.
      {"1e999", false, 0},
      {"-1e999", false, 0},
      {"1.8e308", false, 0},
      {"1e99999999999999999999", false, 0},
      {"1e4933", false, 0},
      // The point shifts the exponent: large in digits, small in value.
      {"0.00000000000000000000000000000000001e40", true, 100000},
      {"100000000000000000000000000000000000e-35", true, 1},
  };
  for (const FloatCase& c : cases) {
    double value = 12345;
    bool valid = TryStrToFloat(c.text, value);
    EXPECT_EQ(valid, c.valid) << '"' << c.text << '"';
    EXPECT_EQ(value, c.valid ? c.value : 12345) << '"' << c.text << '"';
    double lenient = SafeStrToFloat(c.text);
    EXPECT_EQ(lenient, c.value) << '"' << c.text << '"';
    EXPECT_TRUE(std::isfinite(lenient)) << '"' << c.text << '"';
  }
}

TEST(TryStrToFloat, NegativeZeroReadsAsPlainZero) {
  for (const char* text : {"-0", "-0.0", "-0e5", "-.0", "-1e-400"}) {
    double value = 1;
    ASSERT_TRUE(TryStrToFloat(text, value)) << text;
    EXPECT_EQ(value, 0) << text;
    EXPECT_FALSE(std::signbit(value)) << text;
  }
}

TEST(TryStrToFloat, ConvertsInExtendedPrecisionThenRoundsToDouble) {
  // Just above 1 + 2^-53 + 2^-65: above the half between 1 and the next
  // double, so a direct conversion gives 1 + 2^-52; but it rounds to the
  // 64-bit significand 1 + 2^-53 first, a tie, which then goes to even: 1.
  const char* text = "1.000000000000000111049407516827791653";
  EXPECT_EQ(std::strtod(text, nullptr), 1.0000000000000002);
  EXPECT_EQ(SafeStrToFloat(text), 1.0);
  EXPECT_EQ(SafeStrToFloat("1.0000000000000002220446049250313"),
            1.0000000000000002);
}

TEST(TryStrToFloat, LongTextsAreReadWhole) {
  std::string digits(5000, '1');
  EXPECT_FALSE(std::isfinite(std::strtod(("1e" + digits).c_str(), nullptr)));
  EXPECT_EQ(SafeStrToFloat("1e" + digits), 0);
  EXPECT_EQ(SafeStrToFloat("0." + std::string(5000, '0') + "1e5001"), 1);
  EXPECT_EQ(SafeStrToFloat(std::string(300, '9')), 1e300);
  EXPECT_EQ(SafeStrToFloat(std::string(400, '9')), 0);
  EXPECT_EQ(SafeStrToFloat(std::string("1.5\0"
                                       "9",
                                       5)),
            0);
}

struct GeneralCase {
  double value;
  const char* text;
};

TEST(FormatGeneral, WritesFifteenSignificantDigits) {
  const GeneralCase cases[] = {
      {0, "0"},
      {-0.0, "0"},
      {2.0, "2"},
      {-0.5, "-0.5"},
      {2.5, "2.5"},
      {1200, "1200"},
      {0.00025, "0.00025"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {-2.0 / 3, "-0.666666666666667"},
      {0.1 + 0.2, "0.3"},
      {0.1, "0.1"},
      {0.0001, "0.0001"},
      {0.00015, "0.00015"},
      {0.00001, "1E-5"},
      {0.000099999999999999995, "0.0001"},
      {1e15, "1E15"},
      {1e16, "1E16"},
      {1.5e20, "1.5E20"},
      {-1.5e20, "-1.5E20"},
      {123456789012345, "123456789012345"},
      {-123456789012345, "-123456789012345"},
      {999999999999999, "999999999999999"},
      {999999999999999.5, "1E15"},
      {999999999999999.4, "999999999999999"},
      {1234567890123456, "1.23456789012346E15"},
      {100, "100"},
      {12.35, "12.35"},
      {1e-300, "1E-300"},
      {DBL_MAX, "1.79769313486232E308"},
      {-DBL_MAX, "-1.79769313486232E308"},
      {DBL_MIN, "2.2250738585072E-308"},
      {4.9406564584124654e-324, "4.94065645841247E-324"},
      {1e-320, "9.99988867182683E-321"},
      {0.30000000000000004, "0.3"},
      {5e-324 * 3, "1.48219693752374E-323"},
      {1e22, "1E22"},
      {123.456, "123.456"},
      // The 16th significant digit of the exact value is 5 followed by
      // nonzero digits, or the value lies just below such a half.
      {0.1234567890123455, "0.123456789012345"},
      {0.1234567890123456, "0.123456789012346"},
      {1.000000000000005, "1.00000000000001"},
      {1.0000000000000049, "1"},
      {9.5, "9.5"},
      // Exact ties at the 16th digit round away from zero.
      {1125899906842624.5 / 8, "140737488355328"},
      {562949953421312.5, "562949953421313"},
      {-562949953421312.5, "-562949953421313"},
      {281474976710656.25, "281474976710656"},
      {INFINITY, "INF"},
      {-INFINITY, "-INF"},
      {NAN, "NAN"},
  };
  for (const GeneralCase& c : cases) {
    EXPECT_EQ(FormatGeneral(c.value), c.text) << c.text;
  }
}

TEST(FormatGeneral, ReadsBackToWithinFifteenDigits) {
  // Every text written reads back; values of at most 15 digits exactly.
  const double values[] = {0.1,   0.7,       1e-5, 123.456, -98765.4321,
                           3e100, 1.25e-100, 1e15, 333.333, 0.000123};
  for (double v : values) {
    double back = 0;
    ASSERT_TRUE(TryStrToFloat(FormatGeneral(v), back)) << v;
    EXPECT_EQ(back, v) << FormatGeneral(v);
  }
}

}  // namespace

namespace {

#if !defined(_WIN32)
// glibc's printf expands doubles exactly and rounds ties to even; away from
// exact ties its digits must agree with ours. (The Windows C library's
// printf does not round exactly, which is why FormatGeneral avoids it.)
TEST(FormatGeneral, AgreesWithAnExactPrintfAwayFromTies) {
  uint64_t state = 0x9E3779B97F4A7C15u;
  int compared = 0;
  for (int i = 0; i < 20000; ++i) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    double value = 0;
    std::memcpy(&value, &state, sizeof value);
    if (!std::isfinite(value) || value == 0) continue;
    char exact[64];
    std::snprintf(exact, sizeof exact, "%.30e", value);
    // Significant digits 16.. exactly "5000..." make a tie (digits[14] is
    // the 16th significant digit).
    std::string mantissa =
        std::string(exact).substr(0, std::strchr(exact, 'e') - exact);
    size_t point = mantissa.find('.');
    std::string digits = mantissa.substr(point + 1);
    if (digits[14] == '5' &&
        digits.find_first_not_of('0', 15) == std::string::npos) {
      continue;
    }
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.15G", value);
    double ours = 0, theirs = 0;
    ASSERT_TRUE(TryStrToFloat(FormatGeneral(value), ours))
        << FormatGeneral(value);
    ASSERT_TRUE(TryStrToFloat(expected, theirs)) << expected;
    EXPECT_EQ(ours, theirs) << expected << " " << FormatGeneral(value);
    ++compared;
  }
  EXPECT_GT(compared, 10000);
}
#endif

}  // namespace
