// The main of test programs that need a QApplication: offscreen, on the simulated machine.
#include <QApplication>
#include <clocale>
#include <cstdlib>

#include <gtest/gtest.h>

#include "support/main/LeakCheck.h"

int main(int argc, char** argv) {
  // Tests never need a display, also when ctest lists them outside the test environment.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("VYX_SIM", "1", 0);
  testing_support::PassLeakSuppressionsToChildren();
  testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  return RUN_ALL_TESTS();
}
