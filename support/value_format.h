// Rounding and fixed-decimal formatting of the dimension value.
#pragma once

#include <cstdint>
#include <string>

/// |x| scaled by 10^digits (digits 1..13, else factor 1), plus 0 (mode 0),
/// 0.9 (mode 1) or 0.5 (any other mode), truncated and scaled back, all in
/// extended precision; x's sign is applied to the result.
double RoundDecimals(int32_t digits, int32_t mode, double x);

/// Value rounded half away from zero to exactly `digits` decimals, "." as the
/// decimal point, trailing zeros kept.
std::string FormatFixed(int32_t digits, double value);

/// As FormatFixed, with "," between groups of three integer digits.
std::string FormatGrouped(int32_t digits, double value);
