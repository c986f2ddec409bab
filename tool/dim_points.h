// Small point helpers shared by the input checks and the drawing, and the
// one way the drawing writes a line of the dimension.
#pragma once

#include <cmath>

#include "interchange/jwc_writer.h"
#include "interchange/jww_model.h"
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

/// A line of the dimension from `a` to `b`: the dimension z flag, then the
/// segment (which the writer leaves out when it is degenerate).
inline void EmitDimSegment(JwwModel& m, TDimPoint a, TDimPoint b) {
  EmitZFlags(m, kDimensionZFlag);
  EmitSegment(m, a.X, a.Y, b.X, b.Y);
}
