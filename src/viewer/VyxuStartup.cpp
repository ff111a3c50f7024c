// The panel's constructor: the program's real set-up, in order, before the other windows exist.
#include <QCheckBox>
#include <QDir>
#include <QMenu>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>

#include <clocale>
#include <cmath>

#include "controls/Rxshell.h"
#include "controls/Rxslider.h"
#include "core/CBT848.h"
#include "core/CMyMixer.h"
#include "core/CardFunctions.h"
#include "core/Channels.h"
#include "core/HardwareTables.h"
#include "core/Settings.h"
#include "core/TvStandardPath.h"
#include "platform/Clock.h"
#include "platform/DisplayMode.h"
#include "platform/Environment.h"
#include "platform/Mixer.h"
#include "platform/Registry.h"
#include "settings/SkinLoader.h"
#include "gui/Image.h"
#include "viewer/KeyboardHook.h"
#include "viewer/PanelGeometry.h"
#include "viewer/ProcessExit.h"
#include "viewer/StartGeometry.h"
#include "viewer/TvScreen.h"
#include "viewer/TvWindowSetup.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"


namespace {

// The system's key that exists where capture drivers of the newer model sit behind the old
// capture interface.
constexpr const char* kWdmMapperKey =
    "SYSTEM\\CurrentControlSet\\Control\\MediaResources\\msvideo\\MSVideo.VFWWDM";

bool wdmMapperKeyPresent() {
  return platform::RegistryBackend::current().openKey(kWdmMapperKey) != nullptr;
}

}  // namespace

TForm1::TForm1(QWidget* owner) : QWidget(owner, Qt::Window | Qt::FramelessWindowHint) {
  Form1 = this;
  setObjectName("Form1");
  resize(panel::kWidth, panel::kHeight);
  applyPanelPalette();
  createTitleBar();
  createChannelControls();
  createFrequencyControls();
  createSliders();
  createOptions();
  createToolButtons();
  createTimers();
  createMenus();
  createTrayIcon();
  attachChannelHandlers();
  attachFrequencyHandlers();
  attachSliderHandlers();
  attachOptionHandlers();
  attachTitleHandlers();
  attachToolHandlers();
  attachTrayHandlers();

  // The program's real start, in this order: numbers in files use '.' whatever the locale; the
  // chip object exists (it is opened once the settings are read); the desktop's mode and the
  // program folder are known; the scan and snapshot timers are off.
  std::setlocale(LC_NUMERIC, "C");
  if (!CardDevice) CardDevice = new CBT848;
  readDisplayMode();
  openProgramFolder();
  Timer2.SetEnabled(false);
  Timer5.SetEnabled(false);

  // The stored configuration, the capture driver's standard path and the mixer lines; the
  // master line stays muted through the start when the user asked for it.
  loadStores();
  attachStandardPath();
  openMixerLines();
  if (Settings.WindowStyle == 0) Settings.WindowStyle = kDefaultTvWindowStyle;
  if (Settings.SoundOffOnStart) MasterMute->SetValue(1);
  syncMasterVolumeSlider();

  // The card, silent until the start channel is on: without it the program ends.
  OpenCard();
  if (!CardDevice->IsOpen()) viewer::ExitProcess(1);
  SetMute(1);

  // The windows: panel and TV window in place, options, skin, the TV window with its driver.
  placeWindows();
  CheckBox5->setChecked(Settings.Hints);
  CheckBox8->setChecked(Settings.KeepSound);
  CheckBox5Click();  // the hints as stored, also when the box did not change
  applySkin();
  CaptureDriverConnected = true;
  if (Settings.TvWindowPresent) CreateTvWindow();
  CheckBox9->setChecked(Settings.TaskBarButton);
  TalkToInstallableDriver();

  // The start channel, the panel's rolled state, tray and option glyphs; the hot keys.
  applyStartChannel();
  finishPanelState();
  InstallKeyboardHook();

  // Sound on: the card, the master line as it was, the card's line unmuted (its mute at start
  // is kept for the shut-down).
  SetMute(0);
  if (Settings.SoundOffOnStart) MasterMute->SetValue(0);
  SavedLineMute = LineMute->GetValue();
  LineMute->SetValue(0);

  // Started without the panel: only the TV window shows. Last, the audio plug-in.
  if (Settings.HideCP) hide();
  LoadAudioDll();
}

TForm1::~TForm1() {
  FormDestroy();
  if (Form1 == this) Form1 = nullptr;
}

// The display's mode; where it cannot be read (a display without the mode extension), the
// screen's size as the desktop reports it.
void TForm1::readDisplayMode() {
  if (auto mode = platform::DisplayMode::current().currentMode()) {
    DisplayWidth = mode->width;
    DisplayHeight = mode->height;
    DisplayRefresh = mode->refreshHz;
    return;
  }
  const QScreen* screen = QGuiApplication::primaryScreen();
  DisplayWidth = screen ? screen->geometry().width() : 0;
  DisplayHeight = screen ? screen->geometry().height() : 0;
  DisplayRefresh = screen ? int(std::lround(screen->refreshRate())) : 0;
}

