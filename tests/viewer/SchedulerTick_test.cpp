// The panel's scheduler tick: which entries fire, when, how often, and what firing does.
#include <QAction>
#include <QCheckBox>
#include <QMenu>

#include "SchedulerFixture.h"
#include "controls/Rxshell.h"
#include "core/CBT848.h"
#include "core/Channels.h"
#include "viewer/ViewerGlobals.h"

namespace viewer_test {
namespace {

constexpr LocalTime kEvening{2026, 3, 10, 19, 0, 0};

LocalTime at(int hour, int minute, int second, int day = 10) {
  return {2026, 3, day, hour, minute, second};
}

// Entry 1: channel 3 (row 2) today at 20:00.
StoredEntry eightPm(bool everyDay = false) { return {1, 3, at(20, 0, 0), everyDay}; }

// A one-shot entry fires at the first tick at or after its minute, however late that tick
// comes, and never again.
TEST_F(SchedulerTest, OneShotEntryFiresOnceAtTheFirstTickFromItsTime) {
  struct Case {
    const char* name;
    std::vector<LocalTime> ticks;
    size_t firing;  // index of the tick that fires
  };
  const Case cases[] = {
      {"on time", {at(19, 59, 58), at(19, 59, 59), at(20, 0, 0), at(20, 0, 1)}, 2},
      {"a second late", {at(19, 59, 59), at(20, 0, 1), at(20, 0, 2)}, 1},
      {"two seconds late", {at(19, 59, 59), at(20, 0, 2), at(20, 0, 3)}, 1},
      {"held up for six seconds", {at(19, 59, 59), at(20, 0, 5), at(20, 0, 6)}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    writeSchedule({eightPm()});
    startAt(kEvening);
    for (size_t i = 0; i < c.ticks.size(); ++i) {
      CurChannel = 0;
      tickAt(c.ticks[i]);
      EXPECT_EQ(CurChannel, i == c.firing ? 2 : 0) << "tick " << i;
    }
    EXPECT_EQ(ScheduleTable[1].Enabled, 0) << "a one-shot entry is spent";
  }
}

TEST_F(SchedulerTest, EveryDayEntryFiresOnceEachDay) {
  writeSchedule({{1, 2, {1999, 1, 1, 8, 30, 0}, true}});  // its own date does not matter
  startAt(at(8, 0, 0));
  int firings = 0;
  for (int day = 10; day <= 12; ++day)
    for (int second = 0; second < 5; ++second) {
      CurChannel = 0;
      tickAt({2026, 3, day, 8, 29, 58 + second});  // 08:29:58 .. 08:30:02
      firings += CurChannel == 1;
    }
  EXPECT_EQ(firings, 3);
  EXPECT_EQ(ScheduleTable[1].Enabled, 1) << "an every-day entry stays armed";
}

TEST_F(SchedulerTest, EveryDayEntryJustBeforeMidnightFiresAcrossAHeldUpMidnight) {
  writeSchedule({{1, 2, {1999, 1, 1, 23, 59, 0}, true}});
  startAt(at(23, 58, 0));
  tickAt(at(23, 58, 30));
  CurChannel = 0;
  tickAt(at(0, 0, 30, 11));
  EXPECT_EQ(CurChannel, 1);
  CurChannel = 0;
  tickAt(at(0, 0, 31, 11));
  EXPECT_EQ(CurChannel, 0);
}

TEST_F(SchedulerTest, NothingScheduledBeforeTheStartFires) {
  writeSchedule({eightPm(), {2, 2, at(20, 0, 0), true}});
  startAt(at(20, 0, 1));
  CurChannel = 0;
  for (int s = 2; s < 6; ++s) tickAt(at(20, 0, s));
  EXPECT_EQ(CurChannel, 0);
  EXPECT_EQ(ScheduleTable[1].Enabled, 1);
}

// An entry naming no channel of the list, or "Empty", is passed over and stays as it is.
TEST_F(SchedulerTest, EntriesWithoutAListedChannelAreSkipped) {
  writeSchedule({{1, 7, at(20, 0, 0)}, {2, 0, at(20, 0, 0)}});
  startAt(kEvening, 3);
  CurChannel = 1;
  tickAt(at(19, 59, 59));
  tickAt(at(20, 0, 0));
  EXPECT_EQ(CurChannel, 1);
  EXPECT_EQ(ScheduleTable[1].Enabled, 1);
}

TEST_F(SchedulerTest, FullScreenEntryHidesThePanelAndSwitchSRestoresTheSound) {
  writeSchedule({{1, 3, at(20, 0, 0), false, true}});
  startAt(kEvening);
  ASSERT_TRUE(Form1->RxTrayIcon1->Active());
  Form1->CheckBox3->setChecked(false);
  CmdLineMode = 2;
  tickAt(at(19, 59, 59));
  tickAt(at(20, 0, 0));
  EXPECT_EQ(CurChannel, 2);
  EXPECT_TRUE(FullScreenOn);
  EXPECT_FALSE(Form1->isVisible());
  EXPECT_TRUE(Form1->CheckBox3->isChecked()) << "sound on again after the switch s";
  EXPECT_FALSE(SoundMuted);
}

TEST_F(SchedulerTest, WithoutSwitchSAFiringEntryLeavesTheSoundOff) {
  writeSchedule({eightPm()});
  startAt(kEvening);
  Form1->CheckBox3->setChecked(false);
  tickAt(at(19, 59, 59));
  tickAt(at(20, 0, 0));
  EXPECT_EQ(CurChannel, 2);
  EXPECT_FALSE(FullScreenOn);
  EXPECT_FALSE(Form1->CheckBox3->isChecked());
}

TEST_F(SchedulerTest, TickAfterTheWindowClosedTakesTheRehookRequest) {
  startAt(kEvening);
  openScheduler();
  Form2->SpeedButton1Click();
  EXPECT_TRUE(RehookRequest);
  tickAt(at(19, 0, 1));
  EXPECT_FALSE(RehookRequest);
}

}  // namespace
}  // namespace viewer_test
