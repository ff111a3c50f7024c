// A fresh simulated operating system for one test: services, processes, desktop and the system
// log all reset; no program left running and no display mode left changed afterwards.
#pragma once

#include <gtest/gtest.h>

#include "platform/DisplayMode.h"
#include "sim/SimDesktop.h"
#include "sim/SimProcesses.h"
#include "sim/SimSystem.h"
#include "sim/SimSystemLog.h"

class SimSystemFixture : public ::testing::Test {
protected:
  void SetUp() override { resetAll(); }
  void TearDown() override {
    platform::DisplayMode::current().restore();
    resetAll();
  }

  static void resetAll() {
    sim::System().reset();
    sim::Processes().reset();
    sim::Desktop().reset();
    sim::SystemLog().clear();
  }

  // The kinds of the logged events, in order.
  static std::vector<sim::SystemEvent::Kind> kinds() {
    std::vector<sim::SystemEvent::Kind> out;
    for (const auto& e : sim::SystemLog().events()) out.push_back(e.kind);
    return out;
  }
};
