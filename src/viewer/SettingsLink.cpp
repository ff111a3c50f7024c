#include "viewer/SettingsLink.h"

#include "core/Settings.h"
#include "gui/Cp1251.h"
#include "settings/SettingsHooks.h"
#include "viewer/KeyboardHook.h"
#include "viewer/TvScreen.h"
#include "viewer/TvWindowSetup.h"
#include "viewer/Vyxu.h"

namespace {

// A TV window counts as made when it exists with its capture driver connected.
bool createTvWindow() {
  CreateTvWindow();
  if (TvScreenWindow && TvScreenWindow->driverConnected()) return true;
  DestroyTvWindow();
  return false;
}

void destroyTvWindow() {
  if (!TvScreenWindow) return;
  TvScreenWindow->driverDisconnect();
  DestroyTvWindow();
}

void reconnectDriver(int driver) {
  if (!TvScreenWindow) return;
  TvScreenWindow->driverDisconnect();
  TvScreenWindow->driverConnect(driver);
}

void restyleTvWindow(uint32_t style) {
  if (TvScreenWindow) TvScreenWindow->restyle(style, Settings.StayOnTop);
}

}  // namespace

void ConnectSettingsDialog() {
  SettingsDialogHooks& hooks = DialogHooks();
  hooks.reSet = [] { if (Form1) Form1->ReSet(); };
  hooks.set34 = [] { if (Form1) Form1->Set34(); };
  hooks.applySaturation = [] { if (Form1) Form1->RxSlider5Change(); };
  hooks.showMainPanel = [] { if (Form1) Form1->show(); };
  hooks.setMainCaption = [](const std::string& caption) {
    if (Form1) Form1->setWindowTitle(gui::FromCp1251(caption));
  };
  hooks.tvWindowExists = [] { return !TvScreenWindow.isNull(); };
  hooks.reconnectDriver = reconnectDriver;
  hooks.restyleTvWindow = restyleTvWindow;
  hooks.destroyTvWindow = destroyTvWindow;
  hooks.createTvWindow = createTvWindow;
  hooks.installKeyboardHook = InstallKeyboardHook;
  hooks.removeKeyboardHook = RemoveKeyboardHook;
}
