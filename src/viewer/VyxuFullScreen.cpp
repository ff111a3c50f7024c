// Full screen: the TV window maximised over the desktop, at a lower display resolution when the
// FullScreen choice asks for one and the display can change its mode.
#include <QCheckBox>
#include <QToolButton>

#include "core/CMyMixer.h"
#include "core/CardFunctions.h"
#include "core/Channels.h"
#include "core/Settings.h"
#include "gui/Cp1251.h"
#include "platform/Clock.h"
#include "platform/CursorVisibility.h"
#include "platform/DisplayMode.h"
#include "viewer/TvScreen.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace {

constexpr uint8_t kFmRadio = 9;

bool currentRowIsRadio() {
  return CurChannel >= 0 && CurChannel < kChannelRows &&
         ChannelTable[size_t(CurChannel)].System == kFmRadio;
}

void hideCursor(bool hide) {
  if (Settings.FullScreenMouseHide) platform::CursorVisibility::current().showCursor(!hide);
}

void saveVolumeAndMute() {
  SavedMasterVolume = int32_t(MasterVol->GetValue() / 1000);
  if (Settings.SoundOffOnStart) MasterMute->SetValue(1);
}

// The volume back, the channel applied again, the sound option's mute.
void restoreVolumeAndChannel() {
  MasterVol->SetValue(uint32_t(SavedMasterVolume) * 1000);
  if (Settings.SoundOffOnStart) MasterMute->SetValue(0);
  Form1->ReSet();
  SetMute(Form1->CheckBox3->isChecked() ? 0 : 1);
}

void saveAndMaximise(TvScreen* tv) {
  FsPlacement = {tv->normalRect(), true};
  tv->setWindowState(Qt::WindowFullScreen);
  tv->show();
}

void restorePlacement(TvScreen* tv) {
  tv->setWindowState(Qt::WindowNoState);
  if (FsPlacement.valid) tv->setGeometry(FsPlacement.normal);
  tv->show();
}

void connectDriver() {
  if (TvScreenWindow) TvScreenWindow->driverConnect(int(Settings.Driver));
}

void disconnectDriver() {
  if (TvScreenWindow) TvScreenWindow->driverDisconnect();
}

void modeChangeOn() {
  platform::SleepMs(100);
  saveVolumeAndMute();
  disconnectDriver();
  FsPanelLeft = Form1->x();
  FsPanelTop = Form1->y();
  if (TvScreenWindow) saveAndMaximise(TvScreenWindow);
  platform::DisplayMode::current().setMode({FsWidth, FsHeight, DisplayRefresh});
  if (TvScreenWindow) TvScreenWindow->setWindowState(Qt::WindowFullScreen);
  connectDriver();
  hideCursor(true);
  restoreVolumeAndChannel();
}

void modeChangeOff() {
  saveVolumeAndMute();
  disconnectDriver();
  if (TvScreenWindow) TvScreenWindow->hide();
  platform::DisplayMode::current().restore();
  Form1->move(FsPanelLeft, FsPanelTop);
  if (TvScreenWindow) restorePlacement(TvScreenWindow);
  connectDriver();
  restoreVolumeAndChannel();
  hideCursor(false);
}

}  // namespace

void SetFullScreen(int on) {
  if (!Form1) return;
  if (currentRowIsRadio() && on == 1) return;
  FullScreenOn = on != 0;
  Form1->Set34();
  platform::SleepMs(50);
  if (TvScreenWindow) TvScreenWindow->repaint();
  platform::SleepMs(50);

  if (on) {
    // Where the display cannot change its mode, full screen only maximises the window.
    FsModeSwitched =
        DisplayWidth > FsWidth && platform::DisplayMode::current().modeChangePossible();
    if (FsModeSwitched) {
      modeChangeOn();
    } else {
      if (TvScreenWindow) saveAndMaximise(TvScreenWindow);
      hideCursor(true);
    }
  } else {
    if (FsModeSwitched) {
      modeChangeOff();
    } else {
      if (TvScreenWindow) restorePlacement(TvScreenWindow);
      hideCursor(false);
    }
    FsModeSwitched = false;
  }
  SetVideoInput(CurInput);
}

void ShowFullScreenMode() {
  if (!Form1) return;
  struct Mode {
    const char* caption;
    int width;
    int height;
  };
  static constexpr Mode kModes[] = {
      {"320 x 240", 320, 240}, {"400 x 300", 400, 300}, {"640 x 480", 640, 480},
      {"800 x 600", 800, 600}};
  const int choice = Settings.FullScreen;
  if (choice >= kFullScreen320x240 && choice <= kFullScreen800x600) {
    const Mode& m = kModes[choice - kFullScreen320x240];
    Form1->SpeedButton1->setText(QString::fromLatin1(m.caption));
    FsWidth = m.width;
    FsHeight = m.height;
  } else if (choice == kFullScreenNoChanges) {
    Form1->SpeedButton1->setText(gui::FromCp1251(Form1->Label11->Caption()));
    FsWidth = DisplayWidth;
    FsHeight = DisplayHeight;
  }
}
