// Recording tests on the simulated wave input: fresh recording state, the device paced by the
// simulated clock alone, and every message box recorded.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/MessageBox.h"
#include "platform/WaveInSim.h"
#include "recording/RecordingState.h"
#include "sim/SimClock.h"

namespace recording_test {

class SimWaveInTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetRecordingState();
    platform::SimWaveInControl::Reset();
    platform::SimWaveInControl::current().realTimePacing = false;
  }
  void TearDown() override {
    ResetRecordingState();
    platform::SimWaveInControl::Reset();
  }

  // Lets `ms` of simulated time pass and hands over the blocks that became due.
  static void advance(uint64_t ms) {
    sim::Clock().advance(ms);
    platform::PumpSimWaveIn();
  }

  platform::RecordingMessageBox boxes;
};

}  // namespace recording_test
