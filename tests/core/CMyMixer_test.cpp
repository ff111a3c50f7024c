#include "core/CMyMixer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "core/CoreState.h"
#include "core/Settings.h"
#include "platform/MessageBox.h"
#include "sim/SimMixer.h"

using namespace platform;
using Kind = sim::SimMixerEvent::Kind;

namespace {

class MixerLines : public ::testing::Test {
protected:
  void SetUp() override {
    setenv("VYX_SIM", "1", 1);
    sim::Mixer().reset();
    ResetCoreState();
    Settings.SoundConnector = kConnectorLine;
  }
  void TearDown() override {
    ResetCoreState();
    sim::Mixer().reset();
  }

  static int openLineVolume(CMyMixer& m, bool showErrors) {
    return m.Open(kMixerDestinationSpeakers, CardSourceLine(), kMixerControlVolume, nullptr,
                  showErrors);
  }

  RecordingMessageBox boxes_;
};

TEST_F(MixerLines, EachGlobalObjectBindsItsLineAndControl) {
  struct Row {
    const char* name;
    CMyMixer** object;
    uint32_t destination, source, control;
  };
  InitMixerObjects();
  const uint32_t card = CardSourceLine();
  ASSERT_EQ(card, kMixerSourceLine);  // SoundConnector 2 is the line input
  const Row rows[] = {
      {"LineVol", &LineVol, kMixerDestinationSpeakers, card, kMixerControlVolume},
      {"RecLineVol", &RecLineVol, kMixerDestinationWaveIn, card, kMixerControlVolume},
      {"MasterVol", &MasterVol, kMixerDestinationSpeakers, kMixerSourceNone, kMixerControlVolume},
      {"RecMasterVol", &RecMasterVol, kMixerDestinationWaveIn, kMixerSourceNone, kMixerControlVolume},
      {"LineMute", &LineMute, kMixerDestinationSpeakers, card, kMixerControlMute},
      {"RecLineMute", &RecLineMute, kMixerDestinationWaveIn, card, kMixerControlMute},
      {"MasterMute", &MasterMute, kMixerDestinationSpeakers, kMixerSourceNone, kMixerControlMute},
      {"RecMasterMute", &RecMasterMute, kMixerDestinationWaveIn, kMixerSourceNone, kMixerControlMute},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    ASSERT_NE(*r.object, nullptr);
    EXPECT_FALSE((*r.object)->isOpen());
    ASSERT_EQ((*r.object)->Open(r.destination, r.source, r.control, nullptr, true), 1);
    sim::Mixer().clearEvents();
    ASSERT_TRUE((*r.object)->SetValue(1));
    auto sets = sim::Mixer().sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].destination, r.destination);
    EXPECT_EQ(sets[0].source, r.source);
    EXPECT_EQ(sets[0].control, r.control);
  }
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(MixerLines, CardWithoutLineInputFailsWithAMessageOnlyWhenAsked) {
  sim::Mixer().setLinePresent(kMixerDestinationSpeakers, kMixerSourceLine, false);
  CMyMixer quiet, loud;
  EXPECT_EQ(openLineVolume(quiet, false), 0);
  EXPECT_TRUE(boxes_.shown().empty());
  EXPECT_EQ(openLineVolume(loud, true), 0);
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].text, "The source line not found");
  EXPECT_EQ(boxes_.shown()[0].caption, "Error");
  EXPECT_EQ(boxes_.shown()[0].flags, kMbOk | kMbIconStop);
}

