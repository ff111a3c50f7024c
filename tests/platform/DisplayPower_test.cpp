#include "platform/DisplayPowerX11.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

TEST(DisplayPowerX11, WithoutADisplaySwitchingDoesNothing) {
  std::optional<std::string> display;
  if (const char* d = std::getenv("DISPLAY")) display = d;
  unsetenv("DISPLAY");
  platform::X11DisplayPower().setMonitorPower(false);
  platform::X11DisplayPower().setMonitorPower(true);
  if (display) setenv("DISPLAY", display->c_str(), 1);
  SUCCEED();
}

}  // namespace
