// The settings dialog on the simulated machine: a fresh program folder, the card-control and
// dialog state reset, every message box recorded, and hooks that record what the dialog asked of
// the main panel and the TV window.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/CoreState.h"
#include "core/Settings.h"
#include "platform/MessageBox.h"
#include "settings/Custom.h"
#include "settings/SettingsDialogState.h"
#include "settings/SettingsHooks.h"
#include "sim/Bt848Card.h"
#include "sim/EventLog.h"
#include "sim/SimClock.h"
#include "support/TempProgramFolder.h"
#include "viewer/ViewerGlobals.h"

class SettingsDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    setenv("VYX_SIM", "1", 1);
    sim::Card().reset();
    sim::Log().clear();
    sim::Clock().reset();
    ResetCoreState();
    ResetSettingsDialogState();
    Settings.Tuner = 5;
    Settings.Card = 8;
    Settings.WindowStyle = 0x90000000;
    Settings.TvWindowPresent = 1;
    Settings.OSDDelay = 1000;
    Settings.PLL = 3;
    ExeDir = folder.path();  // where the skins are looked up
    SettingsDialogHooks& hooks = DialogHooks();
    hooks.reSet = [this] { calls.push_back("reSet"); };
    hooks.set34 = [this] { calls.push_back("set34"); };
    hooks.applySaturation = [this] { calls.push_back("saturation"); };
    hooks.restyleTvWindow = [this](uint32_t style) { styles.push_back(style); };
    hooks.destroyTvWindow = [this] { calls.push_back("destroy"); };
    hooks.createTvWindow = [this] {
      calls.push_back("create");
      return createSucceeds;
    };
    hooks.installKeyboardHook = [this] { calls.push_back("install"); };
    hooks.removeKeyboardHook = [this] { calls.push_back("remove"); };
    FileChooser() = [this](const OpenFileRequest& request) {
      requests.push_back(request);
      if (answers.empty()) return std::optional<std::string>();
      std::optional<std::string> answer = answers.front();
      answers.pop_front();
      return answer;
    };
  }

  void TearDown() override {
    ResetSettingsDialogState();
    ResetCoreState();
    ExeDir.clear();
  }

  TForm7& dialog() {
    if (!Form7) new TForm7;
    return *Form7;
  }

  testing_support::TempProgramFolder folder;
  platform::RecordingMessageBox boxes;
  std::vector<std::string> calls;
  std::vector<uint32_t> styles;
  bool createSucceeds = true;
  std::deque<std::optional<std::string>> answers;  // the file chooser's answers, in turn
  std::vector<OpenFileRequest> requests;
};
