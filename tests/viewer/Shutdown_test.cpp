// The orderly shut-down: what it stores, what it restores, what it tells the companion, and the
// exit code it ends with.
#include <QCheckBox>

#include "ProgramFixture.h"
#include "core/CMyMixer.h"
#include "core/Channels.h"
#include "core/Settings.h"
#include "platform/Mixer.h"
#include "platform/Profile.h"
#include "sim/Bt848Card.h"
#include "sim/SimDesktop.h"
#include "sim/SimMixer.h"
#include "sim/SimSystem.h"
#include "sim/SimSystemLog.h"
#include "support/RenameCounter.h"
#include "viewer/Schu.h"
#include "viewer/Startup.h"
#include "viewer/TvScreen.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace viewer_test {
namespace {

using sim::SystemEvent;

class ShutdownTest : public ProgramTest {
protected:
  std::string stored(const std::string& file, const std::string& section,
                     const std::string& key) {
    platform::DropProfileCache();
    return platform::GetProfileString(folder_.file(file), section, key, "<missing>");
  }
};

TEST_F(ShutdownTest, StoresFilesTellsTheCompanionLastAndExitsWithZero) {
  sim::System().setCompanionRunning(true);
  writeChannels({kOneStation, kFiveStation, kRadioStation});
  ASSERT_EQ(start(), 0);
  CurChannel = 1;
  Form1->ReSet();
  Form1->move(200, 300);
  TvScreenWindow->setGeometry(10, 20, 400, 280);
  sim::SystemLog().clear();

  EXPECT_EQ(bye(), 0);
  EXPECT_EQ(stored("channels.ini", "Common", "CurrentChannel"), "2");
  EXPECT_EQ(stored("settings.ini", "Common", "CBposX"), "200");
  EXPECT_EQ(stored("settings.ini", "Common", "CBposY"), "300");
  EXPECT_EQ(stored("settings.ini", "Common", "TVposX"), "10");
  EXPECT_EQ(stored("settings.ini", "Common", "TVsizeX"), "400");
  EXPECT_EQ(stored("settings.ini", "Common", "TVsizeY"), "300") << "4:3 from the width";
  EXPECT_FALSE(TvScreenWindow) << "the TV window is destroyed";
  EXPECT_FALSE(CaptureDriverConnected);

  const auto events = sim::SystemLog().events();
  auto post = std::find_if(events.rbegin(), events.rend(), [](const SystemEvent& e) {
    return e.kind == SystemEvent::Kind::CompanionPost;
  });
  ASSERT_NE(post, events.rend());
  EXPECT_EQ(post->a, 0x471);
  EXPECT_EQ(post->b, 0);
  EXPECT_EQ(sim::SystemLog().only(SystemEvent::Kind::CompanionPost).size(), 1u);
  EXPECT_TRUE(sim::SystemLog().only(SystemEvent::Kind::PowerOff).empty());
}

TEST_F(ShutdownTest, WithoutTvWindowTheStoredRectangleStaysAndTheRestIsStored) {
  writeSetting("TvWindowPresent", "0");
  writeSetting("TVposX", "33");
  writeSetting("TVsizeX", "222");
  writeChannels({kOneStation, kFiveStation, kRadioStation});
  ASSERT_EQ(start(), 0);
  CurChannel = 2;
  Form1->move(150, 250);
  EXPECT_EQ(bye(), 0);
  EXPECT_EQ(stored("settings.ini", "Common", "TVposX"), "33");
  EXPECT_EQ(stored("settings.ini", "Common", "TVsizeX"), "222");
  EXPECT_EQ(stored("settings.ini", "Common", "CBposX"), "150");
  EXPECT_EQ(stored("settings.ini", "Common", "CBposY"), "250");
  EXPECT_EQ(stored("channels.ini", "Common", "CurrentChannel"), "3");
}

TEST_F(ShutdownTest, LeavingOnAnInputRowKeepsTheStartChannel) {
  struct Case {
    int row;
    const char* stored;
  };
  for (const Case& c : {Case{kAvRow, "2"}, Case{kSvhsRow, "2"}, Case{253, "254"}}) {
    writeChannels({kOneStation, kFiveStation}, 1);
    ASSERT_EQ(start(), 0);
    CurChannel = c.row;
    EXPECT_EQ(bye(), 0);
    EXPECT_EQ(stored("channels.ini", "Common", "CurrentChannel"), c.stored) << "row " << c.row;
    TearDown();
    SetUp();
  }
}

TEST_F(ShutdownTest, SoundIsLeftOnOrMutedAndTheVolumeRestored) {
  using namespace platform;
  writeSetting("RestoreVolume", "1");
  writeChannels({kOneStation});
  sim::Mixer().presetValue(kMixerDestinationSpeakers, kMixerSourceNone, kMixerControlVolume,
                           20000, 20000);
  ASSERT_EQ(start(), 0);
  MasterVol->SetValue(50000);
  Form1->CheckBox8->setChecked(false);
  EXPECT_EQ(bye(), 0);
  EXPECT_EQ(sim::Mixer().value(kMixerDestinationSpeakers, kMixerSourceNone, kMixerControlVolume),
            20000u);
  EXPECT_EQ(sim::Card().audioSource(), sim::AudioSource::Muted);
}

TEST_F(ShutdownTest, KeepSoundLeavesTheCardPlaying) {
  writeSetting("KeepSound", "1");
  writeChannels({kOneStation});
  ASSERT_EQ(start(), 0);
  EXPECT_TRUE(Form1->CheckBox8->isChecked());
  EXPECT_EQ(bye(), 0);
  EXPECT_EQ(sim::Card().audioSource(), sim::AudioSource::Tuner);
}

TEST_F(ShutdownTest, ExitAlarmWithSwitchOffAsksForPowerOff) {
  writeChannels({kOneStation});
  ASSERT_EQ(start(), 0);
  Form2->CheckBox13->setChecked(true);
  ExitAlarmFired = true;
  EXPECT_EQ(bye(), 0);
  const auto powerOffs = sim::SystemLog().only(SystemEvent::Kind::PowerOff);
  ASSERT_EQ(powerOffs.size(), 1u);
  // The companion's message went out before.
  const auto events = sim::SystemLog().events();
  auto at = [&](SystemEvent::Kind kind) {
    return std::find_if(events.begin(), events.end(),
                        [&](const SystemEvent& e) { return e.kind == kind; });
  };
  EXPECT_LT(at(SystemEvent::Kind::CompanionPost), at(SystemEvent::Kind::PowerOff));
}

TEST_F(ShutdownTest, FullScreenAtAnotherModeIsLeftInTheDesktopsMode) {
  writeSetting("FullScreen", "640x480");
  writeChannels({kOneStation});
  ASSERT_EQ(start(), 0);
  SetFullScreen(1);
  ASSERT_EQ(sim::Desktop().currentMode(), (sim::SimScreenMode{640, 480, 60}));
  EXPECT_EQ(bye(), 0);
  EXPECT_EQ(sim::Desktop().currentMode(), (sim::SimScreenMode{1024, 768, 60}));
}

// The first run stores what it found; a second run that changes nothing writes no file at all.
TEST_F(ShutdownTest, AShutDownThatChangedNothingWritesNoFile) {
  writeChannels({kOneStation, kFiveStation});
  ASSERT_EQ(start(), 0);
  ASSERT_EQ(bye(), 0);
  TearDown();
  SetUp();

  const char* files[] = {"settings.ini", "channels.ini", "remote.ini"};
  std::vector<std::unique_ptr<testing_support::RenameCounter>> renames;
  for (const char* file : files) {
    ASSERT_TRUE(folder_.exists(file)) << file;
    renames.push_back(std::make_unique<testing_support::RenameCounter>(folder_.path()));
  }
  ASSERT_EQ(start(), 0);
  EXPECT_EQ(bye(), 0);
  for (size_t i = 0; i < std::size(files); ++i)
    EXPECT_EQ(renames[i]->count(files[i]), 0) << files[i] << " was written";
}

}  // namespace
}  // namespace viewer_test
