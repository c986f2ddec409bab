// Extended precision for the arithmetic of the tool.
//
// Rounding of dimension values, the side test and the angle helpers are only
// right when intermediate results carry a 64-bit significand (x87 extended
// precision). The build refuses a narrower long double, and programs call
// EnsureExtendedPrecision() at start, since Windows may start a thread with
// the x87 precision control at 53 bits.
#pragma once

#include <limits>

static_assert(std::numeric_limits<long double>::digits >= 64,
              "t482 needs long double with a 64-bit significand (x87 extended "
              "precision); MSVC and other compilers without it are not "
              "supported");

/// Pi in extended precision. Never use a double constant such as M_PI in the
/// extended arithmetic: it changes results at the boundaries.
inline constexpr long double kPiL = 3.141592653589793238462643383279502884L;

/// Cosine and sine of an extended argument by the x87 fcos and fsin
/// instructions, on every platform: the arithmetic of the Windows runtime,
/// whose cosl and sinl run the same instructions. They differ from an exact
/// argument reduction in the last digits near multiples of pi/2, since the
/// instructions reduce with their own 66-bit pi. An argument the
/// instructions refuse (|x| >= 2^63) is first reduced by fprem1 modulo the
/// extended pi doubled. NaN gives NaN, an infinity a quiet NaN. Use these
/// for every cosine and sine of the tool, never the C library's.
long double X87Cos(long double x);
long double X87Sin(long double x);

/// Sets the x87 precision control to 64 bits (extended). Returns the control
/// word as it was before.
unsigned EnsureExtendedPrecision();

/// The current x87 control word.
unsigned ReadX87ControlWord();
