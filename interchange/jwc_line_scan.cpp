// One pass over the bytes of a line (see jwc_line_scan.h).
#include "interchange/jwc_line_scan.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr char kCtrlZ = 0x1A;

}  // namespace

char* FindLineEnd(char* p, char* end, char** firstCr) {
#if defined(__SSE2__)
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i ctrlZ = _mm_set1_epi8(kCtrlZ);
  while (end - p >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr)),
                     _mm_cmpeq_epi8(v, ctrlZ))));
    // Each set bit is one of the three bytes, in order.
    for (; mask != 0; mask &= mask - 1) {
      char* hit = p + __builtin_ctz(mask);
      if (*hit != '\r') return hit;
      if (*firstCr == nullptr) *firstCr = hit;
    }
    p += 16;
  }
#endif
  for (; p != end; ++p) {
    if (*p == '\n' || *p == kCtrlZ) return p;
    if (*p == '\r' && *firstCr == nullptr) *firstCr = p;
  }
  return end;
}
