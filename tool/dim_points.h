// Small point helpers shared by the input checks and the drawing.
#pragma once

#include <cmath>

#include "support/geometry.h"
#include "tool/dim_types.h"

/// `p` turned about `centre` by `angle` degrees (RotateDeg).
inline TDimPoint Rotated(TDimPoint p, TDimPoint centre, double angle) {
  TDimPoint r;
  RotateDeg(r.X, r.Y, p.X, p.Y, centre.X, centre.Y, angle);
  return r;
}

/// True when both coordinates are finite numbers.
inline bool Finite(TDimPoint p) {
  return std::isfinite(p.X) && std::isfinite(p.Y);
}
