// Plane geometry helpers. Angles in degrees unless a name ends in Rad,
// counter-clockwise from +x. Intermediate results are extended precision;
// only results are rounded to doubles.
#pragma once

/// Distance from (x1, y1) to (x2, y2).
double Distance(double x1, double y1, double x2, double y2);

/// Direction of (dx, dy) in radians, 0 to 2*pi inclusive; 0 when both
/// components are below 1e-10 in magnitude.
double AngleRad(double dx, double dy);

/// AngleRad in degrees, rounded to 10 decimal places; 0 to 360 inclusive.
double AngleDeg(double dx, double dy);

/// Folds an angle into [0, 360); values within 1e-10 of a multiple of 360
/// give 0.
double NormalizeDeg(double a);

/// `degrees` in radians, as degrees / 180 * pi in extended precision; the
/// caller decides whether to round it.
long double DegToRad(long double degrees);

/// (x, y) = (px, py) turned about (cx, cy) by `angle` radians.
void RotateRad(double& x, double& y, double px, double py, double cx, double cy,
               double angle);

/// As RotateRad; the angle is converted as angle / 180 * pi, rounded to a
/// double before use.
void RotateDeg(double& x, double& y, double px, double py, double cx, double cy,
               double angle);

/// x rounded half away from zero at the tenth decimal place.
double RoundTo10Places(double x);
