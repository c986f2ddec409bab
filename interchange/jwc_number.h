// Reading the real numbers of the interchange file quickly.
//
// A drawing holds millions of numbers, nearly all of them plain decimals of
// at most 19 significant digits with a small exponent ("-1234.5678901234",
// "-3.2783543701953e-005"). Those are converted here with one extended
// precision multiplication or division, which gives exactly the value the
// general reader gives (its correctly rounded extended value, then rounded
// to a double). Every other text goes to SafeStrToFloat.
#pragma once

#include <string_view>

/// The value of SafeStrToFloat(text), bit for bit; 0 for empty or invalid
/// text.
double ReadJwcReal(std::string_view text);