// Every way an open can fail: the message (none for a missing control), and the object left
// closed even when it was bound before, so its later transfers fail without touching the mixer.
TEST_F(MixerLines, FailedOpenShowsItsMessageAndLeavesTheObjectClosed) {
  struct Case {
    const char* message;  // null: fails without a message
    std::function<void()> fault;
    uint32_t destination, source, control;
  };
  auto& m = sim::Mixer();
  const Case cases[] = {
      {"No mixer device present", [&] { m.setDevicePresent(false); },
       kMixerDestinationSpeakers, kMixerSourceNone, kMixerControlVolume},
      {"Could not open mixer device", [&] { m.setOpenFails(true); },
       kMixerDestinationSpeakers, kMixerSourceNone, kMixerControlVolume},
      {"The destination line was not found",
       [&] { m.setLinePresent(kMixerDestinationWaveIn, kMixerSourceNone, false); },
       kMixerDestinationWaveIn, kMixerSourceNone, kMixerControlVolume},
      {"The source line not found",
       [&] { m.setLinePresent(kMixerDestinationWaveIn, kMixerSourceLine, false); },
       kMixerDestinationWaveIn, kMixerSourceLine, kMixerControlMute},
      {"No controls available for this audio line",
       [&] { m.removeControls(kMixerDestinationSpeakers, kMixerSourceCompactDisc); },
       kMixerDestinationSpeakers, kMixerSourceCompactDisc, kMixerControlVolume},
      {nullptr, [] {}, kMixerDestinationSpeakers, kMixerSourceLine, 0x50030002 /* no such control */},
      {"Control uses unknown units",
       [&] {
         m.setControlUnits(kMixerDestinationSpeakers, kMixerSourceNone, kMixerControlVolume,
                           kMixerUnitsCustom);
       },
       kMixerDestinationSpeakers, kMixerSourceNone, kMixerControlVolume},
  };
  for (const Case& c : cases) {
    for (bool showErrors : {false, true}) {
      SCOPED_TRACE(std::string(c.message ? c.message : "(no message)") +
                   (showErrors ? ", errors shown" : ", errors off"));
      m.reset();
      boxes_.clear();
      CMyMixer mixer;
      ASSERT_EQ(mixer.Open(c.destination, kMixerSourceNone, kMixerControlVolume, nullptr, true), 1);
      c.fault();
      m.clearEvents();

      EXPECT_EQ(mixer.Open(c.destination, c.source, c.control, nullptr, showErrors), 0);
      if (showErrors && c.message) {
        ASSERT_EQ(boxes_.shown().size(), 1u);
        EXPECT_EQ(boxes_.shown()[0].text, c.message);
        EXPECT_EQ(boxes_.shown()[0].caption, "Error");
        EXPECT_EQ(boxes_.shown()[0].flags, kMbOk | kMbIconStop);
      } else {
        EXPECT_TRUE(boxes_.shown().empty());
      }
      EXPECT_FALSE(mixer.isOpen());
      EXPECT_EQ(m.openHandles(), 0);
      EXPECT_EQ(mixer.GetValue(), 0u);
      EXPECT_FALSE(mixer.SetValue(5));
      uint32_t left = 7, right = 7;
      EXPECT_FALSE(mixer.GetStereo(left, right));
      EXPECT_EQ(left, 0u);
      EXPECT_EQ(right, 0u);
      EXPECT_TRUE(m.sets().empty());
    }
  }
}

