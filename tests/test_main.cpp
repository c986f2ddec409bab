// Test entry: the tests compute at the same precision as the programs.
#include <gtest/gtest.h>

#include "support/extended_precision.h"

int main(int argc, char** argv) {
  EnsureExtendedPrecision();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
