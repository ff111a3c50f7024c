// The monitor without a signal: off after MonitorPowerOffDelay minutes without lock, on again at
// the first locked second or when the user moves the mouse; and the keep-awake nudge.
#include <QCheckBox>

#include "RemoteFixture.h"
#include "core/CBT848.h"
#include "core/Channels.h"
#include "core/TvWindow.h"
#include "sim/SimDisplay.h"
#include "sim/SimPointer.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace viewer_test {
namespace {

class NoSignalTest : public RemoteTest {
protected:
  // Watching the "AV" input, whose socket has no signal until `connect`.
  void startWatchingAv(const char* delayMinutes) {
    writeSetting("MonitorPowerOffIfNoSignal", "1");
    writeSetting("MonitorPowerOffDelay", delayMinutes);
    startWithRemote();
    Form1->RxLabel6Click();
    ASSERT_EQ(CurChannel, kAvRow);
  }
  static void connect(bool on) { sim::Card().setAvConnected(on); }
  static void seconds(int n) {
    for (int i = 0; i < n; ++i) Form8->Timer3Timer();
  }
  static bool muted() { return sim::Card().audioSource() == sim::AudioSource::Muted; }
  static const std::vector<bool>& powerRequests() { return sim::Display().powerRequests(); }
};

TEST_F(NoSignalTest, MonitorGoesOffAtExactlyTheDelayAndOnAtTheFirstLockedSecond) {
  startWatchingAv("1");
  seconds(59);
  EXPECT_TRUE(powerRequests().empty());
  EXPECT_FALSE(muted());
  seconds(1);
  EXPECT_EQ(powerRequests(), std::vector<bool>{false});
  EXPECT_TRUE(muted());
  EXPECT_TRUE(MonitorOffActive);
  seconds(30);
  EXPECT_EQ(powerRequests().size(), 1u) << "once";
  connect(true);
  seconds(1);
  EXPECT_EQ(powerRequests(), (std::vector<bool>{false, true}));
  EXPECT_FALSE(muted());
  EXPECT_EQ(NoSignalSeconds, 0);
  EXPECT_FALSE(MonitorOffActive);
}

TEST_F(NoSignalTest, SoundSwitchedOffStaysOffWhenThePictureReturns) {
  startWatchingAv("1");
  Form1->CheckBox3->setChecked(false);
  seconds(60);
  connect(true);
  seconds(1);
  EXPECT_TRUE(muted());
}

// The user's hand wakes the monitor; the count starts again.
TEST_F(NoSignalTest, MovingTheMouseEndsTheOffState) {
  startWatchingAv("1");
  seconds(60);
  sim::Pointer().userMove({300, 200});
  seconds(1);
  EXPECT_FALSE(MonitorOffActive);
  EXPECT_FALSE(muted());
  EXPECT_EQ(NoSignalSeconds, 0);
  EXPECT_EQ(powerRequests(), std::vector<bool>{false});
  seconds(60);
  EXPECT_EQ(powerRequests(), (std::vector<bool>{false, false}));
}

TEST_F(NoSignalTest, DelayZeroNeverSwitchesTheMonitorOff) {
  startWatchingAv("0");
  seconds(600);
  connect(true);
  seconds(5);
  connect(false);
  seconds(5);
  EXPECT_TRUE(powerRequests().empty());
  EXPECT_FALSE(muted());
}

TEST_F(NoSignalTest, NothingIsCountedWhileTheTvWindowIsHidden) {
  startWatchingAv("1");
  TvHiddenByUser = true;
  seconds(120);
  EXPECT_EQ(NoSignalSeconds, 0);
  EXPECT_TRUE(powerRequests().empty());
}

TEST_F(NoSignalTest, KeepAwakeNudgesOnlyWhileThereIsAPicture) {
  startWatchingAv("1");
  sim::Pointer().userMove({40, 50});
  Form8->Timer2Timer();
  ASSERT_EQ(sim::Pointer().events().size(), 2u);
  EXPECT_EQ(sim::Pointer().events()[0].kind, sim::PointerEvent::Kind::Move);
  EXPECT_EQ(sim::Pointer().events()[0].pos, (sim::PointerPos{40, 50}));
  EXPECT_EQ(sim::Pointer().events()[1].kind, sim::PointerEvent::Kind::Nudge);
  seconds(60);
  sim::Pointer().clearEvents();
  Form8->Timer2Timer();
  EXPECT_TRUE(sim::Pointer().events().empty());
}

}  // namespace
}  // namespace viewer_test
