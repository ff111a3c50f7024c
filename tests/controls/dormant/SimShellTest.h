// A test on the simulated shell: its script and log emptied before and after, the logged events of
// one kind, and a temporary program folder.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "platform/ShellSim.h"
#include "support/TempProgramFolder.h"

class SimShellTest : public ::testing::Test {
protected:
  SimShellTest() { shell().reset(); }
  ~SimShellTest() override { shell().reset(); }

  static platform::SimShell& shell() { return platform::SimShellBackend(); }
  std::vector<platform::SimShellEvent> eventsOf(platform::SimShellEvent::Kind kind) const {
    std::vector<platform::SimShellEvent> out;
    for (const auto& e : shell().events())
      if (e.kind == kind) out.push_back(e);
    return out;
  }

  testing_support::TempProgramFolder folder_;
};
