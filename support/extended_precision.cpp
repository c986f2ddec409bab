#include "support/extended_precision.h"

#if defined(__i386__) || defined(__x86_64__)

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

unsigned ReadX87ControlWord() {
  return 0;
}
unsigned EnsureExtendedPrecision() {
  return 0;
}

#endif
