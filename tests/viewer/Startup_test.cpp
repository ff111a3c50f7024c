// The program's start on the simulated machine: the checks before any window, the card probe,
// the windows and what a user sees after the start: the TV window connected and showing the
// start channel's station with its name on the OSD.
#include <QApplication>
#include <QCheckBox>
#include <QPointer>

#include <unistd.h>

#include "ProgramFixture.h"
#include "controls/Rxslider.h"
#include "core/CBT848.h"
#include "core/Channels.h"
#include "core/HardwareTables.h"
#include "core/SystemUtils.h"
#include "core/Settings.h"
#include "gui/Timer.h"
#include "platform/Mixer.h"
#include "platform/NamedLock.h"
#include "recording/Capt.h"
#include "settings/Custom.h"
#include "sim/Bt848Card.h"
#include "sim/EventLog.h"
#include "sim/SimMixer.h"
#include "sim/SimPicture.h"
#include "sim/SimRegistry.h"
#include "sim/SimSystem.h"
#include "sim/SimSystemLog.h"
#include "sim/SimVideoDevices.h"
#include "viewer/Clist.h"
#include "viewer/OsdWindow.h"
#include "viewer/Range.h"
#include "viewer/Remote.h"
#include "viewer/Schu.h"
#include "viewer/Startup.h"
#include "viewer/TvScreen.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/ViewerState.h"
#include "viewer/Vyxu.h"

namespace viewer_test {
namespace {

using sim::SystemEvent;

// Records the widgets in the order they come into being.
class CreationLog : public QObject {
public:
  CreationLog() { qApp->installEventFilter(this); }
  ~CreationLog() override { qApp->removeEventFilter(this); }
  // The positions of the given windows in the order of creation (-1 when never seen).
  int position(const QWidget* w) const { return int(created_.indexOf(w)); }

protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Create) created_.append(object);
    return false;
  }

private:
  QList<const QObject*> created_;
};

int pciLookups() { return int(sim::Log().only(sim::Event::Kind::PciLookup).size()); }

class StartupTest : public ProgramTest {};

TEST_F(StartupTest, CreatesTheSevenWindowsInTheirOrder) {
  writeChannels({kOneStation});
  CreationLog log;
  ASSERT_EQ(start(), 0);
  const QWidget* forms[] = {Form1, Form2, Form3, Form4, Form6, Form7, Form8};
  for (size_t i = 0; i < std::size(forms); ++i) {
    ASSERT_NE(forms[i], nullptr) << "window " << i;
    ASSERT_GE(log.position(forms[i]), 0) << "window " << i;
    if (i > 0) {
      EXPECT_LT(log.position(forms[i - 1]), log.position(forms[i])) << "window " << i;
    }
  }
  EXPECT_TRUE(Form1->isVisible());
  EXPECT_FALSE(Form2->isVisible());
  EXPECT_TRUE(boxes_->shown().empty());
}

bool hiddenWindowsExist() { return Form2 && Form3 && Form4 && Form6 && Form7 && Form8; }

// The program's own start: the picture is announced once, every window exists afterwards, in
// the same order.
TEST_F(StartupTest, PictureFirstStartAnnouncesThePictureAndBuildsEveryWindow) {
  writeChannels({kOneStation});
  CreationLog log;
  int notices = 0;
  TvFirstFramePainted = [&] { ++notices; };
  ASSERT_EQ(viewer::StartProgramPictureFirst(), 0);
  started_ = true;
  ASSERT_TRUE(hiddenWindowsExist());
  const QWidget* forms[] = {Form1, Form2, Form3, Form4, Form6, Form7, Form8};
  for (size_t i = 1; i < std::size(forms); ++i)
    EXPECT_LT(log.position(forms[i - 1]), log.position(forms[i])) << "window " << i;
  // Announced during the wait, or later when a timer ended it first.
  for (int i = 0; i < 100 && notices == 0; ++i) processEvents();
  EXPECT_EQ(notices, 1);
  EXPECT_EQ(TvFirstFramePainted, nullptr);
}

