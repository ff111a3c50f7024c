// Runs the real program in the test's own process, on the simulated machine and a temporary
// program folder: the checks, the probe and the seven windows, without the message loop. The
// process exit of the shut-down becomes a ProcessExited exception; message boxes are recorded.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/MessageBox.h"
#include "support/TempProgramFolder.h"
#include "viewer/ProcessExit.h"

namespace viewer_test {

// One line of channels.ini: a tuner channel.
struct Channel {
  std::string name;
  double mhz;
  int system;  // 0..9
};

// The simulated stations the tests tune to (built-in lineup).
inline const Channel kOneStation{"Sim One", 49.75, 6};
inline const Channel kFiveStation{"Sim Five", 191.25, 6};
inline const Channel kRadioStation{"Sim Radio B", 105.00, 9};

// Back to fresh program state (windows closed, every subsystem's state reset) and a fresh
// machine: the simulated card, mixer, desktop, system services, processes and video devices.
void ResetMachineAndProgram();

class ProgramTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // channels.ini with these channels (start channel `start`, counted from 0) and an "AV" row.
  void writeChannels(const std::vector<Channel>& channels, int start = 0);
  // Adds "key=value" lines to settings.ini's [Common] (or another section).
  void writeSetting(const std::string& key, const std::string& value,
                    const std::string& section = "Common");

  // The program's start; the exit code of a start that stopped early, else 0.
  int start();
  // The orderly shut-down; returns the exit code it ended with.
  int bye();
  // Lets posted events and paint requests run.
  static void processEvents();

  testing_support::TempProgramFolder folder_;
  std::unique_ptr<platform::RecordingMessageBox> boxes_;
  bool started_ = false;

private:
  std::vector<std::pair<std::string, std::string>> settings_;  // section, "key=value" lines
};

}  // namespace viewer_test
