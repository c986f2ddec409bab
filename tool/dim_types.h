// The checked settings and geometry of one new dimension, handed from the
// input checks to the drawing.
#pragma once

#include <cstdint>
#include <string>

struct TDimSettings {
  int32_t StartKind = 0;
  int32_t EndKind = 0;
  double EndScale = 0;
  double ArrowLength = 0;
  double ArrowAngle = 0;
  int32_t TextTypeChoice = 0;
  std::string Prefix;
  std::string Suffix;
  int32_t PrecisionIndex = 0;
  int32_t RoundingMode = 0;
  int32_t ShowZeros = 0;
  int32_t UnitChoice = 0;
  bool ThousandsComma = false;
  bool AppendUnit = false;
  bool FullWidth = false;
  bool AsDimFigure = false;
  double ValueGap = 0;
  double PointGap = 0;
  double Overshoot = 0;
  double ReverseOverhang = 0;
};

struct TDimPoint {
  double X = 0;
  double Y = 0;
};

enum class TDimSide { Left, Right };

struct TDimSpan {
  double DrawScale = 1;
  TDimPoint EndA, EndB;
  TDimPoint LevelPoint;
  TDimPoint TextPoint;
  TDimPoint LineEndA, LineEndB;
  TDimSide Side = TDimSide::Right;
  double Length = 0;    // from LineEndA to LineEndB, worked out once
  double ValueGap = 0;  // the four distances in drawing units
  double PointGap = 0;
  double Overshoot = 0;
  double ReverseOverhang = 0;
};

struct TValueTextType {
  int32_t Number = 1;  // 0 = free text type
  double Width = 0;
  double Height = 0;
  double Spacing = 0;
  int32_t Colour = 0;
};
