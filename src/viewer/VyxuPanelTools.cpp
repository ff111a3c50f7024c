// The panel's tool buttons: scheduler, capture (the capture window or an external capture
// program), channel list, full-screen resolution, settings and the teletext program.
#include <QToolButton>

#include "core/CMyMixer.h"
#include "core/CardFunctions.h"
#include "core/Channels.h"
#include "core/Settings.h"
#include "gui/Cp1251.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/ProcessLauncher.h"
#include "recording/Capt.h"
#include "settings/Custom.h"
#include "viewer/Clist.h"
#include "viewer/KeyboardHook.h"
#include "viewer/Schu.h"
#include "viewer/TvScreen.h"
#include "viewer/TvWindowSetup.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace {

constexpr const char* kFileNotFound = "File not found";
// The capture window stands this far above the desktop's bottom edge.
constexpr int kCaptureWindowMargin = 30;
constexpr uint32_t kPreviewPauseMs = 40;
constexpr unsigned kSettleIntervalMs = 1000;
constexpr int kSettleApplications = 2;

// Command lines are stored as Windows-1251 bytes; programs are named in the system's encoding.
std::string systemCommandLine(const std::string& stored) {
  return gui::FromCp1251(stored).toLocal8Bit().toStdString();
}

}  // namespace

void TForm1::attachToolHandlers() {
  using Handler = void (TForm1::*)();
  const std::pair<QToolButton*, Handler> buttons[] = {
      {SpeedButton4, &TForm1::SpeedButton4Click}, {SpeedButton3, &TForm1::SpeedButton3Click},
      {SpeedButton2, &TForm1::SpeedButton2Click}, {SpeedButton1, &TForm1::SpeedButton1Click},
      {SpeedButton5, &TForm1::SpeedButton5Click}, {SpeedButton6, &TForm1::SpeedButton6Click}};
  for (auto [button, handler] : buttons)
    connect(button, &QToolButton::clicked, this, [this, h = handler] { (this->*h)(); });
  ExternalSettle.SetEnabled(false);
  ExternalSettle.SetInterval(kSettleIntervalMs);
  ExternalSettle.SetOnTimer([this](gui::TTimer*) { externalSettleTick(); });
}

// The scheduler asks for the keyboard hook again when it closes.
void TForm1::SpeedButton4Click() {
  if (Form2) Form2->show();
  hide();
  RemoveKeyboardHook();
  SchedulerRefillPending = true;
}

void TForm1::SpeedButton3Click() {
  SavedMasterVolume = MasterVol ? int32_t(MasterVol->GetValue() * 0.001) : 0;
  if (Settings.UseExternalSoft) {
    startExternalProgram();
    return;
  }
  if (!Form3) return;
  Form3->move((DisplayWidth - Form3->width()) / 2,
              DisplayHeight - Form3->height() - kCaptureWindowMargin);
  Form3->show();
  hide();
  CaptureFormShown = true;
}

// The external program gets the card: the TV window goes, the sound stays at the master volume.
// The TV window comes back when the program ends (the housekeeping tick sees
// ExternalProgramEnded).
void TForm1::startExternalProgram() {
  RemoveKeyboardHook();
  if (TvScreenWindow) TvScreenWindow->driverDisconnect();
  DestroyTvWindow();
  SetMute(0);
  if (MasterVol) MasterVol->SetValue(uint32_t(SavedMasterVolume) * 1000);
  if (Settings.SoundOffOnStart && MasterMute) MasterMute->SetValue(1);
  SpeedButton3->setEnabled(false);

  auto process =
      platform::ProcessLauncher::current().start(systemCommandLine(Settings.ExternalSoftName));
  if (!process) {
    platform::ShowMessageBox(kFileNotFound, Settings.ExternalSoftName, platform::kMbOk);
    ExternalProgramEnded = true;
    SpeedButton3->setEnabled(true);
    return;
  }
  StartExternalProgramWaiter(std::move(process));
  ExternalSettleTicks = kSettleApplications;
  ExternalSettle.SetEnabled(true);
}

void TForm1::externalSettleTick() {
  ReSet();
  if (--ExternalSettleTicks <= 0) ExternalSettle.SetEnabled(false);
}

// Only on a tuner row: the list opens on the current channel and previews it.
void TForm1::SpeedButton2Click() {
  if (CurChannel < 0 || CurChannel >= kAvRow || !Form6) return;
  InputRowStash = {ChannelTable[kAvRow], ChannelTable[kSvhsRow]};
  Form6->Button7Click();
  Form6->SetGridRow(CurChannel + 1);
  Form6->show();
  hide();
  platform::SleepMs(kPreviewPauseMs);
  Form6->StringGrid1Click();
}

// The next resolution, 1..5 round; full screen itself is not switched.
void TForm1::SpeedButton1Click() {
  Settings.FullScreen = Settings.FullScreen + 1 > kFullScreenNoChanges
                            ? kFullScreen320x240
                            : Settings.FullScreen + 1;
  ShowFullScreenMode();
}

void TForm1::SpeedButton5Click() {
  if (Form7) Form7->show();
}

// Started and left alone: neither a failure nor the program's end is looked at.
void TForm1::SpeedButton6Click() {
  platform::ProcessLauncher::current().start(systemCommandLine(Settings.TeletextSoftName));
}
