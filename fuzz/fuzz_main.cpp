// The libFuzzer entry of one target, chosen at build time by
// T482_FUZZ_TARGET (an index into fuzz::kTargets). A broken invariant is
// reported and aborts, so that libFuzzer keeps the input.
#include <cstdio>
#include <cstdlib>

#include "fuzz/targets.h"
#include "support/extended_precision.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  EnsureExtendedPrecision();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string broken = fuzz::kTargets[T482_FUZZ_TARGET].run(data, size);
  if (!broken.empty()) {
    std::fprintf(stderr, "\n%s: %s\n", fuzz::kTargets[T482_FUZZ_TARGET].name,
                 broken.c_str());
    std::abort();
  }
  return 0;
}
