// Number texts at and beyond the edges of a double: what the lenient readers
// make of texts that are out of range or no number at all, and the round
// trip of the general format at the extremes (the largest double, the
// smallest normal and subnormal ones).
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

#include "support/number_text.h"

namespace {

struct EdgeText {
  const char* text;
  double real;    // SafeStrToFloat
  int32_t whole;  // SafeStrToInt
};

// Out of range or malformed reads as 0: never an infinity, a NaN or -0.
const EdgeText kEdgeTexts[] = {
    {"1e999", 0, 0},
    {"-1e999", 0, 0},
    {"1e-999", 0, 0},  // below the smallest subnormal: rounds to 0
    {"-0", 0, 0},
    {"-0.0e5", 0, 0},
    {"nan", 0, 0},
    {"inf", 0, 0},
    {"-Infinity", 0, 0},
    {"0x", 0, 0},
    {"0x10", 0, 16},
    {"$", 0, 0},
    {"--5", 0, 0},
    {"+-5", 0, 0},
    {"1e", 0, 0},
    {"1e+", 0, 0},
    {"2147483648", 2147483648.0, 0},
    {"-2147483648", -2147483648.0, INT32_MIN},
    {"1.7976931348623157e308", DBL_MAX, 0},
    // The general format's text of the largest double lies just beyond it
    // and reads back as the largest double, not as 0.
    {"1.79769313486232E308", DBL_MAX, 0},
    {"-1.79769313486232E308", -DBL_MAX, 0},
    {"1.79769313486233E308", 0, 0},
    {"4.94065645841247E-324", 4.9406564584124654e-324, 0},
};

TEST(NumberEdges, OutOfRangeAndMalformedTexts) {
  for (const EdgeText& c : kEdgeTexts) {
    SCOPED_TRACE(c.text);
    const double real = SafeStrToFloat(c.text);
    EXPECT_TRUE(std::isfinite(real));
    EXPECT_EQ(real, c.real);
    EXPECT_FALSE(real == 0 && std::signbit(real));
    EXPECT_EQ(SafeStrToInt(c.text), c.whole);
  }
}

// Every finite double comes back from its general form within 15
// significant digits; at the extremes too.
TEST(NumberEdges, GeneralFormReadsBackAtTheExtremes) {
  const double values[] = {DBL_MAX,
                           -DBL_MAX,
                           std::nextafter(DBL_MAX, 0),
                           1.7976931348623150e308,
                           DBL_MIN,
                           std::nextafter(DBL_MIN, 0),
                           DBL_TRUE_MIN,
                           -DBL_TRUE_MIN,
                           1e300,
                           1e-300,
                           999999999999999.5,
                           0.30000000000000004};
  for (double x : values) {
    const std::string text = FormatGeneral(x);
    SCOPED_TRACE(text);
    double y = 0;
    ASSERT_TRUE(TryStrToFloat(text, y));
    EXPECT_LE(std::fabs(static_cast<long double>(y) - x),
              std::fabs(static_cast<long double>(x)) * 5.12e-15L + 0x1p-1075L);
  }
}

}  // namespace
