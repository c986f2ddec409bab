// The dimension's value text: its text type, its wording from the measured
// length and the format settings, its angle, and the records that carry it
// together with the dimension line (a plain line and text, or one dimension
// figure).
#pragma once

#include <cstdint>
#include <string>

#include "interchange/jww_model.h"
#include "tool/dim_types.h"

/// The text type of the value. Choice 1..10 is that text type of the model;
/// choice 0 is the host's current text type (the free sizes when it is 0,
/// text type 1 when it lies outside 0..10). A choice above 10, which the
/// list cannot offer, is taken as 0 rather than read past the table.
TValueTextType ResolveValueTextType(int32_t choice, const JwwModel& m);

/// The value text (Shift-JIS) for a dimension line of `length` drawing units:
/// unit, rounding, trailing zeros, grouping, full width, then prefix, unit
/// text and suffix as typed.
std::string ComposeDimValue(const TDimSettings& s, double length);

/// The text angle in degrees for an axis angle: in [0, 90.00000001] or in
/// (270.00000001, 360), so that the value never reads upside down.
double TextAngle(double axisAngle);

/// Everything the value's records are made of.
struct TValueBlock {
  std::string Text;     // the composed value
  TValueTextType Type;  // resolved text type
  double Angle = 0;     // text angle, degrees
  double DirX = 0;      // text direction, 10 x (cos, sin) of Angle
  double DirY = 0;
  double Length = 0;      // drawn length of Text, paper millimetres
  bool AsFigure = false;  // one dimension figure, not a line and a text
  TDimPoint LineEndA;     // the dimension line the value measures
  TDimPoint LineEndB;
  TDimPoint TextPoint;  // where the text starts
};

/// Composes the value of the dimension line LineEndA..LineEndB (of length
/// span.Length) with its text type, angle, direction and drawn length.
TValueBlock PrepareValueBlock(const TDimSettings& s, const TDimSpan& span,
                              const JwwModel& m);

/// The dimension line and the value. Plain: the line as a segment, then the
/// text type, cc 0 and the value as a "cs" text starting at TextPoint. As a
/// figure: the text type, then line and value as one dimension figure.
void WriteValueBlock(JwwModel& m, const TValueBlock& v);
