// The main of test programs without Qt: tests run on the simulated machine unless a test says
// otherwise, also when a test program is started by hand.
#include <cstdlib>

#include <gtest/gtest.h>

#include "support/main/LeakCheck.h"

int main(int argc, char** argv) {
  setenv("VYX_SIM", "1", 0);
  testing_support::PassLeakSuppressionsToChildren();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
