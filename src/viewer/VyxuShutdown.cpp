// The orderly shut-down, switching the computer off, and the panel's destroy handler.
#include <QCheckBox>

#include "core/CMyMixer.h"
#include "core/CardFunctions.h"
#include "core/Channels.h"
#include "core/Settings.h"
#include "core/SystemUtils.h"
#include "core/TvStandardPath.h"
#include "platform/CompanionLink.h"
#include "platform/CursorVisibility.h"
#include "platform/DisplayMode.h"
#include "platform/SystemShutdown.h"
#include "viewer/ProcessExit.h"
#include "viewer/Schu.h"
#include "viewer/Startup.h"
#include "viewer/TvScreen.h"
#include "viewer/TvWindowSetup.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace {

constexpr uint32_t kCompanionExitMessage = 0x471;

// What the shut-down stores of the TV window and the panel. The window's rectangle is stored
// only while there is a window to read it from; the start channel and the panel's place are
// stored in every case.
void storeWindowState(TForm1& panel) {
  if (TvScreenWindow) {
    TvScreenWindow->driverDisconnect();
    panel.Set34();
  }
  if (CurChannel < kAvRow) StartChannel = CurChannel;
  Settings.CBposX = panel.x();
  Settings.CBposY = panel.y();
  // The snapshot options of the capture window come with the recording window.
}

}  // namespace

void TForm1::BYE() {
  if (ComActive) ComDetach();                             // 1
  if (TvScreenWindow) TvScreenWindow->stop();             // 2
  storeWindowState(*this);                                // 3
  // 4: a running WAV recording is stopped by the recording window, which comes with it.
  Settings.TaskBarButton = CheckBox9->isChecked();        // 5
  SaveSettings();                                         // 6
  SaveChannels();
  CaptureDriverConnected = false;                            // 7
  platform::DisplayMode& display = platform::DisplayMode::current();
  if (display.modeChanged()) display.restore();           // 8
  DestroyTvWindow();                                      // 9
  if (CheckBox8->isChecked()) ReSet();                    // 10
  SetMute(CheckBox8->isChecked() ? 0 : 1);
  if (Settings.RestoreVolume) MasterVol->SetValue(uint32_t(StartVolume) * 1000);  // 11
  if (SavedLineMute) LineMute->SetValue(1);               // 12
  platform::CompanionLink::current().post(kCompanionWindowName,
                                          {kCompanionExitMessage, 0, 0});  // 13
  FreeAudioDll();                                         // 14
  if (Form2 && Form2->CheckBox13->isChecked() && Form2->CheckBox14->isChecked() &&
      ExitAlarmFired)
    ShutdownWindows();                                    // 15
  if (Settings.FullScreenMouseHide) platform::CursorVisibility::current().showCursor(true);  // 16
  viewer::ExitProcess(0);                                 // 17
}

// The system's power-off; whether it was accepted is not looked at.
void ShutdownWindows() {
  if (IsWinNT()) platform::SystemShutdown::current().powerOff();
}

void TForm1::FormDestroy() {
  if (CaptureDriverConnected && TvScreenWindow) TvScreenWindow->driverDisconnect();
}