// A timer due while the start waits for the picture finds every window built.
TEST_F(StartupTest, ATimerDueBeforeThePictureFindsEveryWindow) {
  writeChannels({kOneStation});
  gui::TTimer early;
  early.SetInterval(1);
  int ticks = 0;
  bool windowsSeen = false;
  early.SetOnTimer([&](gui::TTimer* t) {
    ++ticks;
    windowsSeen = hiddenWindowsExist();
    t->SetEnabled(false);
  });
  ASSERT_EQ(viewer::StartProgramPictureFirst(), 0);
  started_ = true;
  for (int i = 0; i < 100 && ticks == 0; ++i) processEvents();
  EXPECT_EQ(ticks, 1);
  EXPECT_TRUE(windowsSeen);
}

// A test's own reset closes what a started program left open and clears every subsystem.
TEST_F(StartupTest, ProgramStateResetClosesTheWindowsAndClearsTheState) {
  writeChannels({kOneStation});
  ASSERT_EQ(start(), 0);
  QPointer<QWidget> tvOwner = TvParentWindow;
  ASSERT_FALSE(tvOwner.isNull());
  SoundMuted = true;
  ExitAlarmFired = true;
  viewer::ResetProgramState();
  EXPECT_EQ(Form1, nullptr);
  EXPECT_EQ(Form3, nullptr);
  EXPECT_EQ(Form7, nullptr);
  EXPECT_TRUE(tvOwner.isNull()) << "the TV window's owner is destroyed with the TV window";
  EXPECT_EQ(TvScreenWindow, nullptr);
  EXPECT_EQ(CardDevice, nullptr);
  EXPECT_EQ(NumOfChannels, 0);
  EXPECT_FALSE(SoundMuted);
  EXPECT_FALSE(ExitAlarmFired);
  EXPECT_EQ(RunningMutex, nullptr);
}

TEST_F(StartupTest, StartWithoutThePanelLeavesItHidden) {
  writeSetting("HideCP", "1");
  writeChannels({kOneStation});
  ASSERT_EQ(start(), 0);
  EXPECT_FALSE(Form1->isVisible());
  EXPECT_TRUE(TvScreenWindow->isVisible());
}

TEST_F(StartupTest, TvWindowIsConnectedAndShowsTheStartChannelWithItsName) {
  writeChannels({kOneStation, kFiveStation}, 1);
  ASSERT_EQ(start(), 0);

  ASSERT_TRUE(TvScreenWindow);
  EXPECT_EQ(TvScreenWindow->windowTitle(), "TV Screen");
  EXPECT_TRUE(TvScreenWindow->isVisible());
  // Connected, overlay on (every frame), the preview rate set for later.
  EXPECT_EQ(sim::VideoDevices().captureEvents(),
            (std::vector<sim::SimCaptureEvent>{{sim::SimCaptureEvent::Kind::Open, 0},
                                               {sim::SimCaptureEvent::Kind::Stream, 0, 0}}));
  EXPECT_TRUE(TvScreenWindow->overlay());
  EXPECT_EQ(TvScreenWindow->previewRate(), 66);
  EXPECT_EQ(TvWindow, static_cast<TvWindowHandle*>(TvScreenWindow.data()));

  // The tuner sits on the start channel's station.
  ASSERT_NE(sim::Card().tunedStation(), nullptr);
  EXPECT_EQ(sim::Card().tunedStation()->name, "Sim Five");
  EXPECT_EQ(CurChannel, 1);
  EXPECT_EQ(TitleText, "The Vyx98 - Sim Five (2)");
  EXPECT_EQ(Form1->windowTitle(), "The Vyx98 - Sim Five (2)");

  // The OSD shows the name until OSDDelay has passed.
  ASSERT_TRUE(OsdChannelWindow);
  EXPECT_EQ(OsdChannelWindow->text(), "Sim Five");
  EXPECT_EQ(OsdChannelWindow->geometry(), QRect(15, 5, 200, 200));
  EXPECT_TRUE(Form1->Timer6.Enabled());
  EXPECT_EQ(Form1->Timer6.Interval(), Settings.OSDDelay);
  Form1->Timer6.OnTimer()(&Form1->Timer6);
  EXPECT_EQ(OsdChannelWindow->text(), "");
  EXPECT_FALSE(Form1->Timer6.Enabled());
}

