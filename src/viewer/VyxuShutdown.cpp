// The orderly shut-down, switching the computer off, and the panel's destroy handler.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "core/CMyMixer.h"
#include "core/CardFunctions.h"
#include "core/Channels.h"
#include "core/Settings.h"
#include "core/SystemUtils.h"
#include "core/TvStandardPath.h"
#include "platform/CompanionLink.h"
#include "platform/CursorVisibility.h"
#include "platform/DisplayMode.h"
#include "platform/NamedLock.h"
#include "platform/SystemShutdown.h"
#include "recording/Capt.h"
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
  if (Form3) {
    Settings.ImageType = Form3->RadioJpg->isChecked() ? 1 : 0;
    Settings.Gray = Form3->ComboBox11->currentIndex() == 1;
    Settings.ProgressiveJPG = Form3->CheckBox12->isChecked();
    Settings.JpegQuality = uint16_t(Form3->ScrollBar2->value());
  }
}

}  // namespace

void TForm1::BYE() {
  // A capture in progress is stopped and its file finished first; the capture window then
  // calls BYE again.
  if (DeferQuitWhileCapturing()) return;
  // The capture driver lets go of the standard path and ends a capture in progress.
  if (ComActive) ComDetach();
  if (TvScreenWindow) TvScreenWindow->stop();
  if (Form3 && !Form3->Button6->isEnabled()) Form3->Button7Click();

  // What the next start needs: window places, start channel, settings and channel list.
  storeWindowState(*this);
  Settings.TaskBarButton = CheckBox9->isChecked();
  SaveSettings();
  SaveChannels();

  // The desktop as it was, and no TV window.
  CaptureDriverConnected = false;
  platform::DisplayMode& display = platform::DisplayMode::current();
  if (display.modeChanged()) display.restore();
  DestroyTvWindow();

  // The sound: the channel's sound kept on, or the card muted; the master volume and the card
  // line's mute as they were at start.
  if (CheckBox8->isChecked()) ReSet();
  SetMute(CheckBox8->isChecked() ? 0 : 1);
  if (Settings.RestoreVolume) MasterVol->SetValue(uint32_t(StartVolume) * 1000);
  if (SavedLineMute) LineMute->SetValue(1);

  // The remote-control companion hears that we go; the audio plug-in is let go.
  platform::CompanionLink::current().post(kCompanionWindowName, {kCompanionExitMessage, 0, 0});
  FreeAudioDll();

  // The computer goes off when the scheduler's exit alarm asked for it; the cursor is shown
  // again; the process ends.
  if (Form2 && Form2->CheckBox13->isChecked() && Form2->CheckBox14->isChecked() &&
      ExitAlarmFired)
    ShutdownWindows();
  if (Settings.FullScreenMouseHide) platform::CursorVisibility::current().showCursor(true);
  // The running lock is let go here, not by the destructors run at exit, whose order against
  // the platform's own objects is not ours to choose.
  RunningMutex.reset();
  viewer::ExitProcess(0);
}

// The system's power-off; whether it was accepted is not looked at.
void ShutdownWindows() {
  if (IsWinNT()) platform::SystemShutdown::current().powerOff();
}

void TForm1::FormDestroy() {
  if (CaptureDriverConnected && TvScreenWindow) TvScreenWindow->driverDisconnect();
}
