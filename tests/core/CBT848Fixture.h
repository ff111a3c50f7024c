// A chip object on the simulated card, with the card, the event log and simulated time reset for
// each test, the card-control state reset, the default tuner and card rows, and every message
// box recorded.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "core/CBT848.h"
#include "core/CBT848Registers.h"
#include "core/Channels.h"
#include "core/CoreState.h"
#include "core/Settings.h"
#include "platform/MessageBox.h"
#include "sim/Bt848Card.h"
#include "sim/EventLog.h"
#include "sim/SimClock.h"

class ChipTest : public ::testing::Test {
protected:
  // The default tuner and card rows, as the settings give them here.
  static constexpr CardChoice kRows{5, 8};

  void SetUp() override {
    setenv("VYX_SIM", "1", 1);
    unsetenv("VYX_HWIODRV");
    unsetenv("VYX_SIM_STATIONS");
    sim::Card().reset();
    sim::Log().clear();
    sim::Clock().reset();
    ResetCoreState();
    Settings.Tuner = 5;
    Settings.Card = 8;
    CurChannel = 1;
    ChannelTable[1].System = 3;  // PAL_BDGHI
  }

  void TearDown() override {
    if (CardDevice == chip_.get()) CardDevice = nullptr;  // the test's own object
    chip_.reset();
    ResetCoreState();
    unsetenv("VYX_HWIODRV");
  }

  // A new object, opened with these rows; the log then starts empty.
  CBT848& open(CardChoice rows = kRows) {
    chip_ = std::make_unique<CBT848>();
    chip_->Open(rows);
    sim::Log().clear();
    return *chip_;
  }

  // A new object whose Open failed (no card).
  CBT848& openFailed() {
    sim::Card().setDeviceId(sim::Bt848Card::kNoDevice);
    return open();
  }

  static std::vector<sim::Event> events() { return sim::Log().events(); }
  static std::vector<sim::Event> only(sim::Event::Kind kind) { return sim::Log().only(kind); }

  // Values written to one register, in order.
  static std::vector<uint32_t> writesTo(uint32_t offset) {
    std::vector<uint32_t> out;
    for (const auto& e : only(sim::Event::Kind::RegWrite))
      if (e.a == offset) out.push_back(e.b);
    return out;
  }

  // Data words of the acknowledged and unacknowledged I2C writes, in order.
  static std::vector<uint32_t> i2cWords() {
    std::vector<uint32_t> out;
    for (const auto& e : only(sim::Event::Kind::I2cWrite)) out.push_back(e.b);
    return out;
  }

  static sim::Event write(uint32_t offset, uint32_t value) {
    return {sim::Event::Kind::RegWrite, offset, value};
  }

  std::unique_ptr<CBT848> chip_;
  platform::RecordingMessageBox boxes_;
};
