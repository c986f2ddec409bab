// Plane geometry helpers. Intermediate results are long double (64-bit
// significand) with extended constants; only results are rounded to
// doubles. Non-finite input gives non-finite or zero results, never a trap.
#include "support/geometry.h"

#include <cmath>

#include "support/extended_precision.h"

double Distance(double x1, double y1, double x2, double y2) {
  long double dx = static_cast<long double>(x2) - x1;
  long double dy = static_cast<long double>(y2) - y1;
  return static_cast<double>(std::sqrt(dx * dx + dy * dy));
}

double AngleRad(double dx, double dy) {
  if (std::fabs(dx) < 1e-10L && std::fabs(dy) < 1e-10L) return 0;
  double a = static_cast<double>(
      std::atan2(static_cast<long double>(dy), static_cast<long double>(dx)));
  // Just below the positive x axis this gives 2*pi itself.
  if (a < 0) a = static_cast<double>(a + 2 * kPiL);
  return a;
}

double AngleDeg(double dx, double dy) {
  double degrees = static_cast<double>(
      static_cast<long double>(AngleRad(dx, dy)) * 180 / kPiL);
  return RoundTo10Places(degrees);
}

double NormalizeDeg(double angle) {
  if (!std::isfinite(angle)) return 0;
  long double a = std::fabs(static_cast<long double>(angle));
  if (a >= 360) a -= std::trunc(a / 360) * 360;
  // Far beyond any drawing's angles the quotient above loses whole turns;
  // the exact remainder keeps the result inside the documented range.
  if (a < 0 || a >= 360)
    a = std::fmod(std::fabs(static_cast<long double>(angle)), 360.0L);
  if (std::fabs(a) <= 1e-10L) a = 0;
  if (std::fabs(a - 360) <= 1e-10L) a = 0;
  if (angle < 0) {
    a = -a;
    if (a < 0) a += 360;
  }
  if (a >= 360) a -= 360;
  double result = static_cast<double>(a);
  // A tiny negative angle folds to just below 360 in extended precision,
  // which can round up to 360 itself as a double.
  // Zero comes out without a sign.
  return result >= 360 || result == 0 ? 0 : result;
}

long double DegToRad(long double degrees) {
  return degrees / 180.0L * kPiL;
}

void RotateRad(double& x, double& y, double px, double py, double cx, double cy,
               double angle) {
  long double c = X87Cos(static_cast<long double>(angle));
  long double s = X87Sin(static_cast<long double>(angle));
  long double dx = static_cast<long double>(px) - cx;
  long double dy = static_cast<long double>(py) - cy;
  x = static_cast<double>(cx + c * dx - s * dy);
  y = static_cast<double>(cy + s * dx + c * dy);
}

void RotateDeg(double& x, double& y, double px, double py, double cx, double cy,
               double angle) {
  RotateRad(x, y, px, py, cx, cy, static_cast<double>(DegToRad(angle)));
}

double RoundTo10Places(double x) {
  long double r =
      std::trunc(std::fabs(static_cast<long double>(x)) / 1e-10L + 0.5L) *
      1e-10L;
  double result = static_cast<double>(r);
  // Only huge values can overflow on the way; they have no decimals anyway.
  if (!std::isfinite(result)) return x;
  return x < 0 ? -result : result;
}