void TForm1::openProgramFolder() {
  ExeDir = platform::ProgramFolder();
  QDir::setCurrent(QString::fromLocal8Bit(ExeDir.c_str()));
}

void TForm1::loadStores() {
  LoadSettings();
  LoadChannels();
  LoadCustomSystem();
  LoadCustomCard();
  LoadCustomTuner();
}

// Drivers that own the video decoder must be told the standard through the TV-standard path.
void TForm1::attachStandardPath() {
  const bool keyPresent = wdmMapperKeyPresent();
  if (!(Settings.WDMDriver == 1 || (Settings.WDMDriver == 2 && keyPresent))) return;
  try {
    if (ComAttach()) {
      ComActive = true;
      const uint32_t system = ChannelTable[0].System;
      if (system < 8) ComSetTVSystem(StandardMask(system));
      ComDetach();
      ComAttach();
    }
  } catch (...) {
    // The path is optional; whatever it raises leaves the program as it was.
  }
  platform::SleepMs(100);
}

void TForm1::openMixerLines() {
  using namespace platform;
  const uint32_t line = CardSourceLine();
  // No error boxes: a sound card without one of the lines leaves that line closed.
  LineVol->Open(kMixerDestinationSpeakers, line, kMixerControlVolume, this, false);
  MasterVol->Open(kMixerDestinationSpeakers, kMixerSourceNone, kMixerControlVolume, this, false);
  RecLineVol->Open(kMixerDestinationWaveIn, line, kMixerControlVolume, this, false);
  RecMasterVol->Open(kMixerDestinationWaveIn, kMixerSourceNone, kMixerControlVolume, this, false);
  LineMute->Open(kMixerDestinationSpeakers, line, kMixerControlMute, this, false);
  MasterMute->Open(kMixerDestinationSpeakers, kMixerSourceNone, kMixerControlMute, this, false);
  RecLineMute->Open(kMixerDestinationWaveIn, line, kMixerControlMute, this, false);
  RecMasterMute->Open(kMixerDestinationWaveIn, kMixerSourceNone, kMixerControlMute, this, false);
  RecLineMute->SetValue(0);
}

// The slider shows the master volume in thousands, rounded. The volume itself is left as it
// is: the slider's handler is kept out of it, so that starting the program never changes the
// volume.
void TForm1::syncMasterVolumeSlider() {
  const int thousands = int(std::lround(MasterVol->GetValue() * 0.001));
  auto handler = std::exchange(RxSlider9->OnChange, nullptr);
  RxSlider9->SetValue(thousands);
  RxSlider9->OnChange = std::move(handler);
  MasterVolumeLevel = float(RxSlider9->Value());
  StartVolume = RxSlider9->Value();
}

void TForm1::placeWindows() {
  FitStartGeometry(Settings, width(), height(), DisplayWidth, DisplayHeight);
  move(Settings.CBposX, Settings.CBposY);
}

// Without a skin the panel keeps its own pictures.
void TForm1::applySkin() {
  if (NoSkin(Settings.Skin)) return;
  LoadSkin();
  FinishSkin();
}

void TForm1::applyStartChannel() {
  CurChannel = StartChannel;
  for (int row = 0; row < NumOfChannels && row < kMaxTunerChannels; ++row)
    ChannelTable[size_t(row)].Used = 1;
  SetVideoInput(CurInput);
  ReSet();
  CurChannel = StartChannel;
}

void TForm1::finishPanelState() {
  // Unrolled shows the whole background, rolled up the title bar only.
  const gui::TImage* extent = Settings.CBState ? Image2 : Image1;
  resize(width(), extent->Top() + extent->Height());
  RolledUp = Settings.CBState != 0;
  ShowFullScreenMode();
  RxTrayIcon1->SetActive(true);
  FillMenu();
  CheckBox4->setChecked(Settings.StayOnTop);
  RxSlider6->SetValue(RxSlider9->Value());
  for (QWidget* mini : std::initializer_list<QWidget*>{RxSlider6, Image21, Image22})
    mini->setVisible(!Settings.CBState);
  // The option glyphs show their check boxes' states.
  const std::pair<gui::TImage*, QCheckBox*> glyphs[] = {
      {Image17, CheckBox8}, {Image18, CheckBox4}, {Image19, CheckBox5}, {Image20, CheckBox9}};
  for (auto [glyph, box] : glyphs)
    glyph->Picture().Assign((box->isChecked() ? ImageC : ImageN)->Picture());
  ScrollBarX->move(1600, 1200);
  CheckChannelMenuItem(CurChannel);
}
