// Plane geometry helpers in extended precision.
#include "support/geometry.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "support/extended_precision.h"

namespace {

struct AngleCase {
  double dx;
  double dy;
  double degrees;
};

TEST(AngleDeg, DirectionsFromZeroTo360) {
  const AngleCase cases[] = {
      {1, 0, 0},
      {0, 1, 90},
      {-1, 0, 180},
      {0, -1, 270},
      {1, 1, 45},
      {-1, 1, 135},
      {-1, -1, 225},
      {1, -1, 315},
      {0, 0, 0},
      {1e-11, -1e-11, 0},
      {-5e-11, 9e-11, 0},
      // The degenerate test looks at each component on its own.
      {1e-10, 0, 0},
      {0, 1e-10, 90},
      {1, -1e-20, 360},
      {-1, -0.0, 180},
      {3, 4, 53.1301023542},
      {1e300, 1e300, 45},
  };
  for (const AngleCase& c : cases) {
    EXPECT_EQ(AngleDeg(c.dx, c.dy), c.degrees) << c.dx << " " << c.dy;
  }
}

TEST(AngleRad, RoundsBeforeAndAfterAddingTurn) {
  EXPECT_EQ(AngleRad(0, 0), 0);
  EXPECT_EQ(AngleRad(1, 0), 0);
  EXPECT_EQ(AngleRad(-1, 0), static_cast<double>(kPiL));
  EXPECT_EQ(AngleRad(1, -1e-20), static_cast<double>(2 * kPiL));
  EXPECT_EQ(AngleRad(0, -1), static_cast<double>(1.5L * kPiL));
}

struct NormalizeCase {
  double in;
  double out;
};

TEST(NormalizeDeg, FoldsIntoOneTurn) {
  const NormalizeCase cases[] = {
      {0, 0},
      {10, 10},
      {370, 10},
      {-90, 270},
      {720, 0},
      {-360, 0},
      {360, 0},
      {359.99999999995, 0},
      {-1e-11, 0},
      {360.00000000001, 0},
      {-359.99999999995, 0},
      // The double nearest 1e-10 lies above the extended 1e-10L.
      {1e-10, 1e-10},
      {9.9999999999e-11, 0},
      {-1e-9, 360 - 1e-9},
      {359.9999999998, 359.9999999998},
      {-720.5, 359.5},
      {1080.25, 0.25},
      {-0.0, 0},
  };
  for (const NormalizeCase& c : cases) {
    double got = NormalizeDeg(c.in);
    EXPECT_EQ(got, c.out) << c.in;
    EXPECT_FALSE(std::signbit(got)) << c.in;
  }
}

TEST(NormalizeDeg, ExtremeInputStaysInRange) {
  for (double a : {1e300, -1e300, DBL_MAX, -DBL_MAX, 1e20, -1e20 + 1,
                   9007199254740993.0, 4.9406564584124654e-324}) {
    double got = NormalizeDeg(a);
    EXPECT_GE(got, 0) << a;
    EXPECT_LT(got, 360) << a;
  }
  EXPECT_EQ(NormalizeDeg(INFINITY), 0);
  EXPECT_EQ(NormalizeDeg(NAN), 0);
}

struct RotateCase {
  double px, py, cx, cy, degrees;
  double x, y;
};

TEST(RotateDeg, TurnsAboutTheCentre) {
  const RotateCase cases[] = {
      {2, 1, 1, 1, 90, 1, 2},  {2, 1, 1, 1, -90, 1, 0},
      {2, 1, 1, 1, 180, 0, 1}, {2, 1, 1, 1, 360, 2, 1},
      {5, -3, 0, 0, 90, 3, 5}, {1, 0, 0, 0, 45, std::sqrt(0.5), std::sqrt(0.5)},
  };
  for (const RotateCase& c : cases) {
    double x = 0, y = 0;
    RotateDeg(x, y, c.px, c.py, c.cx, c.cy, c.degrees);
    EXPECT_NEAR(x, c.x, 1e-15) << c.degrees;
    EXPECT_NEAR(y, c.y, 1e-15) << c.degrees;
  }
}

TEST(RotateDeg, ZeroAngleIsExact) {
  double x = 0, y = 0;
  RotateDeg(x, y, 2, 1, 1, 1, 0);
  EXPECT_EQ(x, 2);
  EXPECT_EQ(y, 1);
  RotateDeg(x, y, 0.1, 1e300, -7.3, 2.5, 0);
  EXPECT_EQ(x, 0.1);
  EXPECT_EQ(y, 1e300);
}

TEST(RotateDeg, UsesTheRadianAngleRoundedToADouble) {
  // The result must match RotateRad on the double radian angle exactly.
  for (double degrees : {30.0, -12.5, 90.0, 137.25, 1e-7}) {
    double radians =
        static_cast<double>(static_cast<long double>(degrees) / 180 * kPiL);
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    RotateDeg(x1, y1, 123.456, -78.9, 10.5, 20.25, degrees);
    RotateRad(x2, y2, 123.456, -78.9, 10.5, 20.25, radians);
    EXPECT_EQ(x1, x2) << degrees;
    EXPECT_EQ(y1, y2) << degrees;
  }
  // 90 degrees: cos of the double nearest pi/2 is about 6.1e-17, not 0,
  // so a point far from the centre picks up a small offset.
  double x = 0, y = 0;
  RotateDeg(x, y, 1e6, 0, 0, 0, 90);
  EXPECT_NE(x, 0);
  EXPECT_NEAR(x, 6.123e-11, 1e-13);
  EXPECT_EQ(y, 1e6);
}

TEST(Distance, PythagorasInExtendedPrecision) {
  EXPECT_EQ(Distance(0, 0, 3, 4), 5);
  EXPECT_EQ(Distance(1, 1, 1, 1), 0);
  EXPECT_EQ(Distance(-1, -1, 2, 3), 5);
  // The squares overflow a double but not a long double.
  EXPECT_DOUBLE_EQ(Distance(0, 0, 3e200, 4e200), 5e200);
}

struct PlacesCase {
  double in;
  double out;
};

TEST(RoundTo10Places, HalfAwayFromZero) {
  const PlacesCase cases[] = {
      {0.12345678905, 0.1234567891},
      {-2.00000000004, -2},
      {-2.00000000006, -2.0000000001},
      {0, 0},
      {360, 360},
      {359.99999999999997, 360},
      {1.23456789012345, 1.2345678901},
      {45.000000000049, 45},
      {1e300, 1e300},
      {-DBL_MAX, -DBL_MAX},
  };
  for (const PlacesCase& c : cases) {
    EXPECT_EQ(RoundTo10Places(c.in), c.out) << c.in;
  }
}

}  // namespace