TEST_F(StartupTest, GrabbedFrameIsTheStationsPicture) {
  writeChannels({kFiveStation});
  ASSERT_EQ(start(), 0);
  const QImage frame = TvScreenWindow->grabFrame();
  ASSERT_FALSE(frame.isNull());

  const sim::PictureState state = sim::SimPicture::describe(sim::Card());
  EXPECT_EQ(state.content, sim::PictureState::Content::Pattern);
  EXPECT_EQ(state.label, "Sim Five");
  ASSERT_EQ(frame.size(), QSize(state.width, state.height));
  std::vector<uint32_t> expected(size_t(state.width * state.height));
  sim::SimPicture().render(state, 0, expected.data());
  // Everything above the strip where the marker moves is the same in every frame.
  const int rows = state.height - sim::SimPicture::kMarkerHeight;
  int differing = 0;
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < state.width; ++x)
      if ((frame.pixel(x, y) | 0xFF000000) != expected[size_t(y * state.width + x)]) ++differing;
  EXPECT_EQ(differing, 0);
}

TEST_F(StartupTest, WithoutWaveInputTheProgramStopsBeforeAnything) {
  sim::System().setWaveInputPresent(false);
  EXPECT_NE(start(), 0);
  ASSERT_EQ(boxes_->shown().size(), 1u);
  EXPECT_EQ(boxes_->shown()[0].text,
            "Waveform-audio input devices is not present in the system!\nApplication terminated.");
  EXPECT_EQ(boxes_->shown()[0].caption, "Fatal error!");
  EXPECT_EQ(boxes_->shown()[0].flags, platform::kMbOk | platform::kMbIconStop);
  EXPECT_EQ(Form1, nullptr);
  EXPECT_EQ(pciLookups(), 0);
  EXPECT_TRUE(sim::SystemLog().only(SystemEvent::Kind::LockCreate).empty());
}

TEST_F(StartupTest, CardMissingTwiceStopsWithoutAWindow) {
  sim::Card().failNextOpens(2);
  EXPECT_NE(start(), 0);
  ASSERT_EQ(boxes_->shown().size(), 1u);
  EXPECT_EQ(boxes_->shown()[0].text, "Fatal Error - BT8X8 not found");
  EXPECT_EQ(boxes_->shown()[0].caption, "Error loading driver");
  EXPECT_EQ(boxes_->shown()[0].flags, platform::kMbOk | platform::kMbIconStop);
  EXPECT_EQ(Form1, nullptr);
  EXPECT_FALSE(TvScreenWindow);
}

TEST_F(StartupTest, CardFailingOnceIsAcceptedAndTheProbeLetsItGo) {
  writeChannels({kOneStation});
  sim::Card().failNextOpens(1);
  ASSERT_EQ(start(), 0);
  EXPECT_TRUE(boxes_->shown().empty());
  ASSERT_NE(Form1, nullptr);
  // Probe: a failed and a good mapping, the latter let go; then the panel's own open.
  EXPECT_EQ(sim::Card().mapCount(), 2);
  EXPECT_EQ(sim::Card().unmapCount(), 1);
  EXPECT_TRUE(sim::Card().mapped());
}

TEST_F(StartupTest, CardLostAfterTheProbeEndsThePanelsStartWithExitCode1) {
  writeChannels({kOneStation});
  sim::Card().failNextOpens(1);  // the panel's own open, without a probe before it
  int code = -1;
  try {
    new TForm1;
  } catch (const viewer::ProcessExited& e) {
    code = e.exitCode;
  }
  Form1 = nullptr;  // the panel did not come into being
  EXPECT_EQ(code, 1);
  EXPECT_FALSE(TvScreenWindow) << "ended before the TV window";
  EXPECT_TRUE(boxes_->shown().empty());
}

TEST_F(StartupTest, ProbeDrivesTheTunerRowOfTheSettings) {
  // Tuner row 9 answers at 0xC0; the simulated tuner is moved there, so only a probe with the
  // configured row finds it.
  writeSetting("Tuner", "9");
  writeChannels({kOneStation});
  sim::Card().tuner().setAddress(0xC0);
  ASSERT_EQ(start(), 0);
  for (const sim::Event& e : sim::Log().only(sim::Event::Kind::I2cWrite))
    EXPECT_EQ(e.a & 0xFE, 0xC0u) << sim::ToString(e);
}

TEST_F(StartupTest, CompanionHearsTheProcessIdBeforeTheProbe) {
  sim::System().setCompanionRunning(true);
  writeChannels({kOneStation});
  ASSERT_EQ(start(), 0);
  const auto posts = sim::SystemLog().only(SystemEvent::Kind::CompanionPost);
  ASSERT_EQ(posts.size(), 1u);
  EXPECT_EQ(posts[0].name, "VyxRemoteControl");
  EXPECT_EQ(posts[0].a, 0x470);
  EXPECT_EQ(posts[0].b, getpid());
  EXPECT_EQ(posts[0].c, 0);
  EXPECT_EQ(posts[0].machineLogPosition, 0u) << "before the card is looked for";
}

