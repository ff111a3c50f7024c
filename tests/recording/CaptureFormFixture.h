// The capture window on its own, over a TV window of the simulated card: fresh recording, core
// and simulated-machine state, an empty program folder, and the links to the windows around it
// recorded where a test looks at them.
#pragma once

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/CoreState.h"
#include "core/Settings.h"
#include "platform/GlobalHotKeySim.h"
#include "platform/MessageBox.h"
#include "platform/Registry.h"
#include "platform/capture/CaptureSourceSim.h"
#include "platform/capture/CaptureWindow.h"
#include "recording/Capt.h"
#include "recording/RecordingState.h"
#include "sim/SimClock.h"
#include "sim/SimVideoDevices.h"
#include "support/TempProgramFolder.h"

namespace recording_test {

class CaptureFormTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetRecordingState();
    ResetCoreState();
    sim::VideoDevices().reset();
    sim::Clock().reset();
    platform::SimGlobalHotKey().reset();
    platform::RegistryBackend::current().deleteKey("Software\\Dorvak");
    tv = std::make_unique<platform::CaptureWindow>(std::make_unique<platform::CaptureSourceSim>());
    ASSERT_TRUE(tv->driverConnect(0));
    CaptureLinks.tvWindow = [this] { return tv.get(); };
    CaptureLinks.showPanel = [this] { ++panelShown; };
    CaptureLinks.snapshotTimer = [this](bool on, int ms) { snapshotTimer = {on, ms}; };
  }

  void TearDown() override {
    ResetRecordingState();
    tv.reset();
  }

  // Makes the window (after the test has set what its settings should be).
  TForm3& make() {
    new TForm3;
    return *Form3;
  }

  // Makes the window and shows it as the panel's capture button does.
  TForm3& show() {
    TForm3& form = make();
    form.show();
    CaptureFormShown = true;
    form.Timer2Timer();
    return form;
  }

  std::string file(const char* name) const { return dir.path().toStdString() + "/" + name; }

  static void processEvents() { QApplication::processEvents(); }

  testing_support::TempProgramFolder folder;
  QTemporaryDir dir;
  std::unique_ptr<platform::CaptureWindow> tv;
  platform::RecordingMessageBox boxes;
  int panelShown = 0;
  std::pair<bool, int> snapshotTimer{false, -1};
};

}  // namespace recording_test
