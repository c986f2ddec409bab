#include "support/extended_precision.h"

#include <cmath>

#if defined(__i386__) || defined(__x86_64__)

namespace {

// Status word bit C2: the instruction left its operand unreduced (fcos,
// fsin) or has more reduction steps to go (fprem1).
constexpr unsigned short kC2 = 0x0400;

// x reduced by fprem1 modulo the extended pi doubled, as the Windows
// runtime does before a second try of fcos or fsin.
long double ReduceByTwoPi(long double x) {
  const long double twoPi = kPiL + kPiL;  // exact: only the exponent changes
  unsigned short sw = 0;
  do {
    __asm__("fprem1\n\tfnstsw %%ax" : "+t"(x), "=a"(sw) : "u"(twoPi));
  } while (sw & kC2);
  return x;
}

// fcos or fsin of x; `sw` receives the status word after it.
long double Instruction(long double x, bool sine, unsigned short& sw) {
  if (sine)
    __asm__("fsin\n\tfnstsw %%ax" : "+t"(x), "=a"(sw));
  else
    __asm__("fcos\n\tfnstsw %%ax" : "+t"(x), "=a"(sw));
  return x;
}

long double CosOrSin(long double x, bool sine) {
  if (std::isnan(x)) return x;
  if (std::isinf(x)) return std::numeric_limits<long double>::quiet_NaN();
  unsigned short sw = 0;
  long double r = Instruction(x, sine, sw);
  if (sw & kC2) r = Instruction(ReduceByTwoPi(x), sine, sw);
  return r;
}

}  // namespace

long double X87Cos(long double x) {
  return CosOrSin(x, false);
}

long double X87Sin(long double x) {
  return CosOrSin(x, true);
}

unsigned ReadX87ControlWord() {
  unsigned short cw = 0;
  __asm__ volatile("fnstcw %0" : "=m"(cw));
  return cw;
}

unsigned EnsureExtendedPrecision() {
  unsigned short before = 0;
  __asm__ volatile("fnstcw %0" : "=m"(before));
  // Precision control is bits 8 and 9; 11 selects the 64-bit significand.
  unsigned short wanted = static_cast<unsigned short>(before | 0x0300);
  if (wanted != before) __asm__ volatile("fldcw %0" : : "m"(wanted));
  return before;
}

#else

#error "t482 computes with the x87 unit (x86 only)"

#endif