TEST_F(StartupTest, ASecondCopyIsNotRefusedAtTheRunningLock) {
  sim::System().setHeldElsewhere(kRunningLockName, true);
  writeChannels({kOneStation});
  EXPECT_EQ(start(), 0);
  EXPECT_NE(Form1, nullptr);
  EXPECT_FALSE(CreateRunningMutex(kRunningLockName));
}

TEST_F(StartupTest, WithoutTvWindowNothingIsConnectedAndLr25IsStillAddressed) {
  writeSetting("TvWindowPresent", "0");
  writeChannels({kOneStation});
  sim::System().setDriverPresent("Lr25.dll", true);
  ASSERT_EQ(start(), 0);
  EXPECT_FALSE(TvScreenWindow);
  EXPECT_FALSE(OsdChannelWindow);
  EXPECT_EQ(TvWindow, nullptr);
  const auto messages = sim::SystemLog().only(SystemEvent::Kind::DriverMessage);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].a, 0x4CF);
  EXPECT_EQ(messages[1].a, 0x4CE);
  ASSERT_EQ(messages[1].data.size(), 16u);
  // The filled block goes back with its second word set to 1.
  EXPECT_EQ(messages[1].data[0], 0xD0);
  EXPECT_EQ(std::vector<uint8_t>(messages[1].data.begin() + 4, messages[1].data.begin() + 8),
            (std::vector<uint8_t>{1, 0, 0, 0}));
  EXPECT_EQ(messages[1].data[8], 0xD8);
  // A channel change and the OSD's clearing run without a TV window.
  Form1->ReSet();
  Form1->Timer6.OnTimer()(&Form1->Timer6);
  Form1->Timer7.OnTimer()(&Form1->Timer7);
  Form1->Set34();
}

TEST_F(StartupTest, StartingLeavesTheMasterVolumeAsItWas) {
  using namespace platform;
  writeChannels({kOneStation});
  sim::Mixer().presetValue(kMixerDestinationSpeakers, kMixerSourceNone, kMixerControlVolume,
                           30500, 30500);
  ASSERT_EQ(start(), 0);
  EXPECT_EQ(Form1->RxSlider9->Value(), 31) << "the slider shows the rounded thousands";
  EXPECT_EQ(StartVolume, 31);
  EXPECT_EQ(Form1->RxSlider6->Value(), 31);
  EXPECT_EQ(sim::Mixer().value(kMixerDestinationSpeakers, kMixerSourceNone, kMixerControlVolume),
            30500u);
}

TEST_F(StartupTest, SoundOffOnStartMutesTheMasterLineDuringTheStart) {
  using namespace platform;
  writeSetting("SoundOffOnStart", "1");
  writeChannels({kOneStation});
  ASSERT_EQ(start(), 0);
  std::vector<uint32_t> masterMutes;
  for (const sim::SimMixerEvent& e : sim::Mixer().sets())
    if (e.destination == kMixerDestinationSpeakers && e.source == kMixerSourceNone &&
        e.control == kMixerControlMute)
      masterMutes.push_back(e.values.at(0));
  EXPECT_EQ(masterMutes, (std::vector<uint32_t>{1, 0}));
}

TEST_F(StartupTest, CaptureWindowRestoresTheWavFormatOrTakesPcm) {
  writeChannels({kOneStation});
  ASSERT_EQ(start(), 0);
  EXPECT_EQ(ReadWaveFormat(SavedWavFormat), DefaultWaveFormat());
  EXPECT_EQ(DefaultWaveFormat().avgBytesPerSec, 176400u);
  viewer::CloseProgram();

  WaveFormatFields mono = DefaultWaveFormat();
  mono.channels = 1;
  mono.blockAlign = 2;
  mono.avgBytesPerSec = 88200;
  const std::vector<uint8_t> block = WaveFormatBlock(mono, MaxWavFormatSize);
  ASSERT_TRUE(WriteAppRegValue("TheVyx", "Audio Format A", block.data(), uint32_t(block.size())));
  new TForm3;
  EXPECT_EQ(ReadWaveFormat(SavedWavFormat), mono);
}

}  // namespace
}  // namespace viewer_test
