#include "viewer/Startup.h"

#include <QEventLoop>
#include <QTimer>

#include <unistd.h>

#include <algorithm>
#include <memory>

#include "core/CBT848.h"
#include "core/CMyMixer.h"
#include "core/CardFunctions.h"
#include "core/HardwareTables.h"
#include "core/Settings.h"
#include "controls/dormant/Clipicon.h"
#include "gui/Timer.h"
#include "gui/VyxApplication.h"
#include "platform/Clock.h"
#include "platform/CompanionLink.h"
#include "platform/Environment.h"
#include "platform/MessageBox.h"
#include "platform/NamedLock.h"
#include "platform/Profile.h"
#include "platform/WaveInputDevices.h"
#include "recording/Capt.h"
#include "settings/Custom.h"
#include "viewer/Clist.h"
#include "viewer/Range.h"
#include "viewer/Remote.h"
#include "viewer/Schu.h"
#include "viewer/SettingsLink.h"
#include "viewer/Screenshot.h"
#include "viewer/TvScreen.h"
#include "viewer/Vyxu.h"
#include "viewer/VyxuCapture.h"
#include "viewer/VyxuCmdLine.h"

namespace {

constexpr uint32_t kCompanionStartMessage = 0x470;
constexpr uint32_t kCompanionNoticeMs = 100;
constexpr int kFirstPictureWaitMs = 300;

// The companion program holds its lock while it runs; it hears our process id.
void tellCompanion() {
  auto lock = platform::NamedLockBackend::current().create(kCompanionLockName);
  if (lock && lock->alreadyExisted()) {
    platform::CompanionLink::current().post(kCompanionWindowName,
                                            {kCompanionStartMessage, uint32_t(getpid()), 0});
    platform::SleepMs(kCompanionNoticeMs);
  }
}

// Opens the card once to see that it is there, and once more when the first open fails. The
// settings are read first, so that the probe drives the tuner and card rows the user chose.
bool probeCard() {
  LoadSettings();
  LoadCustomCard();
  LoadCustomTuner();
  OpenCard();
  if (!CardDevice->IsOpen()) {
    CardDevice->Close();
    OpenCard();
    if (!CardDevice->IsOpen()) {
      platform::ShowMessageBox(kCardNotFoundText, kCardNotFoundCaption,
                               platform::kMbOk | platform::kMbIconStop);
      return false;
    }
  }
  delete CardDevice;
  CardDevice = nullptr;
  return true;
}

void readLanguage() {
  const std::string file = platform::ProgramFolder() + "settings.ini";
  // Kept as written: the language file is looked up in any letter case, so the name need not be
  // upper-cased, and settings.ini gets back what the user chose.
  Settings.Language = platform::GetProfileString(file, "Common", "Language", "english");
}

// The panel first: its constructor does the program's real start and builds the TV window.
void createPanel() {
  SetApplicationTitle(kApplicationTitle);
  new TForm1;
  // The main window is shown as the message loop starts, unless the start without the panel
  // is chosen (the panel's constructor has hidden it then).
  if (!Settings.HideCP) Form1->show();
}

// The windows that start hidden, in their order. Once only: the start-up may call it from a
// timer's tick.
void createHiddenWindows() {
  if (Form2) return;
  new TForm2;
  InstallCaptureLinks();
  new TForm3;
  new TForm4;
  new TForm6;
  ConnectSettingsDialog();
  new TForm7;
  new TForm8;
}

// The TV window's first picture goes on the screen before the hidden windows are built, which
// takes longer than the picture does. The message loop runs, user input held back, until the
// picture is painted or a timer of the program is due (its handler may reach any window, so
// they are built first), for at most kFirstPictureWaitMs.
void showFirstPicture() {
  TvScreen* tv = TvScreenWindow.data();
  if (!tv || !tv->isVisible() || !tv->source().streaming()) return;
  QEventLoop loop;
  std::function<void()> notice = std::exchange(TvFirstFramePainted, nullptr);
  bool shown = false;
  TvFirstFramePainted = [&] {
    shown = true;
    if (notice) notice();
    loop.quit();
  };
  gui::TTimer::RunBeforeNextTick([&] {
    createHiddenWindows();
    loop.quit();
  });
  QTimer::singleShot(kFirstPictureWaitMs, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  gui::TTimer::RunBeforeNextTick(nullptr);
  if (!shown) TvFirstFramePainted = std::move(notice);
}

}  // namespace

bool CreateRunningMutex(const std::string& name) {
  auto lock = platform::NamedLockBackend::current().create(name);
  if (!lock || lock->alreadyExisted()) return false;
  RunningMutex = std::move(lock);
  return true;
}

namespace viewer {

namespace {

// The checks and the probe, then the panel (with the TV window). 0, or the exit code.
int startPanel() {
  if (!platform::WaveInputDevices::current().anyPresent()) {
    platform::ShowMessageBox(kNoWaveInputText, kNoWaveInputCaption,
                             platform::kMbOk | platform::kMbIconStop);
    return kFatalStartExitCode;
  }
  CreateRunningMutex(kRunningLockName);  // a second copy is not refused
  tellCompanion();
  if (!probeCard()) return kFatalStartExitCode;
  readLanguage();
  createPanel();
  return 0;
}

}  // namespace

int StartProgram() {
  if (int code = startPanel()) return code;
  createHiddenWindows();
  return 0;
}

int StartProgramPictureFirst() {
  if (int code = startPanel()) return code;
  showFirstPicture();
  createHiddenWindows();
  return 0;
}

void CloseProgram() {
  delete Form8;
  delete Form7;
  delete Form6;
  delete Form4;
  delete Form3;
  delete Form2;
  delete Form1;
  Form8 = nullptr;
  Form7 = nullptr;
  Form6 = nullptr;
  Form4 = nullptr;
  Form3 = nullptr;
  Form2 = nullptr;
  RunningMutex.reset();
}

int VyxMain(int argc, char** argv) {
  gui::VyxApplication app(argc, argv);
  // The switches are read from what follows the program's path, once Qt has taken its own.
  ProgramArguments.assign(argv + std::min(argc, 1), argv + argc);
  // Links the icon clipboard unit: its start-up registers the clipboard format "Korvel Icon".
  clipicon::clipicon_dummy();
  InitMixerObjects();
  std::atexit(FreeMixerObjects);
  try {
    InstallFirstFrameNoticeFromEnvironment();
    if (int code = StartProgramPictureFirst()) return code;
    ScheduleScreenshotFromEnvironment();
    app.exec();
  } catch (...) {
    gui::VyxApplication::HandleException();
  }
  return 0;
}

}  // namespace viewer
