// The settings dialog's state in one place: every global of src/settings is a member of
// SettingsDialogState, and the names the other windows use are references to these members,
// declared in Custom.h. A global added to src/settings goes here, or ResetSettingsDialogState
// misses it (tests/GlobalState.sh checks the libraries for mutable globals outside the
// states).
#pragma once

#include <string>
#include <vector>

#include "settings/Custom.h"
#include "settings/SettingsHooks.h"

struct SettingsDialogState {
  TForm7* Form7 = nullptr;
  SettingsDialogHooks Hooks;
  OpenFileChooser Chooser;
  LinkOpener Opener;
  // The links the simulated desktop was asked to open, in order.
  std::vector<std::string> OpenedLinks;
};

// Closes the settings dialog if it is still open and gives every member its initial value.
void ResetSettingsDialogState();
// The links opened under the simulation switch.
const std::vector<std::string>& SimOpenedLinks();