TEST_F(MixerLines, MasterVolumeOfAFailedObjectReadsZero) {
  sim::Mixer().setDevicePresent(false);
  InitMixerObjects();
  EXPECT_EQ(MasterVol->Open(kMixerDestinationSpeakers, kMixerSourceNone, kMixerControlVolume,
                            nullptr, false),
            0);
  EXPECT_EQ(MasterVol->GetValue(), 0u);
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(MixerLines, ReopenClosesTheOldHandleFirst) {
  {
    CMyMixer mixer;
    ASSERT_EQ(openLineVolume(mixer, true), 1);
    ASSERT_EQ(openLineVolume(mixer, true), 1);
    const auto& ev = sim::Mixer().events();
    ASSERT_EQ(ev.size(), 3u);
    EXPECT_EQ(ev[0].kind, Kind::Open);
    EXPECT_EQ(ev[1].kind, Kind::Close);
    EXPECT_EQ(ev[1].handle, ev[0].handle);
    EXPECT_EQ(ev[2].kind, Kind::Open);
    EXPECT_NE(ev[2].handle, ev[0].handle);
    EXPECT_EQ(sim::Mixer().openHandles(), 1);
  }
  EXPECT_EQ(sim::Mixer().openHandles(), 0);  // the destructor closes it
}

TEST_F(MixerLines, ValuesRoundTripInMonoAndStereo) {
  auto& m = sim::Mixer();
  CMyMixer volume, mute, mic;
  ASSERT_EQ(openLineVolume(volume, true), 1);
  ASSERT_EQ(volume.SetValue(40000), true);
  EXPECT_EQ(volume.GetValue(), 40000u);
  EXPECT_EQ(m.value(kMixerDestinationSpeakers, kMixerSourceLine, kMixerControlVolume, 1), 40000u)
      << "one value is written to every channel";

  ASSERT_TRUE(volume.SetStereo(1000, 60000));
  uint32_t left = 0, right = 0;
  ASSERT_TRUE(volume.GetStereo(left, right));
  EXPECT_EQ(left, 1000u);
  EXPECT_EQ(right, 60000u);
  EXPECT_EQ(volume.GetValue(), 1000u) << "one channel reads the left one";
  auto sets = m.sets();
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_EQ(sets[1].values, (std::vector<uint32_t>{1000, 60000}));

  ASSERT_EQ(mute.Open(kMixerDestinationSpeakers, kMixerSourceNone, kMixerControlMute, nullptr,
                      true),
            1);
  ASSERT_TRUE(mute.SetValue(1));
  EXPECT_EQ(mute.GetValue(), 1u);
  EXPECT_FALSE(mute.SetStereo(0, 1)) << "a uniform control has no channels of its own";

  ASSERT_EQ(mic.Open(kMixerDestinationSpeakers, kMixerSourceMicrophone, kMixerControlVolume,
                     nullptr, true),
            1);
  EXPECT_FALSE(mic.GetStereo(left, right)) << "a mono line has no right channel";
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(MixerLines, TransfersThatTheMixerRefusesFail) {
  CMyMixer volume;
  ASSERT_EQ(openLineVolume(volume, true), 1);
  sim::Mixer().setTransfersFail(true);
  EXPECT_FALSE(volume.SetValue(100));
  EXPECT_EQ(volume.GetValue(), 0u);
  EXPECT_TRUE(sim::Mixer().sets().empty());
}

TEST_F(MixerLines, SoundConnectorPastTheLastSourceNamesNoLine) {
  struct Case {
    uint32_t connector;
    uint32_t line;
  };
  const Case cases[] = {{0, 0x1000}, {2, 0x1002}, {10, 0x100A}, {11, 0xFFFFFFFF}, {0xFFFFFFFF, 0xFFFFFFFF}};
  for (const Case& c : cases) {
    Settings.SoundConnector = c.connector;
    EXPECT_EQ(CardSourceLine(), c.line) << "SoundConnector " << c.connector;
  }
  // 11 would otherwise be 0x100B, the master line: the line slider must not drive the master.
  Settings.SoundConnector = 11;
  CMyMixer line;
  EXPECT_EQ(openLineVolume(line, true), 0);
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].text, "The source line not found");
}

TEST_F(MixerLines, FreeClosesTheEightObjectsInReverseOrder) {
  InitMixerObjects();
  CMyMixer* order[] = {LineVol,  MasterVol,  RecLineVol,  RecMasterVol,
                       LineMute, MasterMute, RecLineMute, RecMasterMute};
  for (CMyMixer* m : order) {
    bool master = m == MasterVol || m == RecMasterVol || m == MasterMute || m == RecMasterMute;
    bool rec = m == RecLineVol || m == RecMasterVol || m == RecLineMute || m == RecMasterMute;
    bool vol = m == LineVol || m == RecLineVol || m == MasterVol || m == RecMasterVol;
    ASSERT_EQ(m->Open(rec ? kMixerDestinationWaveIn : kMixerDestinationSpeakers,
                      master ? kMixerSourceNone : CardSourceLine(),
                      vol ? kMixerControlVolume : kMixerControlMute, nullptr, false),
              1);
  }
  // Handles were given out in the order above; the globals are declared LineVol, RecLineVol,
  // MasterVol, RecMasterVol, LineMute, RecLineMute, MasterMute, RecMasterMute.
  const int handleOf[8] = {1, 3, 2, 4, 5, 7, 6, 8};  // by declaration order
  sim::Mixer().clearEvents();
  FreeMixerObjects();
  EXPECT_EQ(LineVol, nullptr);
  EXPECT_EQ(RecMasterMute, nullptr);
  const auto& ev = sim::Mixer().events();
  ASSERT_EQ(ev.size(), 8u);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(ev[i].kind, Kind::Close);
    EXPECT_EQ(ev[i].handle, handleOf[7 - i]) << "close #" << i;
  }
  EXPECT_EQ(sim::Mixer().openHandles(), 0);
}

}  // namespace
