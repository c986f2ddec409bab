// Reading numbers from text without ever failing, and the general number
// format of both files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

/// Checked integer reading: leading half-width blanks, an optional sign, then
/// decimal digits or a hexadecimal number introduced by "$", "x", "X", "0x"
/// or "0X". A hexadecimal number is a 32-bit pattern ("$FFFFFFFF" is -1),
/// the sign applied in 32 bits. Returns false (value untouched) for empty
/// text, any other character, a sign without digits, a decimal value outside
/// int32 or a hexadecimal one beyond 32 bits.
[[nodiscard]] bool TryStrToInt(std::string_view text, int32_t& value);

/// The value of one hexadecimal digit (0-9, a-f, A-F); -1 for any other
/// character.
int HexDigitValue(char c);

/// Lenient integer reading: the value of TryStrToInt, or 0 when it refuses.
int32_t SafeStrToInt(std::string_view text);

/// Checked real reading: leading half-width blanks, an optional sign, digits
/// with an optional "." and an optional exponent. Computed in extended
/// precision, rounded to a double. Returns false for empty or malformed text
/// and for a value whose magnitude overflows a double (no infinity ever
/// comes out), except that magnitudes up to 1.79769313486232E308 (the
/// largest double in the general form) read as the largest double.
[[nodiscard]] bool TryStrToFloat(std::string_view text, double& value);

/// Lenient real reading: the value of TryStrToFloat, or 0 when it refuses.
double SafeStrToFloat(std::string_view text);

/// The general form of every real number in both files: at most 15
/// significant digits (rounded half away from zero on the exact value), no
/// trailing zeros, "." as decimal point, exponent form ("1E-5", "1.5E20") for
/// magnitudes below 0.0001 or from 10^15 up.
std::string FormatGeneral(double value);
