#include <gtest/gtest.h>

#include "controls/ProgressRange.h"

using progress::ProgressRange;

// Each row starts from Min `min0`, Max `max0`, Progress `progress` and calls one setter; the
// setter says whether it took the value (the control repaints only then).
TEST(ProgressRange, SettersTakeOnlyValidValues) {
  enum Setter { Progress, Max, Min };
  struct Case {
    const char* what;
    int min0, max0, progress;
    Setter setter;
    int value;
    bool taken;
    int min, max, expectedProgress;
  };
  const Case cases[] = {
      {"progress above Max", 0, 100, 20, Progress, 150, false, 0, 100, 20},
      {"progress below Min", 0, 100, 20, Progress, -1, false, 0, 100, 20},
      {"progress at Max", 0, 100, 20, Progress, 100, true, 0, 100, 100},
      {"progress unchanged", 0, 100, 20, Progress, 20, false, 0, 100, 20},
      {"Max below Progress", 0, 100, 80, Max, 50, true, 0, 50, 0},
      {"Max below Progress falls back to Min", 10, 100, 80, Max, 50, true, 10, 50, 10},
      {"Max equal to Min", 0, 100, 80, Max, 0, false, 0, 100, 80},
      {"Max below Min", 0, 100, 80, Max, -5, false, 0, 100, 80},
      {"Min above Progress", 0, 100, 10, Min, 30, true, 30, 100, 30},
      {"Min below Progress", 0, 100, 50, Min, 30, true, 30, 100, 50},
      {"Min equal to Max", 0, 100, 50, Min, 100, false, 0, 100, 50},
  };
  for (const Case& c : cases) {
    ProgressRange r{c.min0, c.max0, c.progress};
    bool taken = false;
    switch (c.setter) {
      case Progress: taken = r.SetProgress(c.value); break;
      case Max: taken = r.SetMax(c.value); break;
      case Min: taken = r.SetMin(c.value); break;
    }
    EXPECT_EQ(taken, c.taken) << c.what;
    EXPECT_EQ(r.min, c.min) << c.what;
    EXPECT_EQ(r.max, c.max) << c.what;
    EXPECT_EQ(r.progress, c.expectedProgress) << c.what;
  }
}
