// The simulated wave input: the tuned station's tone (silence when nothing is tuned), in blocks
// paced by the clock. Tests switch real-time pacing off so that only the simulated clock counts,
// and can make the device fail.
#pragma once

#include <memory>

#include "platform/WaveIn.h"

namespace platform {

std::unique_ptr<WaveIn> CreateSimWaveIn();

// What the simulated device does; Reset gives every field its initial value.
struct SimWaveInControl {
  int openError = kWaveInOk;   // returned by the next opens
  int startError = kWaveInOk;  // returned by the next starts
  bool realTimePacing = true;  // add real elapsed time to the simulated clock's
  int deviceCount = 1;         // devices in the name list

  static SimWaveInControl& current();
  static void Reset();
};

// Hands every block that is due now to its handler at once (the backend also checks on a timer
// every few milliseconds of real time).
void PumpSimWaveIn();

}  // namespace platform
