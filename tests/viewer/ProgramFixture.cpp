#include "ProgramFixture.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>
#include <sstream>

#include "core/CMyMixer.h"
#include "platform/DisplayMode.h"
#include "platform/Profile.h"
#include "sim/Bt848Card.h"
#include "sim/EventLog.h"
#include "sim/SimClock.h"
#include "sim/SimDesktop.h"
#include "sim/SimDisplay.h"
#include "sim/SimMixer.h"
#include "sim/SimPointer.h"
#include "sim/SimProcesses.h"
#include "sim/SimRegistry.h"
#include "sim/SimSystem.h"
#include "sim/SimSystemLog.h"
#include "sim/SimVideoDevices.h"
#include "viewer/Startup.h"
#include "viewer/ViewerState.h"
#include "viewer/Vyxu.h"

namespace viewer_test {

void ResetMachineAndProgram() {
  viewer::ResetProgramState();
  platform::DisplayMode::current().restore();
  sim::Card().reset();
  sim::Log().clear();
  sim::Clock().reset();
  sim::Mixer().reset();
  sim::Desktop().reset();
  sim::Display().reset();
  sim::Pointer().reset();
  sim::System().reset();
  sim::SystemLog().clear();
  sim::Processes().reset();
  sim::Registry().reset();
  sim::VideoDevices().reset();
  platform::DropProfileCache();
}

void ProgramTest::SetUp() {
  ResetMachineAndProgram();
  InitMixerObjects();
  boxes_ = std::make_unique<platform::RecordingMessageBox>();
  viewer::SetProcessExitHandler([](int code) { throw viewer::ProcessExited{code}; });
}

// The windows close while the message boxes are still recorded and the exit is still caught.
void ProgramTest::TearDown() {
  ResetMachineAndProgram();
  viewer::SetProcessExitHandler(nullptr);
  boxes_.reset();
}

void ProgramTest::writeChannels(const std::vector<Channel>& channels, int start) {
  static const char* kSystems[] = {"AUTO",  "NTSC",  "NTSC_J", "PAL_BDGHI", "PAL_M",
                                   "PAL_N", "SECAM", "PAL_NC", "CUSTOM",    "FMRADIO"};
  std::ostringstream out;
  out << "[Common]\nCurrentChannel=" << start + 1 << "\nNumOfChannels=" << channels.size()
      << "\n";
  auto section = [&](const std::string& name, const Channel& c) {
    char freq[32];
    std::snprintf(freq, sizeof freq, "%3.2f", c.mhz);
    out << "[" << name << "]\nFreq=" << freq << "\nSystem=" << kSystems[c.system]
        << "\nName=" << c.name
        << "\nVolume=40\nBrightness=50\nContrast=60\nHue=50\nSaturation=70\n";
  };
  for (size_t i = 0; i < channels.size(); ++i)
    section("TVCnl" + std::to_string(i + 1), channels[i]);
  section("AV", {"Video", 0, 3});
  section("SVHS", {"S-Video", 0, 3});
  folder_.write("channels.ini", out.str());
}

void ProgramTest::writeSetting(const std::string& key, const std::string& value,
                               const std::string& section) {
  auto it = settings_.begin();
  while (it != settings_.end() && it->first != section) ++it;
  if (it == settings_.end()) it = settings_.insert(it, {section, ""});
  it->second += key + "=" + value + "\n";
  std::string text;
  for (const auto& [name, lines] : settings_) text += "[" + name + "]\n" + lines;
  folder_.write("settings.ini", text);
}

int ProgramTest::start() {
  const int code = viewer::StartProgram();
  started_ = code == 0;
  processEvents();
  return code;
}

int ProgramTest::bye() {
  try {
    Form1->BYE();
  } catch (const viewer::ProcessExited& e) {
    return e.exitCode;
  }
  return -1;
}

void ProgramTest::processEvents() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

}  // namespace viewer_test
